#include "core/atomic_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "core/platform.h"

namespace tunnel {

namespace {

QString Reason(const QString &text) {
    if (IsNoSpaceError(text)) return QStringLiteral("磁盘空间不足");
    return text.isEmpty() || text.contains(QLatin1String("Unknown"))
               ? QStringLiteral("无法写入文件")
               : text;
}

}  // namespace

QString WriteFileAtomically(const QString &path, const QByteArray &bytes) {
    // A read-only file is refused as Windows refuses it, also when the folder
    // would allow replacing it (and for root, who may write anything).
    const QFileInfo info(path);
    if (info.exists() && !(QFile::permissions(path) & QFileDevice::WriteOwner))
        return QStringLiteral("文件为只读");
    // Buffered, QSaveFile reports the full count from write(), loses the
    // failure of the final flush and renames the short file over the good
    // one; unbuffered, each write reports its own failure. The destructor
    // removes the temporary file of every path that returns before commit().
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return Reason(file.errorString());
    // A short write sets no error; the next write meets the full disk and
    // names it.
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) return Reason(file.errorString());
        done += written;
    }
    if (!file.flush()) return Reason(file.errorString());
    const QString synced = SyncFile(file.handle());
    if (!synced.isEmpty()) return Reason(synced);
    if (!file.commit()) {
        // errorString() can be empty or vague after a failed rename.
        if (!QFileInfo(info.absolutePath()).isWritable()) return QStringLiteral("文件夹不可写入");
        return Reason(file.errorString());
    }
    SyncFolder(info.absolutePath());
    return QString();
}

}  // namespace tunnel
