// Any text survives ToGbk and FromGbk (half a surrogate pair comes back as
// '?'); GbkLength counts the bytes; any bytes decode, and their text
// survives a further round trip.
#include "core/gbk_text.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, std::size_t size) {
    const QString text = Utf16(data, size);
    QString expected = text;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        if (expected[i].isHighSurrogate() && i + 1 < expected.size() &&
            expected[i + 1].isLowSurrogate())
            ++i;
        else if (expected[i].isSurrogate())
            expected[i] = QLatin1Char('?');
    }
    const QByteArray bytes = tunnel::ToGbk(text);
    FUZZ_CHECK(tunnel::FromGbk(bytes) == expected, text);
    FUZZ_CHECK(tunnel::GbkLength(text) == bytes.size(), text);

    const QByteArray raw(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString decoded = tunnel::FromGbk(raw);
    FUZZ_CHECK(tunnel::FromGbk(tunnel::ToGbk(decoded)) == decoded,
               QString::fromLatin1(raw.toHex()));
    return 0;
}
