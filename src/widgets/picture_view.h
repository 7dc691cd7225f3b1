#pragma once

#include <QPixmap>
#include <QString>

namespace tunnel {

// The embedded picture :/pictures/<name>.png (or .jpg) scaled to size; when
// the program carries none, a plain drawn stand-in with the caption.
QPixmap Picture(const QString &name, QSize size, const QString &caption = QString());

}  // namespace tunnel
