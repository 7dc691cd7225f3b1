#include "core/data_location.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tunnel {

bool IsInstalledCopy(const QString &executableFolder) {
    const QDir bin(executableFolder);
    if (bin.dirName() != QLatin1String("bin")) return false;
    return QFileInfo::exists(bin.absoluteFilePath(
        QStringLiteral("../share/%1/installed").arg(QLatin1String(kApplicationId))));
}

QString DataRoot(const QString &executableFolder) {
    if (!IsInstalledCopy(executableFolder)) return executableFolder;
    QString base = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (base.isEmpty()) base = QDir::homePath();
    return QDir::cleanPath(base + QLatin1Char('/') + QString::fromUtf8(kUserFolderName));
}

QString CreateDataFolders(const QString &root) {
    for (const QString &name : {QStringLiteral("Data"), QStringLiteral("导出的方案")}) {
        const QString folder = root + QLatin1Char('/') + name;
        // mkpath also succeeds on an existing file of that name.
        if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir()) return folder;
    }
    return QString();
}

}  // namespace tunnel
