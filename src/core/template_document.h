#pragma once

#include <QString>

#include "core/docx_document.h"

namespace tunnel {

// A fresh copy of the embedded report template of that name. Each template
// is read and parsed once per process and every export fills a copy; when
// it did not open, the copy is an empty document and failure says why
// (else failure is emptied).
DocxDocument TemplateDocument(const char *templateName, QString *failure);

}  // namespace tunnel
