#pragma once

#include <QByteArray>
#include <QString>

#include "core/atomic_file.h"

namespace tunnel {

// An INI text file held as its GBK bytes, read and changed with the rules of
// the Windows private-profile functions: section and key names match without
// regard to case; a changed item is replaced in place, a new item goes to the
// end of its section and a new section to the end of the file; every other
// line keeps its bytes.
class IniFile {
public:
    // Reads the file; a missing or unreadable file reads as empty.
    static IniFile Load(const QString &path);
    static IniFile FromBytes(QByteArray bytes);

    // The value with blanks and one pair of matching quotes trimmed, cut to
    // 10239 bytes; empty when the section or key is missing.
    QString Read(const QString &section, const QString &key) const;
    // Whether the file has the key in the section, empty or not.
    bool Contains(const QString &section, const QString &key) const;
    // Sets key=value; CR and LF inside the value are written as blanks so
    // the value cannot break the file apart.
    void Write(const QString &section, const QString &key, const QString &value);

    const QByteArray &Bytes() const { return m_bytes; }

    // Writes the file atomically. Returns an empty text on success, else the
    // reason of the failure.
    QString Save(const QString &path) const;

private:
    QByteArray m_bytes;
};

// Writes one INI item; returns an empty text on success, else the reason.
QString WriteItem(const QString &path, const QString &section, const QString &key,
                  const QString &text);

}  // namespace tunnel
