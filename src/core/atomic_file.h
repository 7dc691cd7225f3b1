#pragma once

#include <QByteArray>
#include <QString>

namespace tunnel {

// Writes bytes to path atomically: a temporary file beside it, written
// unbuffered and synced to disk, then renamed over the file and the folder
// synced. Any failure leaves the earlier file as it was and no temporary file
// behind. Returns an empty text on success, else the reason ("磁盘空间不足"
// when the disk or the allowed file size is full).
QString WriteFileAtomically(const QString &path, const QByteArray &bytes);

}  // namespace tunnel
