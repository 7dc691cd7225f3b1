#include "core/gbk_text.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <array>
#include <atomic>
#include <memory>
#include <optional>

namespace tunnel {

namespace {

bool IsTrailByte(unsigned char byte) {
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

bool IsFourByteDigit(unsigned char byte) {
    return byte >= 0x30 && byte <= 0x39;
}

// The bytes of a character packed big-endian: below 0x100 one byte, below
// 0x10000 two, else four.
void AppendPacked(QByteArray &out, quint32 packed) {
    if (packed >= 0x10000) {
        out.append(static_cast<char>(packed >> 24));
        out.append(static_cast<char>(packed >> 16));
    }
    if (packed >= 0x100) out.append(static_cast<char>(packed >> 8));
    out.append(static_cast<char>(packed));
}

int PackedLength(quint32 packed) {
    return packed >= 0x10000 ? 4 : packed >= 0x100 ? 2 : 1;
}

quint32 Pack(QByteArrayView bytes) {
    quint32 packed = 0;
    for (char b : bytes) packed = packed << 8 | static_cast<unsigned char>(b);
    return packed;
}

// Converter output of a text of characters each followed by LF, cut back
// into one piece per character (LF is never part of a character, and ICU
// writes nothing at all for some characters it cannot map, such as U+200B).
QList<QByteArray> Pieces(const QByteArray &bytes) {
    QList<QByteArray> pieces = bytes.split('\n');
    pieces.removeLast();
    return pieces;
}

QByteArray EncodeGbk(QStringView text) {
    return QStringEncoder("GBK", QStringConverter::Flag::Stateless).encode(text);
}

QString DecodeGbk(QByteArrayView bytes) {
    return QStringDecoder("GBK", QStringConverter::Flag::Stateless).decode(bytes);
}

QByteArray EncodeGb18030(QStringView text) {
    return QStringEncoder("GB18030", QStringConverter::Flag::Stateless).encode(text);
}

// The bytes of 256 code points from first on, packed; surrogates 0.
using Page = std::array<quint32, 256>;

// Code page 936 reads some two-byte codes as private-use characters where
// GB18030 reads them as standard ones (FE55: U+E81A there, U+3473 here).
// Such a standard character is written as the four-byte form GB18030 gives
// its private-use twin; the twin itself keeps the two bytes, so the four
// bytes are otherwise never written. Everything else outside GBK gets its
// own GB18030 form. One pass of each converter over the page.
std::unique_ptr<Page> BuildPage(char32_t first) {
    auto page = std::make_unique<Page>();
    QString all;  // the page's characters, each followed by LF
    for (char32_t c = first; c < first + 256; ++c)
        if (c >= 0x80 && (c < 0xD800 || c > 0xDFFF))
            all.append(QChar(char16_t(c))).append(QLatin1Char('\n'));
    for (char32_t c = first; c < first + 256 && c < 0x80; ++c) (*page)[c - first] = c;
    if (all.isEmpty()) return page;

    const QByteArray gbkBytes = EncodeGbk(all);
    const QList<QByteArray> gbkPieces = Pieces(gbkBytes);
    const QStringList decoded = DecodeGbk(gbkBytes).split(QLatin1Char('\n'));
    const QList<QByteArray> widePieces = Pieces(EncodeGb18030(all));
    const qsizetype count = all.size() / 2;
    Q_ASSERT(gbkPieces.size() == count && widePieces.size() == count &&
             decoded.size() == count + 1);

    for (qsizetype i = 0; i < count; ++i) {
        const QChar c = all[2 * i];
        quint32 &packed = (*page)[c.unicode() - first];
        if (decoded[i] == c && !gbkPieces[i].isEmpty()) {
            packed = Pack(gbkPieces[i]);
        } else if (widePieces[i].size() == 4) {
            packed = Pack(widePieces[i]);
        } else {
            // The twin lies on another page: asked of the converters alone.
            const QString privateUse = DecodeGbk(widePieces[i]);
            const QByteArray twoBytes = EncodeGbk(privateUse);
            const bool keepsTwoBytes =
                privateUse.size() == 1 && twoBytes.size() == 2 && DecodeGbk(twoBytes) == privateUse;
            const QByteArray form = keepsTwoBytes ? EncodeGb18030(privateUse) : QByteArray();
            packed = form.size() == 4 ? Pack(form) : quint32('?');
        }
    }
    return page;
}

// The packed bytes of a BMP character but a surrogate. Its page is made on
// first use, in a fraction of a millisecond, so that no first use waits
// for the whole plane.
quint32 Encoded(char16_t c) {
    static std::array<std::atomic<const Page *>, 256> pages{};
    std::atomic<const Page *> &slot = pages[c >> 8];
    const Page *page = slot.load(std::memory_order_acquire);
    if (!page) {
        std::unique_ptr<Page> built = BuildPage(char32_t(c & 0xFF00));
        if (slot.compare_exchange_strong(page, built.get(), std::memory_order_acq_rel))
            page = built.release();  // kept for the life of the program
    }
    return (*page)[c & 0xFF];
}

// The standard character a four-byte form stands for when it is the form
// written for it as its private-use twin's (see BuildPage).
std::optional<QChar> TwinOf(QByteArrayView four) {
    const QString privateUse =
        QStringDecoder("GB18030", QStringConverter::Flag::Stateless).decode(four);
    if (privateUse.size() != 1 || privateUse[0].isSurrogate()) return std::nullopt;
    const QString standard =
        QStringDecoder("GB18030", QStringConverter::Flag::Stateless).decode(EncodeGbk(privateUse));
    if (standard.size() != 1 || standard == privateUse || standard[0].isSurrogate())
        return std::nullopt;
    if (Encoded(standard[0].unicode()) != Pack(four)) return std::nullopt;
    return standard[0];
}

// The four-byte GB18030 form of a supplementary-plane code point: a plain
// count from 90 30 81 30.
quint32 SupplementaryForm(char32_t c) {
    quint32 index = c - 0x10000;
    const quint32 b4 = 0x30 + index % 10;
    index /= 10;
    const quint32 b3 = 0x81 + index % 126;
    index /= 126;
    const quint32 b2 = 0x30 + index % 10;
    const quint32 b1 = 0x90 + index / 10;
    return b1 << 24 | b2 << 16 | b3 << 8 | b4;
}

template <typename Sink>
void EncodeEach(QStringView text, Sink &&sink) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            sink(c);
        } else if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
                   text[i + 1].isLowSurrogate()) {
            sink(SupplementaryForm(QChar::surrogateToUcs4(c, text[i + 1].unicode())));
            ++i;
        } else if (QChar::isSurrogate(c)) {
            sink(quint32('?'));  // half a pair is no character, as Windows writes it
        } else {
            sink(Encoded(c));
        }
    }
}

}  // namespace

