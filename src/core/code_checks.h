#pragma once

#include <QString>
#include <QStringList>

namespace tunnel {

class Form;

// The checks of a window's results against the codes in force. A check never
// blocks a calculation: what failed is said in the log and in the report's
// section "校核" before the signature table.

// The report's "校核" section: its heading line, then one paragraph per
// failed check, or "校核：各项校核均满足。" when nothing failed.
QStringList CheckSection(const QStringList &failed);

// Appends each failed check to the window's log as a warning line.
void LogChecks(Form &form, const QStringList &failed);

}  // namespace tunnel
