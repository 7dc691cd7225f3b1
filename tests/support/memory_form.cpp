#include "support/memory_form.h"

#include "core/calc_form.h"

namespace tunnel::test {

MemoryForm::MemoryForm(QString programFolder, const WindowTable *table)
    : m_folder(std::move(programFolder)), m_table(table) {
    if (!table) return;
    for (const FieldRow &field : table->fields) {
        m_texts[U(field.id)] = U(field.preset);
        m_colours[U(field.id)] = PresetColour(field);
    }
    if (table->noticeId) m_captions[U(table->noticeId)] = U(table->noticePreset);
    WindowCreated(*this, *table);
}

void MemoryForm::SetText(QAnyStringView id, const QString &text) {
    m_texts[id.toString()] = text;
    if (m_table)
        if (const FieldRow *field = FindField(*m_table, id)) FieldChanged(*this, *m_table, *field);
}

}  // namespace tunnel::test