QByteArray ToGbk(QStringView text) {
    QByteArray out;
    out.reserve(text.size() * 2);
    EncodeEach(text, [&out](quint32 packed) { AppendPacked(out, packed); });
    return out;
}

QString FromGbk(const QByteArray &bytes) {
    QStringDecoder gbk("GBK", QStringConverter::Flag::Stateless);
    QStringDecoder gb18030("GB18030", QStringConverter::Flag::Stateless);
    QString out;
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < bytes.size()) {
        const qsizetype width = GbkCharWidth(bytes, i);
        if (width == 4) {
            out += gbk.decode(QByteArrayView(bytes).sliced(start, i - start));
            const QByteArrayView four = QByteArrayView(bytes).sliced(i, 4);
            if (const std::optional<QChar> twin = TwinOf(four))
                out += *twin;
            else
                out += gb18030.decode(four);
            start = i + 4;
        }
        i += width;
    }
    if (start < bytes.size()) out += gbk.decode(QByteArrayView(bytes).sliced(start));
    return out;
}

qsizetype GbkLength(QStringView text) {
    qsizetype length = 0;
    EncodeEach(text, [&length](quint32 packed) { length += PackedLength(packed); });
    return length;
}

qsizetype GbkCharWidth(QByteArrayView bytes, qsizetype i) {
    const auto at = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
    if (!IsGbkLeadByte(at(i)) || i + 1 >= bytes.size()) return 1;
    if (IsTrailByte(at(i + 1))) return 2;
    if (i + 3 < bytes.size() && IsFourByteDigit(at(i + 1)) && IsGbkLeadByte(at(i + 2)) &&
        IsFourByteDigit(at(i + 3)))
        return 4;
    return 1;
}

QStringList SplitGbkList(const QByteArray &bytes) {
    QStringList pieces;
    // LF and CR are never part of a GBK character, so the bytes can be cut
    // into lines before decoding; "|" is split after decoding, so a second
    // byte 0x7C is no bar.
    for (QByteArray line : bytes.split('\n')) {
        if (line.endsWith('\r')) line.chop(1);
        QStringList parts = FromGbk(line).split(QLatin1Char('|'));
        if (parts.constLast().isEmpty()) parts.removeLast();
        pieces += parts;
    }
    return pieces;
}

QByteArray GbkListBytes(const QStringList &items) {
    QString text;
    for (const QString &item : items) text += item + QLatin1Char('|');
    return ToGbk(text);
}

}  // namespace tunnel
