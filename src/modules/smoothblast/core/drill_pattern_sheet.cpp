// What the drill pattern shows besides the holes: dimensions, the legend,
// the delay list, the DXF drawing and its file.
#include "modules/smoothblast/core/drill_pattern.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <numbers>

#include "core/calc_form.h"
#include "core/conversions.h"
#include "core/dialogs.h"
#include "core/dxf_writer.h"
#include "core/form.h"
#include "core/ini_file.h"
#include "modules/smoothblast/core/pattern_labels.h"
#include "modules/smoothblast/core/smoothblast.h"

namespace tunnel {

namespace {

constexpr double kPi = std::numbers::pi;

double Hypot(double x, double y) {
    return std::sqrt(x * x + y * y);
}

// Lengths of the drawing, all in millimetres.
QString Millimetres(double m) {
    return ToText(double(std::lround(m * 1000)));
}

// The inward normal of the outline at arc length s from the left corner.
Outline::Point InwardNormal(const Outline &o, double s) {
    if (s <= o.wallHeight) return {1, 0};
    if (s >= o.Length() - o.wallHeight) return {-1, 0};
    const Outline::Point pt = o.At(s);
    return {-pt.x / o.radius, (o.centreY - pt.y) / o.radius};
}

}  // namespace

QString ChargeText(double kg) {
    return ToText(RoundTo(kg, 3));
}

std::vector<Dimension> PatternDimensions(const DrillPattern &p, const DrillDesign &design) {
    std::vector<Dimension> dims;
    const Outline &o = p.outline;
    const double b = o.width, h = o.Height();
    dims.push_back({-b / 2, 0, b / 2, 0, -0.8, QStringLiteral("B=") + Millimetres(b)});
    dims.push_back({b / 2, 0, b / 2, h, -0.8, QStringLiteral("H=") + Millimetres(h)});
    std::vector<const Hole *> perimeter;
    for (const Hole &hole : p.holes)
        if (hole.type == HoleType::Perimeter) perimeter.push_back(&hole);
    // E between the two perimeter holes nearest the crown, measured as drawn.
    if (perimeter.size() >= 2) {
        std::size_t i = (perimeter.size() - 1) / 2;
        if (i + 1 >= perimeter.size()) i = perimeter.size() - 2;
        const Hole &a = *perimeter[i], &c = *perimeter[i + 1];
        dims.push_back({a.x, a.y, c.x, c.y, 0.45,
                        QStringLiteral("E=") + Millimetres(Hypot(c.x - a.x, c.y - a.y))});
    }
    // W across the smooth blasting layer of the upper left arch, between two
    // perimeter holes.
    if (p.Count(HoleType::Auxiliary) > 0 && perimeter.size() >= 2) {
        const std::size_t n = perimeter.size();
        const std::size_t i = std::min(n - 2, std::size_t(std::lround(0.3 * double(n - 1))));
        const double s = (double(i) + 0.5) * o.Length() / double(n - 1);
        const Outline::Point at = o.At(s), in = InwardNormal(o, s);
        dims.push_back({at.x, at.y, at.x + in.x * design.burden, at.y + in.y * design.burden, 0,
                        QStringLiteral("W=") + Millimetres(design.burden)});
    }
    double top = -1, left = 0, right = 0;
    for (const Hole &hole : p.holes) {
        if (hole.type != HoleType::Cut) continue;
        if (hole.y > top + 1e-9) {
            top = hole.y;
            left = right = hole.x;
        } else if (std::abs(hole.y - top) < 1e-9) {
            left = std::min(left, hole.x);
            right = std::max(right, hole.x);
        }
    }
    if (p.hasRelief && p.Count(HoleType::Cut) > 0) {
        dims.push_back({p.reliefX, p.reliefY, p.reliefX + p.cutSpacing, p.reliefY, -0.3,
                        Millimetres(p.cutSpacing)});
    } else if (right - left > 1e-9) {
        dims.push_back({left, top, right, top, 0.35, Millimetres(right - left)});
    }
    return dims;
}

QStringList PatternLegend(const DrillPattern &p, const DrillDesign &design) {
    QStringList lines;
    for (HoleType t : {HoleType::Cut, HoleType::Auxiliary, HoleType::Perimeter, HoleType::Floor})
        lines << QStringLiteral("%1  %2个").arg(HoleTypeName(t), ToText(p.Count(t)));
    lines << QStringLiteral("合计  %1个").arg(ToText(int(p.holes.size())));
    lines << QStringLiteral("轮廓面积 %1m²（输入断面面积S=%2m²，S可含仰拱，两者可不同）")
                 .arg(ToText(RoundTo(p.outline.Area(), 2)), ToText(design.area));
    // The cut's dimension carries the number alone: it stands among the holes.
    if (p.Count(HoleType::Cut) > 0)
        lines << (p.hasRelief ? QStringLiteral("掏槽间距%1（掏槽眼至空孔）")
                              : QStringLiteral("掏槽间距%1（两列掏槽眼之间）"))
                     .arg(Millimetres(p.cutSpacing));
    lines << QStringLiteral("尺寸单位：mm");
    return lines;
}

QStringList DelayLines(const DrillPattern &p) {
    QStringList lines;
    for (const DelayRow &r : p.delays)
        lines << QStringLiteral("第%1段 %2 %3个 %4kg")
                     .arg(ToText(r.delay), HoleTypeName(r.type), ToText(r.count),
                          ChargeText(r.charge));
    lines << QStringLiteral("最大段装药量 %1kg").arg(ChargeText(p.maxDelayCharge));
    return lines;
}

QByteArray DrillPatternDxf(const DrillPattern &p, const DrillDesign &design) {
    constexpr double kMm = 1000;
    const QString outlineLayer = QStringLiteral("开挖轮廓");
    const QString notes = QStringLiteral("标注");
    const QString relief = QStringLiteral("空孔");
    DxfWriter dxf(4);
    dxf.AddLayer(outlineLayer, 7);
    const int colours[] = {1, 3, 5, 6};  // red, green, blue, magenta
    for (HoleType t : {HoleType::Cut, HoleType::Auxiliary, HoleType::Perimeter, HoleType::Floor})
        dxf.AddLayer(HoleTypeName(t), colours[int(t)]);
    dxf.AddLayer(relief, 8);
    dxf.AddLayer(notes, 7);

    const Outline &o = p.outline;
    const double hb = o.width / 2 * kMm, wall = o.wallHeight * kMm;
    dxf.Line(outlineLayer, -hb, 0, hb, 0);
    if (wall > 0) {
        dxf.Line(outlineLayer, -hb, 0, -hb, wall);
        dxf.Line(outlineLayer, hb, 0, hb, wall);
    }
    const double a = o.halfAngle * 180 / kPi;
    dxf.Arc(outlineLayer, 0, o.centreY * kMm, o.radius * kMm, 90 - a, 90 + a);

    const double r = design.holeDiameter / 2;
    for (const Hole &h : p.holes) dxf.Circle(HoleTypeName(h.type), h.x * kMm, h.y * kMm, r);
    if (p.hasRelief)
        dxf.Circle(relief, p.reliefX * kMm, p.reliefY * kMm, p.reliefDiameter / 2 * kMm);

    const std::vector<Dimension> dims = PatternDimensions(p, design);
    const LabelStyle style{.holeRadius = r / kMm,
                           .reliefRadius = p.reliefDiameter / 2,
                           .delayHeight = 0.1,
                           .dimensionHeight = 0.15};
    const std::vector<Label> labels = PlaceLabels(p, dims, style);
    for (const Label &l : labels) {
        // Texts are drawn at their cap height, inside the box.
        const double height = (l.hole >= 0 ? 0.1 : 0.15) * 0.8 * kMm;
        dxf.Text(notes, l.x * kMm, l.y * kMm, height, l.text, DxfWriter::Align::Middle, l.angle);
        if (l.dimension < 0) continue;
        const Dimension &d = dims[std::size_t(l.dimension)];
        const double len = Hypot(d.x2 - d.x1, d.y2 - d.y1);
        const double ux = (d.x2 - d.x1) / len, uy = (d.y2 - d.y1) / len;
        const double nx = -uy, ny = ux;
        const double ax = d.x1 + nx * d.offset, ay = d.y1 + ny * d.offset;
        const double bx = d.x2 + nx * d.offset, by = d.y2 + ny * d.offset;
        dxf.Line(notes, d.x1 * kMm, d.y1 * kMm, ax * kMm, ay * kMm);
        dxf.Line(notes, d.x2 * kMm, d.y2 * kMm, bx * kMm, by * kMm);
        // The line runs on under a text placed past its end.
        const double along = (l.x - ax) * ux + (l.y - ay) * uy;
        const double from = std::min(0.0, along - l.width / 2);
        const double to = std::max(len, along + l.width / 2);
        dxf.Line(notes, (ax + ux * from) * kMm, (ay + uy * from) * kMm, (ax + ux * to) * kMm,
                 (ay + uy * to) * kMm);
    }

    const double legendX = (o.width / 2 + 2.0) * kMm;
    double y = o.Height() * kMm;
    dxf.Text(notes, legendX, y, 250, QStringLiteral("钻爆设计图"));
    QStringList lines = PatternLegend(p, design);
    if (!p.error.isEmpty()) lines << p.error;
    if (!p.holes.empty()) lines << DelayLines(p);
    for (const QString &line : lines) {
        y -= 300;
        dxf.Text(notes, legendX, y, 180, line);
    }
    return dxf.Finish();
}

QString SaveDrawingFile(Dialogs &dialogs, const QString &dataFolder, const QString &fileName,
                        const QString &filter, const QByteArray &bytes) {
    const QString folder = dataFolder + QStringLiteral("/导出的方案");
    QDir().mkpath(folder);
    FileRequest request;
    request.save = true;
    request.initialFolder = folder;
    request.filter = filter;
    request.defaultExtension = QLatin1Char('.') + QFileInfo(fileName).suffix();
    request.fileName = fileName;
    const std::optional<QString> path = dialogs.AskFile(request);
    if (!path || path->isEmpty()) return QString();
    const QString failure = WriteFileAtomically(*path, bytes);
    if (!failure.isEmpty()) {
        dialogs.Message(QStringLiteral("导出失败！\r\n文件：%1\r\n原因：%2")
                            .arg(QDir::toNativeSeparators(*path), failure),
                        QStringLiteral("信息："), Buttons::Ok, Icon::Error);
        return QString();
    }
    dialogs.Message(QStringLiteral("导出成功！"));
    return *path;
}

}  // namespace tunnel
