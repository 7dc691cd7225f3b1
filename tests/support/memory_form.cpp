#include "support/memory_form.h"

#include "ui/calc_form.h"

namespace tunnel::test {

MemoryForm::MemoryForm(QString programFolder, const WindowSpec *spec)
    : m_folder(std::move(programFolder)), m_spec(spec) {
    if (!spec) return;
    for (const FieldSpec &field : spec->fields) {
        m_texts[U(field.id)] = U(field.preset);
        m_colours[U(field.id)] = PresetColour(field);
    }
    if (spec->noticeId) m_captions[U(spec->noticeId)] = U(spec->noticePreset);
    WindowCreated(*this, *spec);
}

void MemoryForm::SetText(const QString &id, const QString &text) {
    m_texts[id] = text;
    if (m_spec)
        if (const FieldSpec *field = FindField(*m_spec, id)) FieldChanged(*this, *m_spec, *field);
}

}  // namespace tunnel::test
