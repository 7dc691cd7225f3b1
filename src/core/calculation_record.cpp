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
    const FieldRow *field = m_table ? FindField(*m_table, id) : nullptr;
    if (field && field->kind != FieldKind::Input)
        RecordAll();
    else
        m_texts.insert(id.toString(), m_form.Text(id));
}

bool CalculationRecord::Edited(QAnyStringView id) const {
    const auto it = m_texts.constFind(id.toString());
    return it != m_texts.constEnd() && *it != m_form.Text(id);
}

}  // namespace tunnel
