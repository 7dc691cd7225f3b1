#pragma once

#include <QByteArray>
#include <QString>

namespace tunnel {

// Encodes as Windows code page 936 byte for byte. A character that GBK cannot
// hold is written as its four-byte GB18030 sequence, so nothing is lost.
QByteArray ToGbk(QStringView text);

// Decodes code page 936 bytes; four-byte GB18030 sequences (a lead byte
// followed by 0x30..0x39, which GBK never uses as a trail) are decoded too.
QString FromGbk(const QByteArray &bytes);

// Number of bytes the text takes in GBK.
qsizetype GbkLength(QStringView text);

// True when the byte opens a double-byte (or four-byte) character.
inline bool IsGbkLeadByte(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

}  // namespace tunnel
