#pragma once

#include <QString>

namespace tunnel::test {

// A locale that writes the decimal point as a comma.
inline constexpr char kCommaLocale[] = "de_DE.UTF-8";

// Compiles kCommaLocale with localedef into folder, to be named by LOCPATH
// (the machine need not have it installed). Returns an empty text on
// success, else what failed.
QString MakeCommaLocale(const QString &folder);

}  // namespace tunnel::test
