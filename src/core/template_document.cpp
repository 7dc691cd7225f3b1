#include "core/template_document.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "core/report_export.h"

namespace tunnel {

DocxDocument TemplateDocument(const char *templateName, QString *failure) {
    struct Parsed {
        DocxDocument document;
        QString failure;
    };
    // The templates are part of the program and never change while it runs.
    static std::mutex mutex;
    static std::map<std::string, std::unique_ptr<const Parsed>> parsed;
    const std::lock_guard lock(mutex);
    std::unique_ptr<const Parsed> &entry = parsed[templateName];
    if (!entry) {
        auto opened = std::make_unique<Parsed>();
        opened->document.Open(TemplateBytes(templateName), &opened->failure);
        entry = std::move(opened);
    }
    if (failure) *failure = entry->failure;
    return DocxDocument(entry->document);
}

}  // namespace tunnel
