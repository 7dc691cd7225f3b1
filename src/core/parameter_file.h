#pragma once

#include <span>

#include "core/window_table.h"

namespace tunnel {

class Form;
class IniFile;

// The folder of the parameter files, Data below the data root.
QString ParameterFolder(const Form &form);

// Asks for a ".tac" file in the Data folder; nothing when cancelled.
std::optional<QString> AskParameterFile(Form &form, bool save,
                                        const char *openDefaultExtension = "");

// The leading decimal integer of a stored index, after the full-width forms
// are folded as number reading folds them; no digits give 0, and values
// beyond the int range are clamped.
int StoredIndex(const QString &text);

// Writes each key's field into path as the key stores it; returns an empty
// text on success, else the reason.
QString StoreParameters(const Form &form, const QString &path, std::span<const ParamKey> keys);
// Sets each key's field, in key order, to what path stores (a missing text
// key empties the field, a missing index key with an absent index selects
// that one).
void LoadParameters(Form &form, const QString &path, std::span<const ParamKey> keys);
void LoadParameters(Form &form, const IniFile &ini, std::span<const ParamKey> keys);

// The save procedure: dialog, write, "保存成功！" or a message naming the file
// and the reason, then the table's saved line. Returns whether the file was
// written.
bool SaveParameters(Form &form, const WindowTable &table);
// The open procedure: dialog, the table's hook, every listed field loaded (a
// change of each field), then the table's opened line. A file that holds
// none of the table's keys is refused with a message and changes nothing.
// The form learns which results the file restored, so inputs it changed
// read as edited since the calculation unless their results came with them.
// Returns whether a file was opened.
bool OpenParameters(Form &form, const WindowTable &table);

}  // namespace tunnel
