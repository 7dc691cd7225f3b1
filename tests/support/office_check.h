#pragma once

#include <QString>

namespace tunnel::test {

// The body text of a .doc or .docx file as a real word processor reads it:
// LibreOffice opens it and saves its text as UTF-8, one paragraph (or table
// cell) a line, without page headers, footers or page breaks, so the text
// does not depend on where pages break. Empty with a reason in error when
// soffice is missing or the conversion fails.
QString OfficeText(const QString &docPath, QString *error = nullptr);

// The text of the pages as the word processor lays them out, page headers
// and footers included: LibreOffice converts the file to PDF and pdftotext
// -layout extracts the text. For checks of the page furniture; the body is
// better compared with OfficeText().
QString OfficePageText(const QString &docPath, QString *error = nullptr);

// With TUNNEL_REPORTS set to a folder, a copy of the report there as
// <name>.docx, for reading it page by page; otherwise nothing.
void KeepReport(const QString &docPath, const QString &name);

// Whether soffice can be found.
bool OfficeAvailable();

}  // namespace tunnel::test
