#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tunnel {

// Encodes as Windows code page 936 byte for byte. A character that code page
// 936 cannot give back is written as a four-byte GB18030 sequence, so
// nothing is lost: characters outside GBK get their own, and the 81 standard
// characters that GB18030 keeps at two-byte codes which code page 936 reads
// as private-use characters (FE55 is U+3473 in GB18030, U+E81A in 936) get
// the four bytes GB18030 gives that private-use character. Half a surrogate
// pair is written as '?'.
QByteArray ToGbk(QStringView text);

// Decodes code page 936 bytes; four-byte GB18030 sequences (a lead byte
// followed by 0x30..0x39, which GBK never uses as a trail) are decoded too,
// the 81 forms above included.
QString FromGbk(const QByteArray &bytes);

// Number of bytes the text takes in GBK.
qsizetype GbkLength(QStringView text);

// True when the byte opens a double-byte (or four-byte) character.
inline bool IsGbkLeadByte(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

// Bytes of the character that starts at i: 2 for a lead byte and a trail
// byte (0x40..0xFE but 0x7F), 4 for a four-byte sequence, else 1. Readers
// look for delimiters only where a character starts, as trail bytes 0x40..
// 0x7E look like ASCII ("]", "|").
qsizetype GbkCharWidth(QByteArrayView bytes, qsizetype i);

// The pieces of a bar list file (the rock grade list, the dangerous
// sub-project lists). Lines end at LF, a CR before it is dropped; each line
// is decoded and then split at "|", so a trail byte 0x7C is no bar: every
// bar ends a piece (adjacent bars give an empty piece), text after the last
// bar is a piece when it is not empty, and an empty line gives none.
QStringList SplitGbkList(const QByteArray &bytes);

// The written form: every item followed by "|", one line, no terminator.
QByteArray GbkListBytes(const QStringList &items);

}  // namespace tunnel
