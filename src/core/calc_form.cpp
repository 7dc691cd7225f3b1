#include "core/calc_form.h"

#include "core/conversions.h"
#include "core/form.h"

namespace tunnel {

const FieldRow *FindField(const WindowTable &table, QAnyStringView id) {
    for (const FieldRow &field : table.fields)
        if (QAnyStringView::equal(QUtf8StringView(field.id), id)) return &field;
    return nullptr;
}

Rgb PresetColour(const FieldRow &field) {
    return field.grey == 0 ? kBlack : Rgb{field.grey, field.grey, field.grey};
}

void FieldChanged(Form &form, const WindowTable &table, const FieldRow &field) {
    const bool colour = field.change == Change::Colour || field.change == Change::ColourAndNotice;
    const bool notice = field.change == Change::Notice || field.change == Change::ColourAndNotice;
    if (colour && field.grey != 0) form.SetTextColor(field.id, kBlack);
    if (notice && table.changeNoticeId) form.SetCaption(table.changeNoticeId, table.changeNotice);
    if (field.onChange) field.onChange(form);
}

void FieldFocused(Form &form, const FieldRow &field) {
    if (*field.focusHint) form.AppendLog(field.focusHint);
}

double ReadNumber(const Form &form, const char *id) {
    const QString text = form.Text(id);
    form.NumberRead(id, ReadAs(text));
    return ToNumber(text);
}

const ButtonRow *CalculateButton(const WindowTable &table, int group) {
    const auto calculates = [](const ButtonRow &b) { return b.role == Role::Calculate; };
    const ButtonRow *only = nullptr;
    int count = 0;
    for (int pass : {group, -1})
        for (const ButtonRow &b : table.buttons)
            if (calculates(b) && b.group == pass) return &b;
    for (const ButtonRow &b : table.buttons)
        if (calculates(b)) {
            only = &b;
            ++count;
        }
    return count == 1 ? only : nullptr;
}

bool CheckFilled(Form &form, std::initializer_list<const char *> ids, const char *message) {
    for (const char *id : ids) {
        if (!Filled(form.Text(id))) {
            form.AppendLog(message);
            return false;
        }
    }
    return true;
}

void WindowCreated(Form &form, const WindowTable &table) {
    for (const char *line : table.creationLog) form.AppendLog(line);
}

}  // namespace tunnel
