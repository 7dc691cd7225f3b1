#pragma once

#include <initializer_list>

#include "core/form.h"
#include "core/window_table.h"

namespace tunnel {

class Form;

// Reaction to a change of a field (typed, or set by a command or a file
// load): the grey preset turns black, the change notice is shown, and the
// field's own hook runs, as its table row says.
void FieldChanged(Form &form, const WindowTable &table, const FieldRow &field);

// Appends the field's focus hint, on every arrival of the focus.
void FieldFocused(Form &form, const FieldRow &field);

// Appends the window's creation lines.
void WindowCreated(Form &form, const WindowTable &table);

Rgb PresetColour(const FieldRow &field);

// The unit's text read as a number; the form learns how it read.
double ReadNumber(const Form &form, const char *id);

// The button Enter in a field of the group runs: the group's calculate
// button (a command whose caption says 计算), else the one of the window's
// button row, else the window's only one; null when there is none.
const ButtonRow *CalculateButton(const WindowTable &table, int group);

// Checks the fields in the given order; at the first one that is empty,
// appends the message to the log and returns false.
bool CheckFilled(Form &form, std::initializer_list<const char *> ids, const char *message);

}  // namespace tunnel
