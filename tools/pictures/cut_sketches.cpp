// Sketches of the cut patterns for the reference windows: wedge cuts in
// section and parallel-hole cuts in front view, each at the size its window
// shows it.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "pictures/drawing_kit.h"
#include "pictures/picture_families.h"

namespace pictures {

namespace {

// Wedge cuts.

// One converging hole of a wedge, drawn as a thin drilled bore from collar
// to bottom; charged length solid, stemming left open.
void Bore(QPainter &p, QPointF collar, QPointF bottom, double charged = 0.7) {
    p.save();
    p.setPen(QPen(QColor(0x55, 0x55, 0x55), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(collar, bottom);
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(collar, bottom);
    const QPointF start = collar + (bottom - collar) * (1 - charged);
    p.setPen(QPen(QColor(0xc0, 0x2a, 0x1a), 3, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(start, bottom);
    p.restore();
}

QRectF Rock(QPainter &p, QRectF area) {
    QPainterPath path;
    path.addRect(area);
    p.fillPath(path, QColor(0xf4, 0xf1, 0xea));
    Hatch(p, path, QColor(0xd8, 0xd0, 0xc0), 10);
    return area;
}

void FaceLine(QPainter &p, QPointF a, QPointF b, const QString &label) {
    p.save();
    p.setPen(QPen(kInk, 2));
    p.drawLine(a, b);
    p.restore();
    Label(p, a + QPointF(-4, -10), label, 11, QColor(0x44, 0x44, 0x44));
}

void WedgeLayout(PictureSink &sink) {
    QImage image = Canvas(470, 266);
    QPainter p;
    Begin(p, image);
    PanelFrame(p, image);
    Title(p, QRect(0, 4, 470, 24), U("单级楔形掏槽炮眼布置"), 15);

    // Front views: vertical wedge (pairs side by side) and horizontal wedge.
    auto front = [&](QPointF centre, bool vertical, const QString &caption) {
        QRectF face(centre.x() - 62, centre.y() - 70, 124, 140);
        p.setPen(QPen(QColor(0x99, 0x99, 0x99), 1, Qt::DashLine));
        p.setBrush(QColor(0xf7, 0xf7, 0xf7));
        p.drawRect(face);
        const double a = 22, b = 34;  // half pair spacing, row spacing
        for (int i = -1; i <= 1; ++i)
            for (int s : {-1, 1}) {
                const QPointF c =
                    vertical ? centre + QPointF(s * a, i * b) : centre + QPointF(i * b, s * a);
                ChargedHole(p, c, 5);
                // Arrow of the drilling direction towards the wedge plane.
                p.setPen(QPen(QColor(0xc0, 0x2a, 0x1a), 1.2));
                const QPointF to = vertical ? c + QPointF(-s * 12, 0) : c + QPointF(0, -s * 12);
                p.drawLine(c, to);
                Arrowhead(p, to, c, 5);
            }
        if (vertical) {
            Dimension(p, centre + QPointF(-a, 62), centre + QPointF(a, 62), QStringLiteral("a"), 1);
            Dimension(p, centre + QPointF(50, -b), centre + QPointF(50, 0), QStringLiteral("b"),
                      -1);
        } else {
            Dimension(p, centre + QPointF(-50, -a), centre + QPointF(-50, a), QStringLiteral("a"),
                      1);
            Dimension(p, centre + QPointF(0, 54), centre + QPointF(b, 54), QStringLiteral("b"), 1);
        }
        Label(p, centre + QPointF(0, 84), caption, 12, kInk, true);
    };
    front(QPointF(78, 116), true, U("垂直楔形（正视）"));
    front(QPointF(218, 116), false, U("水平楔形（正视）"));

    // Section A–A of the vertical wedge: face at top, holes converge.
    const double faceY = 52, depth = 132;
    Rock(p, QRectF(300, faceY, 160, 156));
    FaceLine(p, QPointF(300, faceY), QPointF(460, faceY), QString());
    Label(p, QPointF(324, faceY - 8), U("工作面"), 11, QColor(0x44, 0x44, 0x44));
    const double cx = 380;
    const QPointF collarL(cx - 52, faceY), collarR(cx + 52, faceY);
    const QPointF bottomL(cx - 7, faceY + depth), bottomR(cx + 7, faceY + depth);
    Bore(p, collarL, bottomL);
    Bore(p, collarR, bottomR);
    p.setPen(QPen(QColor(0x90, 0x20, 0x10), 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(QPolygonF() << collarL << bottomL << bottomR << collarR);
    // Angle between hole and face.
    p.setPen(QPen(kDim, 1));
    const double angle = qRadiansToDegrees(std::atan2(depth, 52 - 7));
    p.drawArc(QRectF(collarL - QPointF(22, 22), QSizeF(44, 44)), int(-angle * 16), int(angle * 16));
    Label(p, collarL + QPointF(22, 15), QStringLiteral("α"), 12, kDim);
    Dimension(p, QPointF(bottomL.x(), faceY + depth + 12), QPointF(bottomR.x(), faceY + depth + 12),
              QString(), 1);
    Label(p, QPointF(cx, faceY + depth + 24), U("孔底间距 10～20 cm"), 11, kDim);
    Dimension(p, QPointF(448, faceY), QPointF(448, faceY + depth), QStringLiteral("L"), -1);
    Label(p, QPointF(404, 34), U("A–A 剖面（俯视）"), 12, kInk, true);

    Paragraph(p, QRect(12, 222, 450, 40),
              U("a —— 同对炮眼孔口间距 0.4～0.6 m（随眼深增大）；b —— 各对炮眼间距 0.4～0.6 m；\n"
                "α —— 炮眼与工作面夹角 60°～75°；L —— 眼深；同对炮眼同段起爆。"),
              Sans(11), Qt::AlignLeft | Qt::AlignTop, QColor(0x33, 0x33, 0x33));
    p.end();
    sink.Save(image, "wedge_cut_layout.png");
}

// Section of a compound wedge with the given stages; each stage a pair of
// holes, inner stages shorter and steeper, fired first.
void CompoundWedge(PictureSink &sink, const char *fileName, const char *title, int stages,
                   const char *note) {
    QImage image = Canvas(470, 266);
    QPainter p;
    Begin(p, image);
    PanelFrame(p, image);
    Title(p, QRect(0, 4, 470, 24), U(title), 15);

    const double faceY = 48, cx = 184;
    Rock(p, QRectF(20, faceY, 300, 172));
    FaceLine(p, QPointF(20, faceY), QPointF(320, faceY), QString());
    Label(p, QPointF(46, faceY - 9), U("工作面"), 11, QColor(0x44, 0x44, 0x44));
    const double fullDepth = 160;
    const QColor stageInk[] = {QColor(0xc0, 0x2a, 0x1a), QColor(0xd4, 0x7a, 0x00),
                               QColor(0x1f, 0x6f, 0xb0), QColor(0x2e, 0x8b, 0x57)};
    const char *delays[] = {"1段", "3段", "5段", "7段"};
    for (int s = 0; s < stages; ++s) {
        const double depth = fullDepth * (s + 1) / stages;
        const double half = 24 + s * (stages == 2 ? 52 : 38);
        const double bottomHalf = 5 + s * 2;
        const QPointF cl(cx - half, faceY), cr(cx + half, faceY);
        const QPointF bl(cx - bottomHalf, faceY + depth), br(cx + bottomHalf, faceY + depth);
        Bore(p, cl, bl, 0.72);
        Bore(p, cr, br, 0.72);
        p.setPen(QPen(stageInk[s], 1.2, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF() << cl << bl << br << cr);
        // Stage tag above the right collar.
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(stageInk[s]);
        p.drawEllipse(QPointF(cr.x(), faceY - 10), 7.5, 7.5);
        p.restore();
        Label(p, QPointF(cr.x(), faceY - 10), QString::number(s + 1), 11, Qt::white, true);
        // Depth of the stage on the left.
        Dimension(p, QPointF(32 + s * 18, faceY), QPointF(32 + s * 18, faceY + depth),
                  QStringLiteral("L%1").arg(s + 1), 1, stageInk[s], 11);
    }

    // Legend on the right.
    int y = 44;
    p.setFont(Sans(12, true));
    p.setPen(kTitleInk);
    p.drawText(QRect(334, y, 130, 18), Qt::AlignLeft, U("分级及起爆顺序"));
    y += 24;
    for (int s = 0; s < stages; ++s) {
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(stageInk[s]);
        p.drawEllipse(QPointF(344, y + 8), 8, 8);
        p.restore();
        Label(p, QPointF(344, y + 8), QString::number(s + 1), 11, Qt::white, true);
        p.setFont(Sans(12));
        p.setPen(kInk);
        const QString text =
            (stages == 2 ? QStringList{U("一级掏槽"), U("二级掏槽")}
                         : QStringList{U("一级掏槽"), U("二级掏槽"), U("三级掏槽")})
                .at(s);
        p.drawText(QRect(358, y, 110, 18), Qt::AlignLeft | Qt::AlignVCenter,
                   text + QStringLiteral("  ") + U(delays[s]));
        y += 26;
    }
    p.setFont(Sans(11));
    p.setPen(QColor(0x44, 0x44, 0x44));
    p.drawText(QRect(334, y + 4, 130, 80), Qt::AlignLeft | Qt::TextWordWrap,
               U("红色段为装药段，\n其余为堵塞段；\n虚线为各级掏槽\n形成的槽腔轮廓。"));

    Paragraph(p, QRect(12, 224, 450, 40), U(note), Sans(11), Qt::AlignLeft | Qt::AlignTop,
              QColor(0x33, 0x33, 0x33));
    p.end();
    sink.Save(image, fileName);
}

void WedgeAdvance(PictureSink &sink) {
    QImage image = Canvas(470, 266);
    QPainter p;
    Begin(p, image);
    PanelFrame(p, image);
    Title(p, QRect(0, 4, 470, 24), U("楔形掏槽循环进尺参考表"), 15);
    Grid grid{QPoint(12, 34), {124, 96, 112, 112}, {42, 30, 30, 30, 30}};
    std::vector<Cell> cells = {
        {0, 0, U("掏槽形式"), 1, 1, Qt::AlignCenter, true},
        {0, 1, U("掏槽眼与\n工作面夹角 α"), 1, 1, Qt::AlignCenter, true},
        {0, 2, U("中硬岩（m）\nf＝4～8"), 1, 1, Qt::AlignCenter, true},
        {0, 3, U("坚硬岩（m）\nf＝8～15"), 1, 1, Qt::AlignCenter, true},
    };
    const char *rows[][4] = {
        {"单级楔形掏槽", "60°～75°", "1.5～2.0", "1.2～1.6"},
        {"二级复式楔形掏槽", "55°～75°", "2.0～2.8", "1.8～2.4"},
        {"三级复式楔形掏槽", "50°～75°", "2.8～3.5", "2.4～3.0"},
        {"多级复式楔形掏槽", "50°～80°", "3.5～4.5", "3.0～4.0"},
    };
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            cells.push_back({r + 1, c, U(rows[r][c]), 1, 1,
                             c == 0 ? int(Qt::AlignLeft | Qt::AlignVCenter) : int(Qt::AlignCenter),
                             false, c == 0 ? QColor(0xf1, 0xf4, 0xf8) : QColor(Qt::transparent)});
    DrawTable(p, grid, cells, Sans(13), Sans(12, true));
    Paragraph(
        p, QRect(14, grid.Bottom() + 6, 444, 60),
        U("注：表列为单循环进尺经验参考值，炮眼利用率按 85%～90% 考虑；实际进尺受钻孔机具、炸药性能、断面大小及围岩完整性影响，应通过试爆确定。"),
        Sans(11), Qt::AlignLeft | Qt::AlignTop, QColor(0x33, 0x33, 0x33));
    p.end();
    sink.Save(image, "wedge_cut_advance.png");
}

// Parallel-hole cuts.

struct CutHole {
    double x, y;  // mm from the cut centre, y down
    bool charged;
    int delay;  // 0 for none
};

// One small-empty-hole pattern: title, the layout at scale, dimension
// captions and the charge notes.
void SmallHoleCut(
    PictureSink &sink, const char *fileName, const char *title, const std::vector<CutHole> &holes,
    const std::function<void(QPainter &, std::function<QPointF(double, double)>)> &dims,
    const char *notes) {
    QImage image = Canvas(206, 338);
    QPainter p;
    Begin(p, image);
    PanelFrame(p, image);
    p.fillRect(QRect(1, 1, 204, 28), QColor(0xe9, 0xef, 0xf7));
    Title(p, QRect(0, 3, 206, 24), U(title), 14);

    // Scale the pattern to fill the sketch area (y 40..226), centred on it.
    QRectF extent;
    for (const CutHole &h : holes) extent |= QRectF(h.x - 1, h.y - 1, 2, 2);
    const double scale = std::min(80.0 / (extent.height() / 2), 70.0 / (extent.width() / 2 + 1));
    const QPointF centre(103, 134);
    auto at = [&, scale](double x, double y) {
        return centre +
               QPointF((x - extent.center().x()) * scale, (y - extent.center().y()) * scale);
    };
    p.setPen(QPen(QColor(0xdd, 0xdd, 0xdd), 1, Qt::DotLine));
    p.drawLine(at(-400, 0).x() < 12 ? QPointF(12, at(0, 0).y()) : at(-400, 0),
               QPointF(194, at(0, 0).y()));
    p.drawLine(QPointF(at(0, 0).x(), 36), QPointF(at(0, 0).x(), 230));
    dims(p, at);
    for (const CutHole &h : holes) {
        if (h.charged)
            ChargedHole(p, at(h.x, h.y), 7);
        else
            EmptyHole(p, at(h.x, h.y), 7);
        if (h.delay > 0)
            Label(p, at(h.x, h.y) + QPointF(12, -10), QString::number(h.delay), 11,
                  QColor(0xc0, 0x2a, 0x1a), true);
    }
    // Legend.
    ChargedHole(p, QPointF(18, 246), 5);
    Label(p, QPointF(46, 246), U("装药孔"), 11);
    EmptyHole(p, QPointF(86, 246), 5);
    Label(p, QPointF(108, 246), U("空孔"), 11);
    Label(p, QPointF(164, 246), U("红字为段别"), 11, QColor(0xc0, 0x2a, 0x1a));
    p.setPen(QPen(QColor(0xcc, 0xcc, 0xcc), 1));
    p.drawLine(10, 258, 196, 258);
    Paragraph(p, QRect(10, 262, 188, 74), U(notes), Sans(11), Qt::AlignLeft | Qt::AlignTop,
              QColor(0x33, 0x33, 0x33));
    p.end();
    sink.Save(image, fileName);
}

void SmallHoleCuts(PictureSink &sink) {
    SmallHoleCut(
        sink, "parallel_cut_1.png", "① 龟裂直眼掏槽",
        {{0, -200, true, 1},
         {0, -100, false, 0},
         {0, 0, true, 1},
         {0, 100, false, 0},
         {0, 200, true, 1}},
        [](QPainter &p, auto at) {
            Dimension(p, at(90, -200), at(90, -100), QStringLiteral("100"), 1);
            Dimension(p, at(90, -100), at(90, 0), QStringLiteral("100"), 1);
            Witness(p, at(20, -200), at(100, -200));
            Witness(p, at(20, -100), at(100, -100));
            Witness(p, at(20, 0), at(100, 0));
        },
        "装药孔与空孔沿一直线相间布置，\n孔距 100～150 mm；同段起爆，\n形成一条贯通裂缝，适用于\n中硬岩小断面巷道。");
    SmallHoleCut(
        sink, "parallel_cut_2.png", "② 三角柱状掏槽",
        {{0, 0, false, 0},
         {0, -150, true, 1},
         {130, 75, true, 3},
         {-130, 75, true, 5},
         {0, 220, false, 0}},
        [](QPainter &p, auto at) {
            p.setPen(QPen(QColor(0x88, 0x88, 0x88), 1, Qt::DashLine));
            p.drawPolygon(QPolygonF() << at(0, -150) << at(130, 75) << at(-130, 75));
            Dimension(p, at(0, 0), at(0, -150), QStringLiteral("150"), 1);
            Dimension(p, at(-130, 130), at(130, 130), QStringLiteral("260"), 1);
        },
        "中心空孔周边三个装药孔呈正\n三角形布置，距空孔 150 mm，\n依次 1、3、5 段起爆；下部\n辅助空孔增加补偿空间。");
    SmallHoleCut(
        sink, "parallel_cut_3.png", "③ 菱形直眼掏槽",
        {{0, -50, false, 0},
         {0, 50, false, 0},
         {-150, 0, true, 1},
         {150, 0, true, 1},
         {0, -220, true, 3},
         {0, 220, true, 3}},
        [](QPainter &p, auto at) {
            p.setPen(QPen(QColor(0x88, 0x88, 0x88), 1, Qt::DashLine));
            p.drawPolygon(QPolygonF() << at(0, -220) << at(150, 0) << at(0, 220) << at(-150, 0));
            Dimension(p, at(0, 30), at(150, 30), QStringLiteral("150"), -1);
            Witness(p, at(150, 20), at(150, 40));
            Dimension(p, at(80, -220), at(80, 0), QStringLiteral("220"), 1);
            Witness(p, at(10, -220), at(90, -220));
        },
        "中心两个空孔间距 100 mm；\n水平两装药孔距中心 150 mm\n（1 段），竖向两孔距中心\n220 mm（3 段）。");
    SmallHoleCut(
        sink, "parallel_cut_4.png", "④ 五梅花掏槽",
        {{0, 0, true, 1},
         {-100, -100, false, 0},
         {100, -100, false, 0},
         {-100, 100, false, 0},
         {100, 100, false, 0},
         {0, -230, true, 3},
         {0, 230, true, 3},
         {-230, 0, true, 5},
         {230, 0, true, 5}},
        [](QPainter &p, auto at) {
            Dimension(p, at(-100, -160), at(100, -160), QStringLiteral("200"), -1);
            Witness(p, at(-100, -110), at(-100, -170));
            Witness(p, at(100, -110), at(100, -170));
            Dimension(p, at(160, 0), at(160, 230), QStringLiteral("230"), 1);
            Witness(p, at(10, 230), at(170, 230));
        },
        "中心装药孔四周布四个空孔\n（方形边长 200 mm），外圈四孔\n距中心 230 mm；中心孔加强\n装药，先行起爆。");
    SmallHoleCut(
        sink, "parallel_cut_5.png", "⑤ 小空孔螺旋掏槽",
        {{0, 0, false, 0},
         {70, 0, true, 1},
         {0, 110, true, 3},
         {-160, 0, true, 5},
         {0, -220, true, 7}},
        [](QPainter &p, auto at) {
            QPainterPath spiral;
            spiral.moveTo(at(70, 0));
            spiral.quadTo(at(80, 100), at(0, 110));
            spiral.quadTo(at(-150, 110), at(-160, 0));
            spiral.quadTo(at(-160, -210), at(0, -220));
            p.setPen(QPen(QColor(0x88, 0x88, 0x88), 1, Qt::DashLine));
            p.setBrush(Qt::NoBrush);
            p.drawPath(spiral);
            Dimension(p, at(-160, 40), at(0, 40), QStringLiteral("160"), -1);
            Dimension(p, at(30, -220), at(30, 0), QStringLiteral("220"), -1);
        },
        "装药孔距空孔中心依次为 70、\n110、160、220 mm，按螺旋线\n逐孔错段起爆，后一孔以前孔\n形成的槽腔为自由面。");
}

void LargeHoleCuts(PictureSink &sink) {
    QImage image = Canvas(620, 405);
    QPainter p;
    Begin(p, image);
    Title(p, QRect(0, 2, 620, 24), U("常用大直径空孔直眼掏槽"), 15);
    Grid grid{QPoint(8, 30), {64, 150, 188, 202}, {28, 172, 172}};
    std::vector<Cell> cells = {
        {0, 0, U("掏槽形式"), 1, 1, Qt::AlignCenter, true},
        {0, 1, U("布置简图"), 1, 1, Qt::AlignCenter, true},
        {0, 2, U("间距规定"), 1, 1, Qt::AlignCenter, true},
        {0, 3, U("技术要求"), 1, 1, Qt::AlignCenter, true},
        {1, 0, U("菱形\n掏槽"), 1, 1, Qt::AlignCenter, false, QColor(0xf1, 0xf4, 0xf8), true},
        {2, 0, U("对称\n掏槽"), 1, 1, Qt::AlignCenter, false, QColor(0xf1, 0xf4, 0xf8), true},
        {1, 2,
         U("中心空孔 D＝100～150 mm\n1、2 号孔：a₁＝(1.0～1.5)D\n3、4 号孔：a₂＝(1.5～2.0)D\n"
           "装药孔直径 42 mm"),
         1, 1, Qt::AlignLeft | Qt::AlignVCenter},
        {2, 2,
         U("中心空孔 D＝100～150 mm\n第一圈 4 孔方形：a₁＝1.5D\n第二圈转 45°：a₂＝(2.0～2.5)D\n"
           "装药孔直径 42 mm"),
         1, 1, Qt::AlignLeft | Qt::AlignVCenter},
        {1, 3,
         U("空孔与装药孔必须平行；\n孔口偏差≤5cm，偏斜≤1%；\n掏槽孔比辅助眼深15～20cm；\n"
           "1、2 号孔同段起爆，\n3、4 号孔滞后一段起爆。"),
         1, 1, Qt::AlignLeft | Qt::AlignVCenter},
        {2, 3,
         U("对称两孔同段起爆；\n由内向外逐圈扩槽，\n段差 50～100 ms；\n空孔不装药，超深 0.2 m；\n"
           "适用于坚硬岩深孔掏槽。"),
         1, 1, Qt::AlignLeft | Qt::AlignVCenter},
    };
    DrawTable(p, grid, cells, Sans(13), Sans(13, true));

    // Sketches inside the layout column.
    auto sketch = [&](int row, const std::vector<CutHole> &holes, double scale,
                      const std::function<void(std::function<QPointF(double, double)>)> &dims) {
        const QRect cell = grid.Rect(Cell{row, 1});
        const QPointF centre = cell.center() + QPointF(0, -4);
        auto at = [&](double x, double y) { return centre + QPointF(x * scale, y * scale); };
        dims(at);
        for (const CutHole &h : holes) {
            if (h.charged) {
                ChargedHole(p, at(h.x, h.y), 5);
                if (h.delay)
                    Label(p, at(h.x, h.y) + QPointF(9, -9), QString::number(h.delay), 10,
                          QColor(0xc0, 0x2a, 0x1a), true);
            } else {
                EmptyHole(p, at(h.x, h.y), 125 * scale / 2);
                Label(p, at(h.x, h.y), QStringLiteral("D"), 11, kInk, true);
            }
        }
    };
    sketch(1,
           {{0, 0, false, 0},
            {-160, 0, true, 1},
            {160, 0, true, 2},
            {0, -230, true, 3},
            {0, 230, true, 4}},
           0.3, [&](auto at) {
               p.setPen(QPen(QColor(0x88, 0x88, 0x88), 1, Qt::DashLine));
               p.drawPolygon(QPolygonF() << at(0, -230) << at(160, 0) << at(0, 230) << at(-160, 0));
               Dimension(p, at(0, 110), at(160, 110), QStringLiteral("a₁"), 1, kDim, 11);
               Dimension(p, at(-210, -230), at(-210, 0), QStringLiteral("a₂"), 1, kDim, 11);
               Witness(p, at(-220, -230), at(-10, -230));
               Witness(p, at(-220, 0), at(-170, 0));
           });
    sketch(2,
           {{0, 0, false, 0},
            {-135, -135, true, 1},
            {135, 135, true, 1},
            {135, -135, true, 2},
            {-135, 135, true, 2},
            {0, -270, true, 3},
            {0, 270, true, 3},
            {-270, 0, true, 4},
            {270, 0, true, 4}},
           0.235, [&](auto at) {
               p.setPen(QPen(QColor(0x88, 0x88, 0x88), 1, Qt::DashLine));
               p.drawRect(QRectF(at(-135, -135), at(135, 135)));
               p.drawPolygon(QPolygonF() << at(0, -270) << at(270, 0) << at(0, 270) << at(-270, 0));
           });
    SourceTag(p, QRect(0, grid.Bottom() + 3, 612, 20),
              U("D —— 空孔直径；a —— 装药孔中心至空孔中心距离；数字为起爆段别"));
    p.end();
    sink.Save(image, "large_hole_cuts.png");
}

void DoubleSpiralCut(PictureSink &sink) {
    QImage image = Canvas(437, 405);
    QPainter p;
    Begin(p, image);
    Title(p, QRect(0, 2, 437, 24), U("双螺旋掏槽布置尺寸"), 15);

    // Ratios of a1..a4 to the empty hole diameter; holes 2k-1 and 2k lie
    // opposite each other, each pair turned 90° against the previous one.
    const double ratios[] = {1.5, 2.2, 3.2, 4.5};
    const QPointF centre(218, 128);
    const double scale = 0.215;  // px per mm, drawn for D = 100 mm
    const double d = 100;
    auto holeAt = [&](int k) {  // k = 1..8
        const int pair = (k - 1) / 2;
        const int arm = (k - 1) % 2;
        const double angle = qDegreesToRadians(90.0 * pair + 180.0 * arm + 90.0);
        const double r = ratios[pair] * d * scale;
        return centre + QPointF(r * std::cos(angle), -r * std::sin(angle));
    };
    for (int arm = 0; arm < 2; ++arm) {
        QPainterPath path;
        path.moveTo(holeAt(1 + arm));
        for (int t = 1; t <= 60; ++t) {
            const double u = t / 20.0;  // pair index, continuous
            const int i = std::min(int(u), 2);
            const double f = u - i;
            const double r = (ratios[i] + (ratios[i + 1] - ratios[i]) * f) * d * scale;
            const double angle = qDegreesToRadians(90.0 * u + 180.0 * arm + 90.0);
            path.lineTo(centre + QPointF(r * std::cos(angle), -r * std::sin(angle)));
        }
        p.setPen(QPen(arm ? QColor(0x1f, 0x6f, 0xb0) : QColor(0xc0, 0x2a, 0x1a), 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }
    EmptyHole(p, centre, d * scale / 2 + 1);
    Label(p, centre, QStringLiteral("D"), 11, kInk, true);
    for (int k = 1; k <= 8; ++k) {
        ChargedHole(p, holeAt(k), 5);
        const QPointF out = holeAt(k) - centre;
        const double len = std::hypot(out.x(), out.y());
        Label(p, holeAt(k) + out / len * 13 + QPointF(out.y() / len * 8, 0), QString::number(k), 11,
              QColor(0xc0, 0x2a, 0x1a), true);
    }
    Dimension(p, centre + QPointF(7, 0), holeAt(3) + QPointF(-5, 0), QStringLiteral("a₂"), 1, kDim,
              11);
    Dimension(p, centre + QPointF(0, 30), holeAt(8) + QPointF(0, 30), QStringLiteral("a₄"), -1,
              kDim, 11);
    Witness(p, holeAt(8) + QPointF(0, 7), holeAt(8) + QPointF(0, 36));
    Witness(p, centre + QPointF(0, 13), centre + QPointF(0, 36));

    Grid grid{QPoint(14, 222), {80, 80, 80, 80, 88}, {26, 23, 23, 23, 23, 23}};
    std::vector<Cell> cells = {
        {0, 0, U("空孔 D"), 1, 1, Qt::AlignCenter, true},
        {0, 1, U("a₁（1、2）"), 1, 1, Qt::AlignCenter, true},
        {0, 2, U("a₂（3、4）"), 1, 1, Qt::AlignCenter, true},
        {0, 3, U("a₃（5、6）"), 1, 1, Qt::AlignCenter, true},
        {0, 4, U("a₄（7、8）"), 1, 1, Qt::AlignCenter, true},
    };
    const int diameters[] = {75, 100, 125, 150, 200};
    for (int r = 0; r < 5; ++r) {
        cells.push_back({r + 1, 0, QString::number(diameters[r]), 1, 1, Qt::AlignCenter, false,
                         QColor(0xf1, 0xf4, 0xf8), true});
        for (int c = 0; c < 4; ++c) {
            // Rounded to whole 5 mm, as marked out on the face.
            const int a = int(std::lround(ratios[c] * diameters[r] / 5.0)) * 5;
            cells.push_back({r + 1, c + 1, QString::number(a)});
        }
    }
    DrawTable(p, grid, cells, Sans(12), Sans(12, true));
    Paragraph(
        p, QRect(14, grid.Bottom() + 5, 412, 40),
        U("注：单位 mm，a 为装药孔中心至空孔中心的距离；\n装药孔直径 42 mm，按孔号 1→8 逐段起爆。"),
        Sans(11), Qt::AlignLeft | Qt::AlignTop, QColor(0x33, 0x33, 0x33));
    p.end();
    sink.Save(image, "double_spiral_cut.png");
}

}  // namespace

void DrawCutSketches(PictureSink &sink) {
    WedgeLayout(sink);
    CompoundWedge(
        sink, "wedge_cut_two_stage.png", "二级复式楔形掏槽（剖面）", 2,
        "一级掏槽眼浅而陡，先行起爆形成小槽腔；二级掏槽眼加深至设计眼深，以一级槽腔为自由面扩大成槽。适用于循环进尺 2.0～3.0 m。");
    CompoundWedge(
        sink, "wedge_cut_multi_stage.png", "多级复式楔形掏槽（三级，剖面）", 3,
        "各级掏槽眼由内向外、由浅到深依次加深，逐级错段起爆，每级以前一级槽腔为自由面；级数随循环进尺增大而增加，适用于 3.0 m 以上深孔爆破。");
    WedgeAdvance(sink);
    SmallHoleCuts(sink);
    LargeHoleCuts(sink);
    DoubleSpiralCut(sink);
}

}  // namespace pictures
