#pragma once

#include <QString>
#include <cstdio>
#include <cstdlib>

// A failed property: print what was found and abort, so libFuzzer keeps the
// input as a crash.
#define FUZZ_CHECK(condition, ...)                                          \
    do {                                                                    \
        if (!(condition)) {                                                 \
            std::fprintf(stderr, "property failed: %s\n", #condition);      \
            std::fprintf(stderr, "%s\n", qPrintable(QString(__VA_ARGS__))); \
            std::abort();                                                   \
        }                                                                   \
    } while (false)

// The input as UTF-16 code units, lone surrogates included.
inline QString Utf16(const unsigned char *data, std::size_t size) {
    return QString(reinterpret_cast<const QChar *>(data), qsizetype(size / 2));
}
