#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <cmath>

#include "pictures/drawing_kit.h"
#include "pictures/picture_families.h"

namespace pictures {

namespace {

// The window icon, drawn on a 256 grid and scaled to size pixels.
QImage IconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p;
    Begin(p, image);
    p.scale(size / 256.0, size / 256.0);
    QLinearGradient back(0, 0, 0, 256);
    back.setColorAt(0, QColor(0x2f, 0x66, 0xa0));
    back.setColorAt(1, QColor(0x12, 0x2e, 0x50));
    p.setPen(Qt::NoPen);
    p.setBrush(back);
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 44, 44);
    // Portal.
    QPainterPath arch;
    arch.moveTo(48, 214);
    arch.lineTo(48, 128);
    arch.arcTo(QRectF(48, 48, 160, 160), 180, -180);
    arch.lineTo(208, 214);
    QRadialGradient light(128, 150, 90);
    light.setColorAt(0, QColor(0xff, 0xe0, 0xa0));
    light.setColorAt(0.5, QColor(0xf0, 0x9a, 0x30));
    light.setColorAt(1, QColor(0x5a, 0x30, 0x10));
    p.setBrush(light);
    p.drawPath(arch);
    p.setPen(QPen(Qt::white, 12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arch);
    // Blast star.
    p.setPen(QPen(Qt::white, 7, Qt::SolidLine, Qt::RoundCap));
    const QPointF c(128, 146);
    for (int i = 0; i < 8; ++i) {
        const double a = qDegreesToRadians(45.0 * i);
        const double len = i % 2 ? 24 : 36;
        p.drawLine(c + QPointF(12 * std::cos(a), 12 * std::sin(a)),
                   c + QPointF(len * std::cos(a), len * std::sin(a)));
    }
    p.end();
    return image;
}

}  // namespace

// The window icon, and the desktop's icon sizes in icons/ (not embedded;
// the install rules put them into the hicolor theme).
void DrawIcons(PictureSink &sink) {
    sink.Save(IconImage(256), "icon.png");
    for (int size : {16, 32, 48, 64, 128})
        sink.Save(IconImage(size),
                  QByteArray("icons/icon_" + QByteArray::number(size) + ".png").constData());
}

}  // namespace pictures
