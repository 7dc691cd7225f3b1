// The pictures of the program's own windows: splash, main window background
// and the navigation buttons in their normal and hover states.

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "core/module_entry.h"
#include "pictures/drawing_kit.h"
#include "pictures/picture_families.h"

namespace pictures {

namespace {

// A stylised tunnel portal seen from the approach: rings of lining receding
// to a lit vanishing point.
void Portal(QPainter &p, QPointF base, double width, double height, int rings, double alpha = 1) {
    p.save();
    p.setOpacity(alpha);
    for (int i = rings; i >= 0; --i) {
        const double t = i / double(rings);
        const double k = 1 - 0.86 * std::pow(t, 0.7);
        const double w = width * k, h = height * k;
        const QPointF b = base + QPointF(0, -height * 0.18 * (1 - k));
        QPainterPath arch;
        arch.moveTo(b + QPointF(-w / 2, 0));
        arch.lineTo(b + QPointF(-w / 2, -h * 0.42));
        arch.arcTo(QRectF(b.x() - w / 2, b.y() - h, w, h * 1.16), 180, -180);
        arch.lineTo(b + QPointF(w / 2, 0));
        const int shade = int(30 + 120 * (1 - t));
        p.setPen(QPen(QColor(shade + 40, shade + 70, shade + 110, 200), i == 0 ? 3 : 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawPath(arch);
    }
    p.restore();
}

void Splash(PictureSink &sink) {
    QImage image = Canvas(1000, 500, Qt::black);
    QPainter p;
    Begin(p, image);
    QLinearGradient sky(0, 0, 0, 500);
    sky.setColorAt(0, QColor(0x0b, 0x1d, 0x33));
    sky.setColorAt(0.6, QColor(0x12, 0x2e, 0x4e));
    sky.setColorAt(1, QColor(0x06, 0x10, 0x1c));
    p.fillRect(image.rect(), sky);

    // Mountain with the portal cut into it.
    QPainterPath mountain;
    mountain.moveTo(0, 430);
    mountain.cubicTo(120, 300, 220, 210, 330, 170);
    mountain.cubicTo(420, 140, 470, 150, 560, 190);
    mountain.cubicTo(660, 235, 760, 230, 860, 280);
    mountain.cubicTo(920, 310, 960, 350, 1000, 380);
    mountain.lineTo(1000, 500);
    mountain.lineTo(0, 500);
    mountain.closeSubpath();
    QLinearGradient rock(0, 150, 0, 500);
    rock.setColorAt(0, QColor(0x2a, 0x3b, 0x4f));
    rock.setColorAt(1, QColor(0x10, 0x18, 0x24));
    p.fillPath(mountain, rock);

    // Light from inside the tunnel.
    const QPointF portal(262, 430);
    QRadialGradient glow(portal + QPointF(0, -90), 260);
    glow.setColorAt(0, QColor(255, 190, 90, 150));
    glow.setColorAt(0.4, QColor(255, 150, 60, 40));
    glow.setColorAt(1, QColor(255, 150, 60, 0));
    p.fillRect(image.rect(), glow);
    // Headwall of the portal.
    QPainterPath wall;
    wall.moveTo(portal + QPointF(-182, 0));
    wall.lineTo(portal + QPointF(-174, -258));
    wall.lineTo(portal + QPointF(174, -258));
    wall.lineTo(portal + QPointF(182, 0));
    wall.closeSubpath();
    QLinearGradient concrete(0, portal.y() - 262, 0, portal.y());
    concrete.setColorAt(0, QColor(0x3e, 0x4a, 0x5a));
    concrete.setColorAt(1, QColor(0x1c, 0x24, 0x30));
    p.fillPath(wall, concrete);
    p.setPen(QPen(QColor(0x6a, 0x78, 0x8a), 2));
    p.drawLine(portal + QPointF(-176, -258), portal + QPointF(176, -258));
    QPainterPath opening;
    opening.moveTo(portal + QPointF(-150, 0));
    opening.lineTo(portal + QPointF(-150, -90));
    opening.arcTo(QRectF(portal.x() - 150, portal.y() - 240, 300, 300), 180, -180);
    opening.lineTo(portal + QPointF(150, 0));
    opening.closeSubpath();
    QRadialGradient inside(portal + QPointF(0, -100), 170);
    inside.setColorAt(0, QColor(0xff, 0xd9, 0x9a));
    inside.setColorAt(0.25, QColor(0xc9, 0x7b, 0x32));
    inside.setColorAt(1, QColor(0x1a, 0x14, 0x10));
    p.fillPath(opening, inside);
    p.save();
    p.setClipPath(opening);
    Portal(p, portal, 300, 240, 14, 0.8);
    p.restore();
    // Portal face (concrete collar).
    p.setPen(QPen(QColor(0xb8, 0xc2, 0xcc), 10));
    p.setBrush(Qt::NoBrush);
    p.drawPath(opening);
    // Road.
    QPainterPath road;
    road.moveTo(portal + QPointF(-150, 0));
    road.lineTo(portal + QPointF(150, 0));
    road.lineTo(QPointF(522, 500));
    road.lineTo(QPointF(2, 500));
    road.closeSubpath();
    p.fillPath(road, QColor(0x22, 0x26, 0x2c));
    p.setPen(QPen(QColor(0xf0, 0xc0, 0x40), 3, Qt::DashLine));
    p.drawLine(portal, QPointF(portal.x(), 500));

    // Title block.
    p.setPen(Qt::white);
    p.setFont(Sans(44, true));
    p.drawText(QRect(480, 76, 520, 64), Qt::AlignLeft | Qt::AlignVCenter,
               U("隧道钻爆法施工计算工具"));
    p.setFont(Sans(22));
    p.setPen(QColor(0xd8, 0xe4, 0xf0));
    p.drawText(QRect(484, 142, 500, 38), Qt::AlignLeft | Qt::AlignVCenter,
               U("现场施工技术人员的常用计算助手"));
    p.setPen(QPen(QColor(0xf0, 0xa0, 0x30), 3));
    p.drawLine(486, 192, 770, 192);
    p.setFont(Sans(17));
    p.setPen(QColor(0xc0, 0xcc, 0xda));
    const char *topics[] = {"光面爆破设计", "爆破振速分析", "工期与进尺",
                            "施工通风",     "出碴设备配置", "模板荷载与危大工程"};
    for (int i = 0; i < 6; ++i)
        p.drawText(QRect(486 + (i % 2) * 200, 210 + (i / 2) * 32, 200, 30),
                   Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("▪ ") + U(topics[i]));
    p.setFont(Sans(14));
    p.setPen(QColor(0x90, 0xa4, 0xb8));
    p.drawText(QRect(486, 318, 500, 24), Qt::AlignLeft | Qt::AlignVCenter, U("版本 1.0"));

    // Dark band for the progress bar and its caption.
    QLinearGradient band(0, 440, 0, 500);
    band.setColorAt(0, QColor(0, 0, 0, 0));
    band.setColorAt(0.4, QColor(0x05, 0x0b, 0x14, 220));
    band.setColorAt(1, QColor(0x05, 0x0b, 0x14, 250));
    p.fillRect(QRect(0, 440, 1000, 60), band);
    p.end();
    sink.Save(image, "splash.png");
}

void MainBackground(PictureSink &sink) {
    QImage image = Canvas(1001, 542, Qt::black);
    QPainter p;
    Begin(p, image);
    QLinearGradient back(0, 0, 1001, 542);
    back.setColorAt(0, QColor(0x10, 0x26, 0x42));
    back.setColorAt(0.55, QColor(0x18, 0x3a, 0x60));
    back.setColorAt(1, QColor(0x0b, 0x1a, 0x2d));
    p.fillRect(image.rect(), back);

    // Fine engineering grid.
    p.setPen(QPen(QColor(255, 255, 255, 14), 1));
    for (int x = 0; x < 1001; x += 24) p.drawLine(x, 0, x, 542);
    for (int y = 0; y < 542; y += 24) p.drawLine(0, y, 1001, y);

    // A tunnel cross-section in blueprint lines on the right.
    const QPointF c(640, 330);
    const double r = 190;
    p.setPen(QPen(QColor(0x9c, 0xc8, 0xf0, 150), 2));
    p.setBrush(Qt::NoBrush);
    QPainterPath section;
    section.moveTo(c + QPointF(-r, 110));
    section.lineTo(c + QPointF(-r, 0));
    section.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 180, -180);
    section.lineTo(c + QPointF(r, 110));
    section.closeSubpath();
    p.drawPath(section);
    p.setPen(QPen(QColor(0x9c, 0xc8, 0xf0, 90), 1, Qt::DashLine));
    for (double inset : {24.0, 50.0, 76.0}) {
        QPainterPath ring;
        const double rr = r - inset;
        ring.moveTo(c + QPointF(-rr, 100));
        ring.lineTo(c + QPointF(-rr, 0));
        ring.arcTo(QRectF(c.x() - rr, c.y() - rr, 2 * rr, 2 * rr), 180, -180);
        ring.lineTo(c + QPointF(rr, 100));
        p.drawPath(ring);
    }
    // Holes on the face.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf0, 0xb0, 0x50, 170));
    for (const QPointF &m : Along(Contour(r - 10, 0, -100), 26))
        p.drawEllipse(c + QPointF(m.x(), -m.y()), 3.2, 3.2);
    p.setBrush(QColor(0x9c, 0xc8, 0xf0, 150));
    for (double inset : {50.0, 76.0})
        for (const QPointF &m : Along(Contour(r - inset, 0, -90), 40))
            p.drawEllipse(c + QPointF(m.x(), -m.y()), 3, 3);
    p.setBrush(QColor(0xe0, 0x50, 0x40, 190));
    for (double y : {20.0, 50.0, 80.0})
        for (double x : {-20.0, 20.0}) p.drawEllipse(c + QPointF(x, y - 40), 3.4, 3.4);
    // Centre lines and a dimension.
    p.setPen(QPen(QColor(0x9c, 0xc8, 0xf0, 80), 1, Qt::DashDotLine));
    p.drawLine(c + QPointF(0, -r - 30), c + QPointF(0, 140));
    p.drawLine(c + QPointF(-r - 30, 0), c + QPointF(r + 30, 0));

    // Title.
    p.setFont(Sans(34, true));
    p.setPen(Qt::white);
    p.drawText(QRect(260, 34, 720, 50), Qt::AlignRight | Qt::AlignVCenter,
               U("隧道钻爆法施工计算工具"));
    p.setFont(Sans(15));
    p.setPen(QColor(0xb8, 0xcc, 0xe0));
    p.drawText(QRect(260, 84, 720, 26), Qt::AlignRight | Qt::AlignVCenter,
               U("光面爆破 · 爆破振速 · 工期进尺 · 施工通风 · 出碴配置 · 危大工程"));
    p.setPen(QPen(QColor(0xf0, 0xa0, 0x30), 3));
    p.drawLine(740, 118, 980, 118);

    // The panel behind the navigation column is drawn by the main window,
    // which keeps it around the column at any window size.

    // Footer band under the clock line.
    QLinearGradient foot(0, 470, 0, 542);
    foot.setColorAt(0, QColor(0, 0, 0, 0));
    foot.setColorAt(0.5, QColor(0x04, 0x0b, 0x16, 170));
    foot.setColorAt(1, QColor(0x04, 0x0b, 0x16, 220));
    p.fillRect(QRect(0, 470, 1001, 72), foot);
    p.setFont(Sans(12));
    p.setPen(QColor(0x8c, 0xa0, 0xb6));
    p.drawText(QRect(20, 510, 500, 20), Qt::AlignLeft | Qt::AlignVCenter,
               U("计算结果仅供参考，请结合设计文件及现场实际复核"));
    p.end();
    sink.Save(image, "main_background.png");
}

// The small white pictogram at the left of each navigation button.
void Pictogram(QPainter &p, int which, QPointF c) {
    p.save();
    p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    switch (which) {
        case 0: {  // warning triangle
            QPolygonF t;
            t << c + QPointF(0, -10) << c + QPointF(10, 8) << c + QPointF(-10, 8);
            p.drawPolygon(t);
            p.drawLine(c + QPointF(0, -3), c + QPointF(0, 2));
            p.drawPoint(c + QPointF(0, 5));
            break;
        }
        case 1: {  // burst
            for (int i = 0; i < 8; ++i) {
                const double a = qDegreesToRadians(45.0 * i + 22.5);
                p.drawLine(
                    c + QPointF(4 * std::cos(a), 4 * std::sin(a)),
                    c + QPointF((i % 2 ? 8 : 11) * std::cos(a), (i % 2 ? 8 : 11) * std::sin(a)));
            }
            p.setBrush(Qt::white);
            p.drawEllipse(c, 2.2, 2.2);
            break;
        }
        case 2: {  // vibration wave
            QPainterPath wave;
            wave.moveTo(c + QPointF(-11, 0));
            for (int i = 0; i <= 44; ++i) {
                const double x = -11 + i * 0.5;
                wave.lineTo(c + QPointF(x, -7 * std::exp(-std::abs(x) / 7) * std::sin(x * 1.3)));
            }
            p.drawPath(wave);
            break;
        }
        case 3: {  // calendar
            p.drawRoundedRect(QRectF(c.x() - 10, c.y() - 8, 20, 18), 2, 2);
            p.drawLine(c + QPointF(-10, -3), c + QPointF(10, -3));
            p.drawLine(c + QPointF(-5, -11), c + QPointF(-5, -6));
            p.drawLine(c + QPointF(5, -11), c + QPointF(5, -6));
            p.drawLine(c + QPointF(-5, 3), c + QPointF(5, 3));
            break;
        }
        case 4: {  // fan
            p.drawEllipse(c, 10, 10);
            for (int i = 0; i < 3; ++i) {
                p.save();
                p.translate(c);
                p.rotate(120 * i);
                QPainterPath blade;
                blade.moveTo(0, 0);
                blade.quadTo(6, -2, 6, -7);
                blade.quadTo(1, -7, 0, 0);
                p.setBrush(Qt::white);
                p.drawPath(blade);
                p.restore();
            }
            break;
        }
        case 5: {  // dump truck
            QPainterPath body;
            body.moveTo(c + QPointF(-11, 3));
            body.lineTo(c + QPointF(-11, -5));
            body.lineTo(c + QPointF(2, -5));
            body.lineTo(c + QPointF(2, 3));
            body.closeSubpath();
            p.drawPath(body);
            p.drawPolyline(QPolygonF()
                           << c + QPointF(2, -2) << c + QPointF(8, -2) << c + QPointF(11, 1)
                           << c + QPointF(11, 3) << c + QPointF(2, 3));
            p.drawEllipse(c + QPointF(-7, 6), 2.6, 2.6);
            p.drawEllipse(c + QPointF(7, 6), 2.6, 2.6);
            break;
        }
    }
    p.restore();
}

// The pictogram of a module's button; a module without one of its own gets
// the burst.
int PictogramOf(std::string_view module) {
    static const std::string_view kModules[] = {"dangerous_works", "smoothblast", "vibration",
                                                "period",          "ventilation", "mucking"};
    for (int i = 0; i < int(std::size(kModules)); ++i)
        if (kModules[i] == module) return i;
    return 1;
}

void NavigationButton(PictureSink &sink, const char *id, const char *caption, int which, int height,
                      bool hover) {
    QImage image(151, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p;
    Begin(p, image);
    const QRectF box(0.5, 0.5, 150, height - 1);
    QLinearGradient fill(0, 0, 0, height);
    if (hover) {
        fill.setColorAt(0, QColor(0xf6, 0xb2, 0x4a));
        fill.setColorAt(0.5, QColor(0xe8, 0x8a, 0x1e));
        fill.setColorAt(1, QColor(0xc2, 0x64, 0x0c));
    } else {
        fill.setColorAt(0, QColor(0x3d, 0x74, 0xad));
        fill.setColorAt(0.5, QColor(0x2a, 0x5a, 0x8e));
        fill.setColorAt(1, QColor(0x1b, 0x3f, 0x69));
    }
    p.setPen(QPen(hover ? QColor(0x8a, 0x44, 0x06) : QColor(0x0f, 0x26, 0x42), 1));
    p.setBrush(fill);
    p.drawRoundedRect(box, 7, 7);
    // Gloss on the upper half.
    QLinearGradient gloss(0, 0, 0, height / 2.0);
    gloss.setColorAt(0, QColor(255, 255, 255, 70));
    gloss.setColorAt(1, QColor(255, 255, 255, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawRoundedRect(QRectF(2, 2, 147, height / 2.0 - 2), 5, 5);
    // Icon disc.
    const QPointF icon(24, height / 2.0);
    p.setBrush(QColor(0, 0, 0, hover ? 45 : 60));
    p.drawEllipse(icon, 15, 15);
    Pictogram(p, which, icon);
    // Caption with a soft shadow.
    p.setFont(Sans(16, true));
    const QRectF text(44, 0, 101, height);
    p.setPen(QColor(0, 0, 0, 110));
    p.drawText(text.translated(1, 1), Qt::AlignCenter, U(caption));
    p.setPen(Qt::white);
    p.drawText(text, Qt::AlignCenter, U(caption));
    p.end();
    sink.Save(image, (QByteArray(id) + (hover ? "_hover.png" : ".png")).constData());
}

}  // namespace

void DrawShellPictures(PictureSink &sink) {
    Splash(sink);
    MainBackground(sink);
    // One per navigation button of the modules, named after the button ids,
    // which the main window loads them by.
    std::vector<const tunnel::ModuleEntry *> modules(tunnel::BuiltModules().begin(),
                                                     tunnel::BuiltModules().end());
    std::stable_sort(modules.begin(), modules.end(), [](const auto *a, const auto *b) {
        return a->button.position < b->button.position;
    });
    for (const tunnel::ModuleEntry *entry : modules) {
        const tunnel::NavigationButton &button = entry->button;
        if (!button.id) continue;
        const int which = PictogramOf(entry->id);
        NavigationButton(sink, button.id, button.caption, which, button.height, false);
        NavigationButton(sink, button.id, button.caption, which, button.height, true);
    }
}

}  // namespace pictures
