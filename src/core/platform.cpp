#include "core/platform.h"

#include <QFile>
#include <cerrno>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tunnel {

#ifdef Q_OS_WIN

QString SyncFile(int handle) {
    const HANDLE file = reinterpret_cast<HANDLE>(_get_osfhandle(handle));
    if (file == INVALID_HANDLE_VALUE) return qt_error_string(ERROR_INVALID_HANDLE);
    if (!FlushFileBuffers(file)) return qt_error_string(static_cast<int>(GetLastError()));
    return QString();
}

void SyncFolder(const QString &) {}

bool IsNoSpaceError(const QString &reason) {
    return reason == qt_error_string(ERROR_DISK_FULL) ||
           reason == qt_error_string(ERROR_HANDLE_DISK_FULL);
}

#else

QString SyncFile(int handle) {
    if (::fsync(handle) != 0) return qt_error_string(errno);
    return QString();
}

void SyncFolder(const QString &folder) {
    const QByteArray name = QFile::encodeName(folder);
    const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

bool IsNoSpaceError(const QString &reason) {
    // Qt's file engine words its errors with strerror().
    for (const int code : {ENOSPC, EFBIG, EDQUOT})
        if (reason == qt_error_string(code)) return true;
    return false;
}

#endif

}  // namespace tunnel
