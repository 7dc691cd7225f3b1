// The smooth-blasting hole layout of a full horseshoe section. The holes are
// laid out along the contour rings and the legend and spacings are measured
// from them, so the picture stays consistent when a ring changes.

#include <QColor>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <vector>

#include "pictures/drawing_kit.h"
#include "pictures/picture_families.h"

namespace pictures {

namespace {

const QColor kEaserInk(20, 150, 40);
const QColor kPerimeterInk(30, 70, 220);

struct Hole {
    QPointF at;  // metres, origin at the floor centre, y up
    int type;    // 0 cut, 1 easer, 2 perimeter, 3 floor
    int delay;
};

}  // namespace

void DrawHoleLayout(PictureSink &sink) {
    QImage image = Canvas(774, 554);
    QPainter p;
    Begin(p, image);
    // A fixed sketch, not the design on screen: the title says so.
    Title(p, QRect(0, 6, 774, 26), U("布眼示意图（示意，非本工程设计）"), 18);
    p.setFont(Sans(12));
    p.setPen(QColor(0x55, 0x55, 0x55));
    p.drawText(QRect(14, 10, 300, 20), Qt::AlignLeft | Qt::AlignVCenter, U("（尺寸单位：cm）"));

    const double R = 5.5, spring = 2.0;  // excavation radius and springing line, m
    const double s = 48;                 // px per metre
    const QPointF origin(334, 474);      // floor centre in pixels
    auto px = [&](QPointF m) { return origin + QPointF(m.x() * s, -m.y() * s); };

    std::vector<Hole> holes;
    const double E = 0.5, W = 0.6;
    for (const QPointF &m : Along(Contour(R, spring, 0.55), E)) holes.push_back({m, 2, 13});
    for (const QPointF &m : Along({QPointF(-5.25, 0.0), QPointF(5.25, 0.0)}, 0.7))
        holes.push_back({m + QPointF(0, 0.08), 3, 15});
    const double ring1 = R - W, ring2 = ring1 - 0.8, ring3 = ring2 - 0.8;
    for (const QPointF &m : Along(Contour(ring1, spring, 0.8), 0.8)) holes.push_back({m, 1, 11});
    for (const QPointF &m : Along(Contour(ring2, spring, 0.8), 0.85)) holes.push_back({m, 1, 9});
    for (const QPointF &m : Along(Contour(ring3, spring, 0.8), 0.9)) holes.push_back({m, 1, 7});
    const double rows[] = {1.2, 2.0, 2.8};
    for (double y : rows)
        for (double x : {-0.55, 0.55}) holes.push_back({QPointF(x, y), 0, 1});
    for (double y : rows)
        for (double x : {-1.4, 1.4}) holes.push_back({QPointF(x, y), 0, 3});
    for (double y : rows)
        for (double x : {-2.3, 2.3}) holes.push_back({QPointF(x, y), 1, 5});
    for (double x : {-1.85, -0.62, 0.62, 1.85}) holes.push_back({QPointF(x, 3.75), 1, 5});
    for (double x : {-1.0, 1.0}) holes.push_back({QPointF(x, 4.6), 1, 5});

    // Rock around the section, the excavation line, the floor.
    QPainterPath outside;
    outside.addRect(QRectF(px(QPointF(-R - 0.6, 8.1)), px(QPointF(R + 0.6, -0.45))));
    QPainterPath section;
    section.moveTo(px(QPointF(-R, 0)));
    for (const QPointF &m : Contour(R, spring, 0)) section.lineTo(px(m));
    section.closeSubpath();
    const QPainterPath rock = outside.subtracted(section);
    p.fillPath(rock, QColor(0xee, 0xea, 0xe0));
    Hatch(p, rock, QColor(0xcc, 0xc4, 0xb2), 10);
    p.fillPath(section, QColor(0xfd, 0xfd, 0xfb));
    p.setPen(QPen(kInk, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(section);
    // Smooth blasting layer between the perimeter and the first easer ring.
    QPainterPath layer;
    layer.moveTo(px(QPointF(-R, 0.55)));
    for (const QPointF &m : Contour(R, spring, 0.55)) layer.lineTo(px(m));
    QPainterPath inner;
    inner.moveTo(px(QPointF(-ring1, 0.8)));
    for (const QPointF &m : Contour(ring1, spring, 0.8)) inner.lineTo(px(m));
    p.setPen(QPen(kEaserInk, 1, Qt::DashLine));
    p.drawPath(inner);
    // Cut outline.
    p.setPen(QPen(QColor(0xc0, 0x2a, 0x1a), 1, Qt::DashLine));
    p.drawRect(QRectF(px(QPointF(-1.75, 3.15)), px(QPointF(1.75, 0.85))));
    Label(p, px(QPointF(0, 3.35)), U("掏槽区"), 11, QColor(0xc0, 0x2a, 0x1a));
    // Centre line.
    p.setPen(QPen(QColor(0x99, 0x99, 0x99), 1, Qt::DashDotLine));
    p.drawLine(px(QPointF(0, -0.3)), px(QPointF(0, 7.9)));

    // Easer and perimeter holes in the colours of the drill pattern drawing.
    const QColor typeInk[] = {QColor(0xc0, 0x2a, 0x1a), kEaserInk, kPerimeterInk,
                              QColor(0x8a, 0x5a, 0x2b)};
    for (const Hole &h : holes) {
        p.setPen(QPen(typeInk[h.type].darker(130), 1));
        p.setBrush(typeInk[h.type]);
        p.drawEllipse(px(h.at), 7.5, 7.5);
        Label(p, px(h.at) + QPointF(0, 0.5), QString::number(h.delay), h.delay >= 10 ? 9 : 10,
              Qt::white, true);
    }

    // Spacings.
    auto perimeterAt = [&](double degrees, double radius) {
        const double a = qDegreesToRadians(degrees);
        return QPointF(radius * std::cos(a), spring + radius * std::sin(a));
    };
    {
        // E between two perimeter holes near the crown (right side).
        std::vector<QPointF> arch;
        for (const Hole &h : holes)
            if (h.type == 2 && h.at.y() > spring + 3.5 && h.at.x() > 1.5) arch.push_back(h.at);
        std::sort(arch.begin(), arch.end(), [](QPointF a, QPointF b) { return a.x() < b.x(); });
        if (arch.size() >= 2) {
            const QPointF a = arch[0], b = arch[1];
            const QPointF dir = (b - a) / QLineF(a, b).length();
            const QPointF out(-dir.y(), dir.x());  // outward normal (y up)
            const QPointF oa = a + out * 0.55, ob = b + out * 0.55;
            Witness(p, px(a + out * 0.18), px(oa + out * 0.08));
            Witness(p, px(b + out * 0.18), px(ob + out * 0.08));
            p.save();
            p.setPen(QPen(kDim, 1.1));
            p.drawLine(px(oa), px(ob));
            Arrowhead(p, px(oa), px(ob), 6);
            Arrowhead(p, px(ob), px(oa), 6);
            p.restore();
            QRectF tag(px((oa + ob) / 2 + out * 0.45) - QPointF(34, 9), QSizeF(68, 18));
            p.fillRect(tag, QColor(0xee, 0xea, 0xe0));
            Label(p, tag.center(),
                  QStringLiteral("E=%1").arg(std::lround(QLineF(a, b).length() * 100)), 12, kDim,
                  true);
        }
        // W radially at 120°.
        const QPointF w0 = perimeterAt(122, R), w1 = perimeterAt(122, ring1);
        Dimension(p, px(w0), px(w1), QString(), 1);
        QRectF tag(px(perimeterAt(122, R + 0.45)) - QPointF(30, 9), QSizeF(60, 18));
        p.fillRect(tag, QColor(0xee, 0xea, 0xe0));
        Label(p, tag.center(), QStringLiteral("W=%1").arg(std::lround(W * 100)), 12, kDim, true);
    }
    // Easer ring spacing on the left wall.
    Dimension(p, px(QPointF(-ring1, 1.6)), px(QPointF(-ring2, 1.6)), QStringLiteral("80"), -1);
    Dimension(p, px(QPointF(-ring2, 1.6)), px(QPointF(-ring3, 1.6)), QStringLiteral("80"), -1);
    // Cut spacings.
    Dimension(p, px(QPointF(-0.55, 0.6)), px(QPointF(0.55, 0.6)), QStringLiteral("110"), -1);
    Witness(p, px(QPointF(-0.55, 1.05)), px(QPointF(-0.55, 0.5)));
    Witness(p, px(QPointF(0.55, 1.05)), px(QPointF(0.55, 0.5)));
    Dimension(p, px(QPointF(0.3, 2.0)), px(QPointF(0.3, 2.8)), QStringLiteral("80"), -1);
    // Floor hole spacing.
    {
        std::vector<QPointF> floor;
        for (const Hole &h : holes)
            if (h.type == 3) floor.push_back(h.at);
        std::sort(floor.begin(), floor.end(), [](QPointF a, QPointF b) { return a.x() < b.x(); });
        const QPointF a = floor[floor.size() / 2], b = floor[floor.size() / 2 + 1];
        const double y = -0.32;
        Witness(p, px(QPointF(a.x(), a.y() - 0.15)), px(QPointF(a.x(), y - 0.08)));
        Witness(p, px(QPointF(b.x(), b.y() - 0.15)), px(QPointF(b.x(), y - 0.08)));
        Dimension(p, px(QPointF(a.x(), y)), px(QPointF(b.x(), y)),
                  QString::number(std::lround((b.x() - a.x()) * 100)), -1);
    }
    // Overall width and height.
    const double dimY = -0.82;
    Witness(p, px(QPointF(-R, -0.1)), px(QPointF(-R, dimY - 0.1)));
    Witness(p, px(QPointF(R, -0.1)), px(QPointF(R, dimY - 0.1)));
    Dimension(p, px(QPointF(-R, dimY)), px(QPointF(R, dimY)),
              QStringLiteral("B=%1").arg(std::lround(2 * R * 100)), -1);
    const double dimX = -R - 0.42;
    Witness(p, px(QPointF(-0.3, spring + R)), px(QPointF(dimX - 0.1, spring + R)));
    Dimension(p, px(QPointF(dimX, 0)), px(QPointF(dimX, spring + R)),
              QStringLiteral("H=%1").arg(std::lround((spring + R) * 100)), 1);

    // Legend.
    const int lx = 612;
    int y = 60;
    p.setFont(Sans(13, true));
    p.setPen(kTitleInk);
    p.drawText(QRect(lx, y, 150, 20), Qt::AlignLeft, U("图例"));
    y += 26;
    const char *names[] = {"掏槽眼", "辅助眼", "周边眼", "底板眼"};
    int counts[4] = {0, 0, 0, 0};
    QList<int> delays[4];
    for (const Hole &h : holes) {
        ++counts[h.type];
        if (!delays[h.type].contains(h.delay)) delays[h.type] << h.delay;
    }
    for (int t = 0; t < 4; ++t) {
        p.setPen(QPen(typeInk[t].darker(130), 1));
        p.setBrush(typeInk[t]);
        p.drawEllipse(QPointF(lx + 8, y + 10), 7.5, 7.5);
        p.setFont(Sans(13, true));
        p.setPen(kInk);
        p.drawText(QRect(lx + 22, y, 130, 20), Qt::AlignLeft | Qt::AlignVCenter,
                   U(names[t]) + QStringLiteral("  %1 个").arg(counts[t]));
        std::sort(delays[t].begin(), delays[t].end());
        QStringList ds;
        for (int d : delays[t]) ds << QString::number(d);
        p.setFont(Sans(12));
        p.setPen(QColor(0x44, 0x44, 0x44));
        p.drawText(QRect(lx + 22, y + 20, 140, 18), Qt::AlignLeft | Qt::AlignVCenter,
                   U("段别 ") + ds.join(QStringLiteral("、")));
        y += 46;
    }
    p.setPen(QPen(QColor(0xcc, 0xcc, 0xcc), 1));
    p.drawLine(lx, y, 764, y);
    y += 8;
    p.setFont(Sans(12));
    p.setPen(kInk);
    const int total = counts[0] + counts[1] + counts[2] + counts[3];
    y += Paragraph(p, QRect(lx, y, 152, 200),
                   U("合计 %1 个炮眼\n圆内数字为雷管段别\n\nE —— 周边眼间距\nW —— 光爆层厚度\n"
                     "E/W ≈ 0.8（密集系数）\n\n周边眼间隔装药，\n孔口堵塞不小于 20 cm；\n"
                     "起爆顺序：掏槽眼→\n辅助眼→周边眼→底板眼。")
                       .arg(total),
                   Sans(12));
    p.end();
    sink.Save(image, "hole_layout.png");
}

}  // namespace pictures
