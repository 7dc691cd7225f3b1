#include "services/gbk_text.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace tunnel {

namespace {

bool IsAscii(QStringView text) {
    for (QChar c : text)
        if (c.unicode() >= 0x80) return false;
    return true;
}

}  // namespace

QByteArray ToGbk(QStringView text) {
    if (IsAscii(text)) return text.toLatin1();
    QStringEncoder gbk("GBK", QStringConverter::Flag::Stateless);
    QByteArray whole = gbk.encode(text);
    if (!gbk.hasError()) return whole;
    // Something is outside GBK: encode character by character.
    QByteArray out;
    QStringEncoder gb18030("GB18030", QStringConverter::Flag::Stateless);
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype width =
            (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ? 2
                                                                                               : 1;
        const QStringView one = text.mid(i, width);
        QStringEncoder single("GBK", QStringConverter::Flag::Stateless);
        const QByteArray bytes = single.encode(one);
        out += single.hasError() ? QByteArray(gb18030.encode(one)) : bytes;
        i += width;
    }
    return out;
}

QString FromGbk(const QByteArray &bytes) {
    QStringDecoder gbk("GBK", QStringConverter::Flag::Stateless);
    QStringDecoder gb18030("GB18030", QStringConverter::Flag::Stateless);
    QString out;
    qsizetype start = 0;
    qsizetype i = 0;
    const auto at = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
    while (i < bytes.size()) {
        if (IsGbkLeadByte(at(i)) && i + 3 < bytes.size() && at(i + 1) >= 0x30 &&
            at(i + 1) <= 0x39) {
            out += gbk.decode(QByteArrayView(bytes).sliced(start, i - start));
            out += gb18030.decode(QByteArrayView(bytes).sliced(i, 4));
            i += 4;
            start = i;
        } else {
            i += IsGbkLeadByte(at(i)) ? 2 : 1;
        }
    }
    if (start < bytes.size()) out += gbk.decode(QByteArrayView(bytes).sliced(start));
    return out;
}

qsizetype GbkLength(QStringView text) {
    return ToGbk(text).size();
}

}  // namespace tunnel
