#include "modules/dangerous_works/core/work_list_file.h"

#include <QFile>
#include <QFileInfo>

#include "core/gbk_text.h"

namespace tunnel {

QByteArray WorkListBytes(const QStringList &items) {
    return GbkListBytes(items);
}

QStringList ParseWorkList(const QByteArray &bytes) {
    return SplitGbkList(bytes);
}

QByteArray WorkListTextBytes(const QStringList &items) {
    QString text;
    for (const QString &item : items) text += item + QLatin1String("\r\n");
    return ToGbk(text);
}

QString ReadWorkList(const QString &path, QStringList &items) {
    const QFileInfo info(path);
    if (!info.exists()) return QStringLiteral("文件不存在");
    if (info.isDir()) return QStringLiteral("这是一个文件夹，不是文件");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return file.errorString();
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return file.errorString();
    items = ParseWorkList(bytes);
    return QString();
}

}  // namespace tunnel
