#pragma once

#include <QString>
#include <QStringList>
#include <span>

namespace tunnel {

// A code the program cites, in the edition in force.
struct CodeEdition {
    const char *number;  // e.g. "GB 6722-2014"
    const char *title;   // e.g. "《爆破安全规程》"
};

// Every code a window, a help text, a picture or a report of the program
// cites; a citation of any other edition is out of date.
std::span<const CodeEdition> CitedEditions();

// The code numbers with an edition year cited in the text ("GB 50017-2017",
// "JTG/T 3660—2020", "GB6722-2014"), each written as the table writes it:
// one blank between the series and the number, a hyphen before the year.
QStringList CitedCodeNumbers(const QString &text);

// Whether the text cites the ministry's order 37 without its 2019 revision.
bool CitesOrder37WithoutRevision(const QString &text);

}  // namespace tunnel
