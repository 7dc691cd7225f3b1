#include "widgets/picture_view.h"

#include <QApplication>
#include <QFile>
#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmapCache>

namespace tunnel {

namespace {

QPixmap DecodedPicture(const QString &name, QSize size, const QString &caption) {
    for (const char *suffix : {".png", ".jpg"}) {
        const QString path = QStringLiteral(":/pictures/") + name + QLatin1String(suffix);
        if (QFile::exists(path)) {
            QPixmap pixmap(path);
            if (!pixmap.isNull())
                return size.isValid()
                           ? pixmap.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                           : pixmap;
        }
    }
    QPixmap pixmap(size.isValid() ? size : QSize(200, 100));
    QPainter painter(&pixmap);
    QLinearGradient gradient(0, 0, 0, pixmap.height());
    gradient.setColorAt(0, QColor(40, 70, 110));
    gradient.setColorAt(1, QColor(20, 35, 60));
    painter.fillRect(pixmap.rect(), gradient);
    if (!caption.isEmpty()) {
        painter.setPen(Qt::white);
        QFont font = painter.font();
        font.setPixelSize(qMax(12, pixmap.height() / 3));
        font.setBold(true);
        painter.setFont(font);
        painter.drawText(pixmap.rect(), Qt::AlignCenter, caption);
    }
    return pixmap;
}

}  // namespace

QPixmap Picture(const QString &name, QSize size, const QString &caption) {
    const QString key = QStringLiteral("tunnel/%1/%2x%3/%4")
                            .arg(name)
                            .arg(size.width())
                            .arg(size.height())
                            .arg(caption);
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        pixmap = DecodedPicture(name, size, caption);
        QPixmapCache::insert(key, pixmap);
    }
    return pixmap;
}

QIcon StandardIcon(QStyle::StandardPixmap icon) {
    // One style serves the whole run.
    static QHash<int, QIcon> icons;
    auto found = icons.constFind(icon);
    if (found == icons.cend())
        found = icons.insert(icon, QApplication::style()->standardIcon(icon));
    return *found;
}

}  // namespace tunnel
