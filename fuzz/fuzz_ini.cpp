// An item written into any file reads back as written (blanks and one pair
// of quotes trimmed, line breaks as blanks, cut to 10239 bytes at a
// character boundary), and writing it again changes nothing.
#include <fuzzer/FuzzedDataProvider.h>

#include "core/gbk_text.h"
#include "core/ini_file.h"
#include "fuzz_check.h"

namespace {

// Characters of names: ASCII, trail bytes "]" (乚 俔 僝) and "|" (東),
// four-byte forms, a GB18030 twin and the euro.
const char16_t *const kNameChars[] = {u"a",  u"Z",  u"5",  u".",          u" ",      u"乚", u"俔",
                                      u"僝", u"東", u"中", u"\U00020000", u"\u3473", u"€",  u"ǅ"};
// Values may also hold quotes, tabs and line breaks.
const char16_t *const kValueChars[] = {u"1", u".",  u" ",  u"\t",         u"\"",
                                       u"'", u"\r", u"\n", u"=",          u"[",
                                       u"]", u"乚", u"中", u"\U0001F600", u"\u3473"};

template <std::size_t N>
QString Pick(FuzzedDataProvider &input, const char16_t *const (&pool)[N], std::size_t most) {
    QString text;
    const std::size_t length = input.ConsumeIntegralInRange<std::size_t>(0, most);
    for (std::size_t i = 0; i < length && input.remaining_bytes() > 0; ++i)
        text += QString::fromUtf16(pool[input.ConsumeIntegralInRange<std::size_t>(0, N - 1)]);
    return text;
}

// What Read gives for a written value, worked out on characters.
QString Expected(QString value) {
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    while (!value.isEmpty() && blank(value.front())) value.remove(0, 1);
    while (!value.isEmpty() && blank(value.back())) value.chop(1);
    if (value.size() >= 2 &&
        (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')) &&
        value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    QString kept;
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < value.size();) {
        const qsizetype width = value[i].isHighSurrogate() ? 2 : 1;
        const QString one = value.mid(i, width);
        bytes += tunnel::GbkLength(one);
        if (bytes > 10239) break;
        kept += one;
        i += width;
    }
    return kept;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    QString section = Pick(input, kNameChars, 6).trimmed();
    QString key = Pick(input, kNameChars, 6).trimmed();
    if (section.isEmpty()) section = QStringLiteral("s");
    if (key.isEmpty()) key = QStringLiteral("k");
    QString value = Pick(input, kValueChars, 40);
    // Now and then a value beyond the read buffer.
    if (input.ConsumeBool()) value = value.repeated(input.ConsumeIntegralInRange(0, 600));
    const std::string rest = input.ConsumeRemainingBytesAsString();

    tunnel::IniFile ini =
        tunnel::IniFile::FromBytes(QByteArray(rest.data(), qsizetype(rest.size())));
    ini.Write(section, key, value);
    const QString read = ini.Read(section, key);
    FUZZ_CHECK(read == Expected(value), QStringLiteral("[%1] %2: %3").arg(section, key, read));
    const QByteArray once = ini.Bytes();
    ini.Write(section, key, value);
    FUZZ_CHECK(ini.Bytes() == once, QStringLiteral("[%1] %2 written twice").arg(section, key));
    return 0;
}
