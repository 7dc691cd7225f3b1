#pragma once

#include <QString>

namespace tunnel::test {

// The text of a .doc or .docx file as a real word processor lays it out:
// LibreOffice converts it to PDF and pdftotext -layout extracts the text.
// Empty with a reason in error when soffice or pdftotext is missing or the
// conversion fails.
QString OfficeText(const QString &docPath, QString *error = nullptr);

// Whether soffice and pdftotext can be found.
bool OfficeAvailable();

}  // namespace tunnel::test
