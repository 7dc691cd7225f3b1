// Any package that opens can have a placeholder replaced and be saved, and
// what was saved opens again with the same main text.
#include "core/docx_document.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, std::size_t size) {
    const QByteArray package(reinterpret_cast<const char *>(data), qsizetype(size));
    tunnel::DocxDocument document;
    if (!document.Open(package)) return 0;
    document.ReplacePlaceholder(QStringLiteral("a"), QStringLiteral("35.4中"), 2);
    const QString text = document.MainText();
    QString error;
    const QByteArray saved = document.Save(&error);
    FUZZ_CHECK(!saved.isEmpty(), error);
    tunnel::DocxDocument again;
    FUZZ_CHECK(again.Open(saved, &error), error);
    FUZZ_CHECK(again.MainText() == text, text);
    return 0;
}
