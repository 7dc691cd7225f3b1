#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QStyle>

namespace tunnel {

// The embedded picture :/pictures/<name>.png (or .jpg) scaled to size; when
// the program carries none, a plain drawn stand-in with the caption.
// Decoded and scaled once per process while the pixmap cache keeps it.
QPixmap Picture(const QString &name, QSize size, const QString &caption = QString());

// The application style's icon, loaded from its files once per process.
QIcon StandardIcon(QStyle::StandardPixmap icon);

}  // namespace tunnel
