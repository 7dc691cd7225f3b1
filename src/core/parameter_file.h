#pragma once

#include <span>

#include "core/window_table.h"

namespace tunnel {

class Form;

// Folder of the parameter files below the program folder.
QString DataFolder(const Form &form);

// Asks for a ".tac" file in the Data folder; nothing when cancelled.
std::optional<QString> AskParameterFile(Form &form, bool save,
                                        const char *openDefaultExtension = "");

// Writes each key's field text into path; returns an empty text on success,
// else the reason.
QString StoreParameters(const Form &form, const QString &path, std::span<const ParamKey> keys);
// Sets each key's field to the stored text (missing keys empty the field).
void LoadParameters(Form &form, const QString &path, std::span<const ParamKey> keys);

// The save procedure: dialog, write, "保存成功！" or a message naming the file
// and the reason. Returns whether the file was written.
bool SaveParameters(Form &form, const WindowTable &table);
// The open procedure: dialog, then every listed field is loaded (a change of
// each field). Returns whether a file was opened.
bool OpenParameters(Form &form, const WindowTable &table);

}  // namespace tunnel
