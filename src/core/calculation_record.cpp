#include "core/calculation_record.h"

#include "core/form.h"
#include "core/window_table.h"

namespace tunnel {

CalculationRecord::CalculationRecord(const Form &form, const WindowTable *table, UnitList units)
    : m_form(form), m_table(table), m_units(std::move(units)) {}

void CalculationRecord::RecordAll() {
    m_texts.clear();
    for (const QString &id : m_units()) m_texts.insert(id, m_form.Text(id));
}

void CalculationRecord::Written(QAnyStringView id) {
    if (m_loading) return;
    const FieldRow *field = m_table ? FindField(*m_table, id) : nullptr;
    if (field && field->kind != FieldKind::Input)
        RecordAll();
    else
        m_texts.insert(id.toString(), m_form.Text(id));
}

void CalculationRecord::LoadStarted() {
    m_loading = true;
    m_beforeLoad.clear();
    for (const QString &id : m_units()) m_beforeLoad.insert(id, m_form.Text(id));
}

void CalculationRecord::LoadFinished(const QStringList &restored) {
    m_loading = false;
    if (!m_table) return;
    QHash<int, bool> complete;  // group: whether the file restored all its results
    for (const FieldRow &field : m_table->fields)
        if (field.kind != FieldKind::Input) {
            const bool held = restored.contains(U(field.id));
            complete[field.group] = complete.value(field.group, true) && held;
        }
    for (const FieldRow &field : m_table->fields) {
        const QString id = U(field.id);
        const QString text = m_form.Text(id);
        if (field.kind == FieldKind::Input && complete.value(field.group) &&
            m_beforeLoad.value(id) != text)
            m_texts.insert(id, text);
    }
}

bool CalculationRecord::Edited(QAnyStringView id) const {
    const auto it = m_texts.constFind(id.toString());
    return it != m_texts.constEnd() && *it != m_form.Text(id);
}

}  // namespace tunnel
