#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

namespace tunnel::test {

// The file's bytes; empty when it is missing or unreadable.
inline QByteArray ReadFileBytes(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes the bytes, creating the folder; returns whether all were written.
inline bool WriteFileBytes(const QString &path, const QByteArray &bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The last report of that name in the folder: exports never replace one,
// they go on to "name(2).docx", "name(3).docx" and so on.
inline QString LatestReport(const QString &folder, const QString &name) {
    QString latest = folder + QLatin1Char('/') + name;
    for (int n = 2;; ++n) {
        const QString next = QStringLiteral("%1/%2(%3).docx").arg(folder, name.chopped(5)).arg(n);
        if (!QFileInfo::exists(next)) return latest;
        latest = next;
    }
}

}  // namespace tunnel::test
