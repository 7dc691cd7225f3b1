#include "core/dialogs.h"

#include <QDir>

namespace tunnel {

void ShowFileFailure(Dialogs &dialogs, const QString &headline, const QString &path,
                     const QString &reason, const QString &caption) {
    dialogs.Message(
        headline +
            QStringLiteral("\r\n文件：%1\r\n原因：%2").arg(QDir::toNativeSeparators(path), reason),
        caption, Buttons::Ok, Icon::Error);
}

}  // namespace tunnel
