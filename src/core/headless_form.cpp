#include "core/headless_form.h"

#include "core/calc_form.h"

namespace tunnel {

HeadlessForm::HeadlessForm(QString dataFolder, const WindowTable *table, Dialogs &dialogs)
    : m_folder(std::move(dataFolder)),
      m_table(table),
      m_dialogs(dialogs),
      m_record(*this, table, [this] { return RecordedUnits(); }) {
    if (table) {
        for (const FieldRow &field : table->fields) {
            m_texts[U(field.id)] = U(field.preset);
            m_colours[U(field.id)] = PresetColour(field);
        }
        if (table->noticeId) m_captions[U(table->noticeId)] = U(table->noticePreset);
        WindowCreated(*this, *table);
    }
    m_record.RecordAll();
}

QStringList HeadlessForm::RecordedUnits() const {
    QStringList units = m_texts.keys();
    for (auto it = m_items.cbegin(); it != m_items.cend(); ++it)
        if (!m_texts.contains(it.key())) units << it.key();
    return units;
}

QString HeadlessForm::Text(QAnyStringView id) const {
    const QString key = id.toString();
    if (const auto items = m_items.constFind(key); items != m_items.cend())
        return items->value(m_indices.value(key, -1));
    if (const auto text = m_texts.constFind(key); text != m_texts.cend()) return *text;
    return m_captions.value(key);
}

void HeadlessForm::SetText(QAnyStringView id, const QString &text) {
    const QString key = id.toString();
    if (const auto items = m_items.constFind(key); items != m_items.cend()) {
        m_indices[key] = items->indexOf(text);
        m_record.Written(id);
        return;
    }
    Type(id, text);
    m_record.Written(id);
}

void HeadlessForm::Type(QAnyStringView id, const QString &text) {
    m_texts[id.toString()] = text;
    if (m_table)
        if (const FieldRow *field = FindField(*m_table, id)) FieldChanged(*this, *m_table, *field);
}

Rgb HeadlessForm::TextColor(QAnyStringView id) const {
    return m_colours.value(id.toString(), kBlack);
}

void HeadlessForm::SetTextColor(QAnyStringView id, Rgb colour) {
    m_colours[id.toString()] = colour;
}

void HeadlessForm::SetBackColor(QAnyStringView id, Rgb colour) {
    backColours[id.toString()] = colour;
}

QString HeadlessForm::Caption(QAnyStringView id) const {
    return m_captions.value(id.toString());
}

void HeadlessForm::SetCaption(QAnyStringView id, const QString &text) {
    m_captions[id.toString()] = text;
}

void HeadlessForm::SetEnabled(QAnyStringView id, bool enabled) {
    enabledUnits[id.toString()] = enabled;
}

void HeadlessForm::SetVisible(QAnyStringView id, bool visible) {
    visibleUnits[id.toString()] = visible;
}

int HeadlessForm::CurrentIndex(QAnyStringView id) const {
    return m_indices.value(id.toString(), -1);
}

void HeadlessForm::SetCurrentIndex(QAnyStringView id, int index) {
    m_indices[id.toString()] = index;
    if (m_items.contains(id.toString())) m_record.Written(id);
}

QStringList HeadlessForm::Items(QAnyStringView id) const {
    return m_items.value(id.toString());
}

void HeadlessForm::SetItems(QAnyStringView id, const QStringList &items) {
    const QString key = id.toString();
    m_items[key] = items;
    // The selection stays for the command to set, as list boxes keep none.
    if (m_indices.value(key, -1) >= items.size()) m_indices[key] = -1;
    m_record.Written(id);
}

bool HeadlessForm::Checked(QAnyStringView id) const {
    return m_checked.value(id.toString());
}

void HeadlessForm::SetChecked(QAnyStringView id, bool checked) {
    m_checked[id.toString()] = checked;
}

BarChart *HeadlessForm::Chart(QAnyStringView id) {
    return &charts[id.toString()];
}

QByteArray HeadlessForm::Picture(QAnyStringView id) {
    return pictures.value(id.toString());
}

bool HeadlessForm::EditedSinceCalculation(QAnyStringView id) const {
    return m_record.Edited(id);
}

}  // namespace tunnel
