#include <QDateTime>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <numbers>
#include <tuple>

#include "core/bar_chart.h"
#include "core/conversions.h"
#include "core/docx_document.h"
#include "core/report_export.h"
#include "modules/smoothblast/core/drill_pattern.h"
#include "modules/smoothblast/core/pattern_labels.h"
#include "modules/smoothblast/core/smoothblast.h"
#include "support/blast_view.h"
#include "support/dxf_check.h"
#include "support/memory_form.h"
#include "support/package_times.h"
#include "support/test_files.h"

using namespace tunnel;
using tunnel::test::BlastView;
using tunnel::test::MemoryForm;

namespace {

QString S(const char *utf8) {
    return QString::fromUtf8(utf8);
}

// The smooth blasting form after "计算" with the given inputs changed.
struct Calculated {
    Calculated(const QHash<QString, QString> &inputs, bool parallel)
        : form(QDir::tempPath(), &SmoothBlastTable()) {
        form.SetCaption(S("按钮1"), S("计算"));
        for (auto it = inputs.begin(); it != inputs.end(); ++it) form.SetText(it.key(), it.value());
        form.SetChecked(S("单选框2"), parallel);
        BlastView view;
        CalculateBlast(form, view);
    }
    MemoryForm form;
};

const char *const kCountFields[] = {"编辑框6_掏槽眼数量", "编辑框7_辅助眼数量",
                                    "编辑框8_周边眼数量", "编辑框9_底板眼数量"};

using Inputs = QHash<QString, QString>;

// The auxiliary holes of a pattern placed again as drill_pattern.cpp says,
// each nearest hole found by looking at every hole: the reference for the
// cells and tiles the placement searches. Of equally near holes a point
// goes to the one met first by a search of cells the size of the spacing,
// ring by ring round the point's cell.
std::vector<Outline::Point> PlainAuxiliary(const DrillPattern &p, const DrillDesign &design) {
    const Outline &o = p.outline;
    std::vector<Outline::Point> sites;
    double left = 0, right = 0, bottom = p.cutCentreY, top = p.cutCentreY;
    for (const Hole &h : p.holes) {
        if (h.type == HoleType::Auxiliary) continue;
        sites.push_back({h.x, h.y});
        if (h.type != HoleType::Cut) continue;
        left = std::min(left, h.x);
        right = std::max(right, h.x);
        bottom = std::min(bottom, h.y);
        top = std::max(top, h.y);
    }
    const std::size_t fixed = sites.size();
    const int count = int(design.counts[int(HoleType::Auxiliary)]);
    const double spacing = std::sqrt(o.Area() / double(fixed + count));
    const double step = std::clamp(spacing / 8, 0.02, 0.1);
    const auto allowed = [&](double x, double y) {
        const double dx = std::max({left - x, 0.0, x - right});
        const double dy = std::max({bottom - y, 0.0, y - top});
        return o.Contains(x, y) && o.Distance(x, y) >= design.burden &&
               std::sqrt(dx * dx + dy * dy) >= kMinHoleSpacing;
    };
    std::vector<Outline::Point> grid;
    for (int j = 0; (j + 0.5) * step < o.Height(); ++j)
        for (int i = 0; (i + 0.5) * step < o.width / 2; ++i)
            for (double side : {-1.0, 1.0})
                if (o.Contains(side * (i + 0.5) * step, (j + 0.5) * step))
                    grid.push_back({side * (i + 0.5) * step, (j + 0.5) * step});
    const auto d2 = [&](const Outline::Point &a, const Outline::Point &b) {
        return (a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y);
    };
    const auto cell = [&](double v) { return qint64(std::floor(v / spacing)); };
    const auto nearest = [&](const Outline::Point &g) {
        const auto key = [&](std::size_t s) {
            const qint64 dx = cell(sites[s].x) - cell(g.x), dy = cell(sites[s].y) - cell(g.y);
            return std::tuple(std::max(std::abs(dx), std::abs(dy)), dx, dy, s);
        };
        std::size_t best = 0;
        for (std::size_t s = 1; s < sites.size(); ++s)
            if (d2(sites[s], g) < d2(sites[best], g) ||
                (d2(sites[s], g) == d2(sites[best], g) && key(s) < key(best)))
                best = s;
        return best;
    };
    std::vector<double> far(grid.size(), qInf());
    for (std::size_t g = 0; g < grid.size(); ++g)
        for (const Outline::Point &site : sites) far[g] = std::min(far[g], d2(grid[g], site));
    for (int k = 0; k < count; ++k) {
        std::size_t best = grid.size();
        for (std::size_t g = 0; g < grid.size(); ++g)
            if (allowed(grid[g].x, grid[g].y) && (best == grid.size() || far[g] > far[best]))
                best = g;
        sites.push_back(grid[best]);
        for (std::size_t g = 0; g < grid.size(); ++g)
            far[g] = std::min(far[g], d2(grid[g], sites.back()));
    }
    for (int round = 0; round < 40; ++round) {
        std::vector<std::vector<Outline::Point>> parts(sites.size());
        for (const Outline::Point &g : grid) parts[nearest(g)].push_back(g);
        double largest = 0;
        for (std::size_t s = fixed; s < sites.size(); ++s) {
            Outline::Point to = sites[s], sum{0, 0};
            for (const Outline::Point &g : parts[s]) {
                sum.x += g.x;
                sum.y += g.y;
            }
            if (!parts[s].empty())
                to = {sum.x / int(parts[s].size()), sum.y / int(parts[s].size())};
            if (!allowed(to.x, to.y)) {
                const Outline::Point middle = to;
                double snap = qInf();
                for (const Outline::Point &g : parts[s])
                    if (allowed(g.x, g.y) && d2(g, middle) < snap) {
                        snap = d2(g, middle);
                        to = g;
                    }
                if (snap == qInf()) continue;
            }
            largest = std::max(largest, std::abs(to.x - sites[s].x) + std::abs(to.y - sites[s].y));
            sites[s] = to;
        }
        if (largest < step / 4) break;
    }
    return {sites.begin() + std::ptrdiff_t(fixed), sites.end()};
}

// What python-docx reads of the report: inline pictures with their content
// type, the paragraph after each picture, and the table that starts with
// "段别".
constexpr char kReadReport[] = R"PY(
import json, sys, docx
d = docx.Document(sys.argv[1])
body = d.element.body
pics, delays = [], []
paras = list(d.paragraphs)
for i, p in enumerate(paras):
    for blip in p._p.xpath('.//w:drawing/wp:inline//a:blip'):
        rid = blip.get('{http://schemas.openxmlformats.org/officeDocument/2006/relationships}embed')
        part = d.part.related_parts[rid]
        pics.append({'type': part.content_type, 'size': len(part.blob),
                     'next': paras[i + 1].text if i + 1 < len(paras) else ''})
for t in d.tables:
    if t.rows[0].cells[0].text == '段别':
        delays = [[c.text for c in r.cells] for r in t.rows]
print(json.dumps({'pictures': pics, 'delays': delays}, ensure_ascii=False))
)PY";

// A 2 × 1 PNG made by hand: the core draws no pictures.
const QByteArray kTinyPng = QByteArray::fromHex(
    "89504e470d0a1a0a0000000d49484452000000020000000108020000007b40e8dd0000000d49444154789c63f8"
    "cf0004ff01070001ffe2239e590000000049454e44ae426082");

}  // namespace

Q_DECLARE_METATYPE(Inputs)
Q_DECLARE_METATYPE(tunnel::Label)

class TestSmoothBlastDrillPattern : public QObject {
    Q_OBJECT
private slots:
    void Outlines_data();
    void Outlines();
    void Patterns_data();
    void Patterns();
    void PresetDelays();
    void LabelOverlaps_data();
    void LabelOverlaps();
    void FailedWriteKeepsTheEarlierFile();
    void ReportFigure_data();
    void ReportFigure();
    void PlacedAsByPlainSearch_data();
    void PlacedAsByPlainSearch();
    void KeptPatternsFollowTheDesign_data();
    void KeptPatternsFollowTheDesign();
};

void TestSmoothBlastDrillPattern::Outlines_data() {
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("length");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("wall");
    QTest::addColumn<double>("height");
    QTest::addColumn<double>("area");
    const double half = std::numbers::pi * 13.1 / 2;
    // Walls of (24.22 − 20.5774)/2 = 1.8213 under a semicircle of 6.55.
    QTest::newRow("presets") << 13.1 << 24.22 << true << 1.82128 << 8.37128 << 91.2491;
    QTest::newRow("narrow heading") << 5.0 << 12.0 << true << 2.07301 << 4.57301 << 20.1827;
    // Either side of πB/2 the outline changes form but hardly its size.
    QTest::newRow("just above half circle")
        << 13.1 << half + 0.002 << true << 0.001 << 6.551 << 67.4042;
    QTest::newRow("just below half circle")
        << 13.1 << half - 0.002 << true << 0.0 << 6.549 << 67.3780;
    // Lo/B = 1.2: α = 1.02674 rad, R = 5.84375, rise 2.81895.
    QTest::newRow("flat arch") << 10.0 << 12.0 << true << 0.0 << 2.81895 << 19.9385;
    QTest::newRow("no floor") << 0.0 << 12.0 << false << 0.0 << 0.0 << 0.0;
    QTest::newRow("negative floor") << -5.0 << 12.0 << false << 0.0 << 0.0 << 0.0;
    QTest::newRow("outline not longer than floor") << 5.0 << 5.0 << false << 0.0 << 0.0 << 0.0;
    QTest::newRow("infinite") << 5.0 << qInf() << false << 0.0 << 0.0 << 0.0;
    QTest::newRow("not a number") << qQNaN() << 12.0 << false << 0.0 << 0.0 << 0.0;
}

void TestSmoothBlastDrillPattern::Outlines() {
    QFETCH(double, width);
    QFETCH(double, length);
    QFETCH(bool, valid);
    Outline o;
    QCOMPARE(MakeOutline(width, length, &o), valid);
    if (!valid) return;
    QFETCH(double, wall);
    QFETCH(double, height);
    QFETCH(double, area);
    QVERIFY2(std::abs(o.wallHeight - wall) < 1e-4,
             qPrintable(QString::number(o.wallHeight, 'g', 9)));
    QVERIFY2(std::abs(o.Height() - height) < 1e-4, qPrintable(QString::number(o.Height(), 'g', 9)));
    QVERIFY2(std::abs(o.Area() - area) < 1e-3, qPrintable(QString::number(o.Area(), 'g', 9)));
    QVERIFY(std::abs(o.Length() - length) < 1e-9);
    // The outline runs from one floor corner to the other.
    QVERIFY(std::abs(o.At(0).x + width / 2) < 1e-9 && std::abs(o.At(0).y) < 1e-9);
    QVERIFY(std::abs(o.At(length).x - width / 2) < 1e-9 && std::abs(o.At(length).y) < 1e-9);
    QVERIFY(std::abs(o.At(length / 2).y - o.Height()) < 1e-9);
}

void TestSmoothBlastDrillPattern::Patterns_data() {
    QTest::addColumn<Inputs>("inputs");
    QTest::addColumn<bool>("parallel");
    QTest::addColumn<QString>("auxiliary");  // result field overridden when set
    QTest::addColumn<QString>("error");
    const auto dense = [](const char *why) {
        return S("炮眼过密，无法布置：%1，请检查参数").arg(S(why));
    };
    const QString counts = S("炮眼数量须为不小于0的整数，请先计算并检查参数");
    const QString outline = S("开挖轮廓无法确定：底板长须大于0，外弧长须大于底板长，请检查参数");
    const Inputs narrow{{S("编辑框1_底板长"), S("5")},
                        {S("编辑框1_开挖面外弧长"), S("12")},
                        {S("编辑框1_断面面积"), S("22")}};
    QTest::newRow("presets, wedge") << Inputs{} << false << QString() << QString();
    QTest::newRow("presets, parallel") << Inputs{} << true << QString() << QString();
    QTest::newRow("narrow heading, wedge") << narrow << false << QString() << QString();
    QTest::newRow("narrow heading, parallel") << narrow << true << QString() << QString();
    QTest::newRow("just above half circle")
        << Inputs{{S("编辑框1_开挖面外弧长"), S("20.59")}, {S("编辑框1_断面面积"), S("70")}}
        << false << QString() << QString();
    QTest::newRow("just below half circle")
        << Inputs{{S("编辑框1_开挖面外弧长"), S("20.56")}, {S("编辑框1_断面面积"), S("70")}} << true
        << QString() << QString();
    QTest::newRow("huge face") << Inputs{{S("编辑框1_底板长"), S("18")},
                                         {S("编辑框1_开挖面外弧长"), S("34")},
                                         {S("编辑框1_断面面积"), S("200")}}
                               << false << QString() << QString();
    QTest::newRow("one cut hole, wedge")
        << Inputs{{S("编辑框2_掏槽眼数量"), S("1")}} << false << QString() << QString();
    QTest::newRow("one cut hole, parallel")
        << Inputs{{S("编辑框2_掏槽眼数量"), S("1")}} << true << QString() << QString();
    QTest::newRow("zero auxiliary holes") << Inputs{} << false << S("0") << QString();
    QTest::newRow("preset auxiliary count in a small face")
        << narrow << false << S("158") << dense("辅助眼间距0.159m，小于最小间距0.3m");
    QTest::newRow("a million auxiliary holes")
        << Inputs{} << false << S("1e6") << dense("辅助眼多于5000个");
    // 98 holes on 24.22 m: 0.2497 m apart, not rounded up to the least.
    QTest::newRow("perimeter too dense")
        << Inputs{{S("编辑框4_周边眼间距"), S("25")}} << false << QString()
        << dense("周边眼间距0.249m，小于最小间距0.3m");
    // 47 floor holes and the two corners: 13.1 / 48 = 0.2729 m apart.
    QTest::newRow("floor too dense") << Inputs{{S("编辑框5_底板眼间距"), S("28")}} << false
                                     << QString() << dense("底板眼间距0.272m，小于最小间距0.3m");
    // Lo/B = 1.305: a flat arch of 22.29 m² for a section of 52.3 m².
    QTest::newRow("outline far smaller than the section")
        << Inputs{{S("编辑框1_底板长"), S("9.3")},
                  {S("编辑框1_开挖面外弧长"), S("12.14")},
                  {S("编辑框1_断面面积"), S("52.3")}}
        << false << QString()
        << S("由底板长和开挖面外弧长绘出的轮廓面积为22.29m²，与开挖断面面积S=52.3m²不符，请检查参数");
    // The presets' outline holds 91.2491 m²: two thirds of 136.87 m².
    QTest::newRow("outline just over two thirds of the section")
        << Inputs{{S("编辑框1_断面面积"), S("136.8")}} << false << QString() << QString();
    QTest::newRow("outline just under two thirds of the section")
        << Inputs{{S("编辑框1_断面面积"), S("136.9")}} << false << QString()
        << S("由底板长和开挖面外弧长绘出的轮廓面积为91.25m²，与开挖断面面积S=136.9m²不符，请检查参数");
    QTest::newRow("negative auxiliary count")
        << Inputs{} << false << S("-12") << S("辅助眼数量为-12，须为不小于0的整数，请检查参数");
    QTest::newRow("not calculated") << Inputs{} << false << S("") << counts;
    QTest::newRow("negative cut count")
        << Inputs{{S("编辑框2_掏槽眼数量"), S("-2")}} << false << QString()
        << S("掏槽眼数量为-2，须为不小于0的整数，请检查参数");
    QTest::newRow("empty floor width")
        << Inputs{{S("编辑框1_底板长"), S("")}} << false << QString() << outline;
    QTest::newRow("negative outline")
        << Inputs{{S("编辑框1_开挖面外弧长"), S("-24")}} << false << QString() << outline;
}

void TestSmoothBlastDrillPattern::Patterns() {
    QFETCH(Inputs, inputs);
    QFETCH(bool, parallel);
    QFETCH(QString, auxiliary);
    QFETCH(QString, error);
    Calculated c(inputs, parallel);
    if (!auxiliary.isNull()) c.form.SetText(S("编辑框7_辅助眼数量"), auxiliary);
    const DrillDesign design = ReadDrillDesign(c.form);
    const DrillPattern p = PlaceHoles(design);
    QCOMPARE(p.error, error);
    if (!error.isEmpty()) {
        QVERIFY(p.holes.empty());
        // An outline that disagrees with the area is drawn alone.
        QCOMPARE(p.hasOutline, error.startsWith(S("由底板长")));
        return;
    }
    const HoleType types[] = {HoleType::Cut, HoleType::Auxiliary, HoleType::Perimeter,
                              HoleType::Floor};
    for (HoleType t : types) QCOMPARE(ToText(p.Count(t)), c.form.Text(S(kCountFields[int(t)])));

    QTemporaryDir dir;
    const QString path = dir.filePath(S("钻爆设计图.dxf"));
    QVERIFY(test::WriteFileBytes(path, DrillPatternDxf(p, design)));
    QString failure;
    const QJsonObject dxf = test::ReadDxfWithEzdxf(path, &failure);
    QVERIFY2(!dxf.isEmpty(), qPrintable(failure));
    QCOMPARE(dxf[S("version")].toString(), S("AC1021"));
    QCOMPARE(dxf[S("insunits")].toInt(), 4);
    QCOMPARE(dxf[S("audit_errors")].toInt(), 0);
    for (const char *layer : {"开挖轮廓", "掏槽眼", "辅助眼", "周边眼", "底板眼", "空孔", "标注"})
        QVERIFY2(dxf[S("layers")].toArray().contains(S(layer)), layer);
    const QJsonObject circles = dxf[S("circles")].toObject();
    for (HoleType t : types)
        QCOMPARE(circles[HoleTypeName(t)].toInt(), c.form.Text(S(kCountFields[int(t)])).toInt());
    QCOMPARE(circles[S("空孔")].toInt(), parallel ? 1 : 0);
    // Charged holes at true size: half the 35 mm drill diameter.
    QVERIFY(dxf[S("radii")].toArray().contains(17.5));
    QVERIFY(dxf[S("all_inside")].toBool());
    QVERIFY2(dxf[S("perimeter_off")].toDouble() < 1.0,
             qPrintable(QString::number(dxf[S("perimeter_off")].toDouble())));
    QVERIFY(dxf[S("floor_off")].toDouble() < 1e-6);
    // Every pair of charged holes, corner and floor holes among them.
    const double spacing = dxf[S("min_spacing")].toDouble();
    QVERIFY2(spacing >= 299.99, qPrintable(QString::number(spacing)));
    // No point of the face far from a charged hole, unless the design has
    // no auxiliary hole to fill it.
    QVERIFY(std::abs(dxf[S("area")].toDouble() - p.outline.Area()) < 1e-3);
    const double coverage = dxf[S("coverage")].toDouble();
    QVERIFY2(p.Count(HoleType::Auxiliary) == 0 ||
                 (coverage > 0 && coverage <= dxf[S("coverage_limit")].toDouble()),
             qPrintable(QStringLiteral("%1 mm at %2 %3")
                            .arg(coverage)
                            .arg(dxf[S("coverage_at")][0].toDouble())
                            .arg(dxf[S("coverage_at")][1].toDouble())));
    // One delay number per hole, the Chinese legend readable as text.
    const QJsonArray texts = dxf[S("texts")].toArray();
    QVERIFY(texts.contains(S("钻爆设计图")));
    QVERIFY(texts.size() > int(p.holes.size()));

    // As the DXF places them: every text has its place, clear of the holes
    // and of each other.
    const std::vector<Dimension> dims = PatternDimensions(p, design);
    const LabelStyle style{.holeRadius = design.holeDiameter / 2000,
                           .reliefRadius = p.reliefDiameter / 2,
                           .delayHeight = 0.1,
                           .dimensionHeight = 0.15};
    const std::vector<Label> labels = PlaceLabels(p, dims, style);
    QCOMPARE(labels.size(), p.holes.size() + dims.size());
    for (std::size_t i = 0; i < labels.size(); ++i) {
        for (const Hole &h : p.holes)
            QVERIFY2(!Overlaps(labels[i], h.x, h.y, style.holeRadius), qPrintable(labels[i].text));
        for (std::size_t j = i + 1; j < labels.size(); ++j)
            QVERIFY2(!Overlaps(labels[i], labels[j]),
                     qPrintable(labels[i].text + QLatin1Char(' ') + labels[j].text));
    }
}

void TestSmoothBlastDrillPattern::PresetDelays() {
    Calculated c({}, false);
    const DrillPattern p = PlaceHoles(ReadDrillDesign(c.form));
    QVERIFY(p.error.isEmpty());
    QStringList rows;
    for (const DelayRow &r : p.delays)
        rows << QStringLiteral("%1 %2 %3 %4 %5")
                    .arg(ToText(r.delay), HoleTypeName(r.type), ToText(r.count),
                         ToText(r.chargePerHole), ChargeText(r.charge));
    // Auxiliary holes fire in six bands of distance from the cut, the
    // perimeter and the floor after them.
    QCOMPARE(rows, (QStringList{S("1 掏槽眼 2 0.63 1.26"), S("3 掏槽眼 4 0.63 2.52"),
                                S("5 辅助眼 13 0.576 7.488"), S("7 辅助眼 24 0.576 13.824"),
                                S("9 辅助眼 30 0.576 17.28"), S("11 辅助眼 30 0.576 17.28"),
                                S("13 辅助眼 41 0.576 23.616"), S("15 辅助眼 18 0.576 10.368"),
                                S("17 周边眼 49 0.63 30.87"), S("19 底板眼 26 0.54 14.04")}));
    // 26 floor holes between the corners: 13.1 / 27 = 0.48519 m apart, the
    // first as far from the left corner hole.
    std::vector<double> floor;
    for (const Hole &h : p.holes)
        if (h.type == HoleType::Floor) floor.push_back(h.x);
    QVERIFY(std::abs(floor.front() + 6.55 - 0.485185) < 1e-6);
    QVERIFY(std::abs(floor[1] - floor[0] - 0.485185) < 1e-6);
    QCOMPARE(ChargeText(p.maxDelayCharge), S("30.87"));
}

void TestSmoothBlastDrillPattern::LabelOverlaps_data() {
    QTest::addColumn<Label>("first");
    QTest::addColumn<Label>("second");  // or a circle: its width is the diameter, no height
    QTest::addColumn<bool>("overlap");
    const Label bar{.x = 0, .y = 0, .width = 1, .height = 0.2};
    const auto circle = [](double x, double y, double r) {
        return Label{.x = x, .y = y, .width = 2 * r};
    };
    Label upright = bar;
    upright.angle = 90;
    // The bar ends 0.5 m from its centre.
    QTest::newRow("circle reaching the end") << bar << circle(0.6, 0, 0.11) << true;
    QTest::newRow("circle short of the end") << bar << circle(0.6, 0, 0.09) << false;
    QTest::newRow("circle beside the upright bar") << upright << circle(0.6, 0, 0.11) << false;
    QTest::newRow("circle at the upright bar's end") << upright << circle(0, 0.6, 0.11) << true;
    // A 0.2 m square turned 45° reaches 0.1414 m from its centre.
    const auto diamond = [](double x) {
        return Label{.x = x, .y = 0, .width = 0.2, .height = 0.2, .angle = 45};
    };
    QTest::newRow("diamond over the end") << bar << diamond(0.64) << true;
    QTest::newRow("diamond past the end") << bar << diamond(0.65) << false;
}

void TestSmoothBlastDrillPattern::LabelOverlaps() {
    QFETCH(Label, first);
    QFETCH(Label, second);
    QFETCH(bool, overlap);
    if (second.height == 0)
        QCOMPARE(Overlaps(first, second.x, second.y, second.width / 2), overlap);
    else
        QCOMPARE(Overlaps(first, second) && Overlaps(second, first), overlap);
}

void TestSmoothBlastDrillPattern::FailedWriteKeepsTheEarlierFile() {
    QTemporaryDir dir;
    test::ScriptedDialogs dialogs;
    const QString path = dir.filePath(S("导出的方案/钻爆设计图.dxf"));
    dialogs.files << path;
    QCOMPARE(SaveDrawingFile(dialogs, dir.path(), S("钻爆设计图.dxf"), S("DXF图形（*.dxf）|*.dxf"),
                             "first"),
             path);
    QCOMPARE(dialogs.requests.last().fileName, S("钻爆设计图.dxf"));
    QCOMPARE(dialogs.requests.last().initialFolder, dir.filePath(S("导出的方案")));
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    dialogs.files << path;
    QCOMPARE(SaveDrawingFile(dialogs, dir.path(), S("钻爆设计图.dxf"), S("DXF图形（*.dxf）|*.dxf"),
                             "second"),
             QString());
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QCOMPARE(test::ReadFileBytes(path), QByteArray("first"));
    QCOMPARE(dialogs.messages.last().text,
             S("导出失败！\r\n文件：%1\r\n原因：文件为只读").arg(QDir::toNativeSeparators(path)));
}

void TestSmoothBlastDrillPattern::ReportFigure_data() {
    QTest::addColumn<Inputs>("inputs");
    QTest::addColumn<bool>("picture");
    QTest::addColumn<QString>("error");
    QTest::newRow("with picture") << Inputs{} << true << QString();
    QTest::newRow("without picture") << Inputs{} << false << QString();
    QTest::newRow("no outline")
        << Inputs{{S("编辑框1_底板长"), S("-1")}} << true
        << S("开挖轮廓无法确定：底板长须大于0，外弧长须大于底板长，请检查参数");
}

void TestSmoothBlastDrillPattern::ReportFigure() {
    QFETCH(Inputs, inputs);
    QFETCH(bool, picture);
    QFETCH(QString, error);
    QTemporaryDir dir;
    Calculated c(inputs, false);
    test::MemoryForm &form = c.form;
    if (picture) form.pictures[S("钻爆设计图")] = kTinyPng;
    // The form's folder is the temporary one.
    test::MemoryForm exported(dir.path(), &SmoothBlastTable());
    for (const FieldRow &field : SmoothBlastTable().fields)
        exported.SetText(U(field.id), form.Text(U(field.id)));
    exported.pictures = form.pictures;
    const qint64 before = QDateTime::currentSecsSinceEpoch();
    ExportReport(exported, *SmoothBlastTable().report);
    const qint64 after = QDateTime::currentSecsSinceEpoch();
    const QString path = dir.filePath(S("导出的方案/光面爆破参数及成果表.docx"));
    QVERIFY(QFile::exists(path));
    // The added picture part carries the export time like the template's parts.
    const QHash<QString, qint64> times = test::PackageEntryTimes(test::ReadFileBytes(path));
    for (auto it = times.begin(); it != times.end(); ++it)
        QVERIFY2(it.value() >= before - 2 && it.value() <= after + 2, qPrintable(it.key()));

    QProcess python;
    python.start(S("/usr/bin/python3"), {S("-c"), S(kReadReport), path});
    QVERIFY(python.waitForFinished(60000));
    QVERIFY2(python.exitCode() == 0, python.readAllStandardError().constData());
    const QJsonObject report = QJsonDocument::fromJson(python.readAllStandardOutput()).object();
    const QJsonArray pictures = report[S("pictures")].toArray();
    const QJsonArray delays = report[S("delays")].toArray();
    DocxDocument document;
    QVERIFY(document.Open(test::ReadFileBytes(path)));
    QVERIFY(!document.MainText().contains(S("钻爆设计图_")));
    // Without a pattern the reason stands alone, with no caption.
    QCOMPARE(document.MainText().contains(S("图 钻爆设计图")), error.isEmpty());
    QCOMPARE(document.MainText().contains(S("钻爆段别表")), error.isEmpty());
    if (!error.isEmpty()) {
        QVERIFY(document.MainText().contains(S("未绘制钻爆设计图：") + error));
        QVERIFY(pictures.isEmpty());
        QVERIFY(delays.isEmpty());
        return;
    }
    QCOMPARE(pictures.size(), picture ? 1 : 0);
    if (picture) {
        QCOMPARE(pictures[0][S("type")].toString(), S("image/png"));
        QCOMPARE(pictures[0][S("size")].toInt(), int(kTinyPng.size()));
        QCOMPARE(pictures[0][S("next")].toString(), S("图 钻爆设计图"));
    }
    // Head, one row per delay, the sum, the design total and the largest
    // charge of one delay.
    const DrillPattern p = PlaceHoles(ReadDrillDesign(form));
    QCOMPARE(delays.size(), int(p.delays.size()) + 4);
    QCOMPARE(delays[1].toArray()[4].toString(), ChargeText(p.delays[0].charge));
    QCOMPARE(delays.last().toArray()[0].toString(), S("最大段装药量"));
    QCOMPARE(delays.last().toArray()[4].toString(), ChargeText(p.maxDelayCharge));
}

void TestSmoothBlastDrillPattern::PlacedAsByPlainSearch_data() {
    QTest::addColumn<Inputs>("inputs");
    QTest::addColumn<bool>("parallel");
    QTest::newRow("presets, wedge") << Inputs{} << false;
    QTest::newRow("presets, parallel") << Inputs{} << true;
    QTest::newRow("narrow heading") << Inputs{{S("编辑框1_底板长"), S("5")},
                                              {S("编辑框1_开挖面外弧长"), S("12")},
                                              {S("编辑框1_断面面积"), S("22")}}
                                    << false;
    QTest::newRow("flat arch") << Inputs{{S("编辑框1_开挖面外弧长"), S("20.56")},
                                         {S("编辑框1_断面面积"), S("70")}}
                               << true;
}

// Every auxiliary hole where the plain search puts it, to the last bit.
void TestSmoothBlastDrillPattern::PlacedAsByPlainSearch() {
    QFETCH(Inputs, inputs);
    QFETCH(bool, parallel);
    Calculated c(inputs, parallel);
    const DrillDesign design = ReadDrillDesign(c.form);
    const DrillPattern p = PlaceHoles(design);
    QVERIFY(p.error.isEmpty());
    const std::vector<Outline::Point> expected = PlainAuxiliary(p, design);
    std::vector<Outline::Point> placed;
    for (const Hole &h : p.holes)
        if (h.type == HoleType::Auxiliary) placed.push_back({h.x, h.y});
    QCOMPARE(placed.size(), expected.size());
    for (std::size_t i = 0; i < placed.size(); ++i)
        QVERIFY2(placed[i].x == expected[i].x && placed[i].y == expected[i].y,
                 qPrintable(QStringLiteral("%1: %2 %3, plainly %4 %5")
                                .arg(i)
                                .arg(placed[i].x, 0, 'g', 17)
                                .arg(placed[i].y, 0, 'g', 17)
                                .arg(expected[i].x, 0, 'g', 17)
                                .arg(expected[i].y, 0, 'g', 17)));
}

namespace {

bool SamePattern(const DrillPattern &a, const DrillPattern &b) {
    const auto sameHole = [](const Hole &h, const Hole &k) {
        return h.type == k.type && h.x == k.x && h.y == k.y && h.delay == k.delay &&
               h.charge == k.charge;
    };
    const auto sameRow = [](const DelayRow &r, const DelayRow &q) {
        return r.delay == q.delay && r.type == q.type && r.count == q.count &&
               r.chargePerHole == q.chargePerHole && r.charge == q.charge;
    };
    return a.error == b.error && a.hasOutline == b.hasOutline &&
           std::equal(a.holes.begin(), a.holes.end(), b.holes.begin(), b.holes.end(), sameHole) &&
           std::equal(a.delays.begin(), a.delays.end(), b.delays.begin(), b.delays.end(),
                      sameRow) &&
           a.maxDelayCharge == b.maxDelayCharge && a.hasRelief == b.hasRelief;
}

}  // namespace

void TestSmoothBlastDrillPattern::KeptPatternsFollowTheDesign_data() {
    QTest::addColumn<int>("field");
    const char *const fields[] = {"底板长",   "外弧长",     "断面面积",     "光爆层厚",
                                  "直眼掏槽", "辅助眼数量", "掏槽眼装药量", "周边眼数量为空"};
    for (int i = 0; i < int(std::size(fields)); ++i) QTest::newRow(fields[i]) << i;
}

// A pattern kept from an earlier design is never handed out for a design
// that differs in one number only.
void TestSmoothBlastDrillPattern::KeptPatternsFollowTheDesign() {
    QFETCH(int, field);
    Calculated c({}, false);
    const DrillDesign base = ReadDrillDesign(c.form);
    DrillDesign changed = base;
    switch (field) {
        case 0:
            changed.floorWidth += 0.4;
            break;
        case 1:
            changed.outlineLength += 0.6;
            break;
        case 2:
            changed.area *= 3;
            break;
        case 3:
            changed.burden += 0.05;
            break;
        case 4:
            changed.parallelCut = !changed.parallelCut;
            break;
        case 5:
            changed.counts[int(HoleType::Auxiliary)] += 3;
            break;
        case 6:
            changed.chargePerHole[int(HoleType::Cut)] += 0.1;
            break;
        case 7:
            changed.counts[int(HoleType::Perimeter)] = qQNaN();
            break;
    }
    const DrillPattern fresh = PlaceHolesAfresh(changed);
    QVERIFY(!SamePattern(fresh, PlaceHolesAfresh(base)));
    QVERIFY(SamePattern(PlaceHoles(base), PlaceHolesAfresh(base)));
    QVERIFY(SamePattern(PlaceHoles(changed), fresh));
    QVERIFY(SamePattern(PlaceHoles(changed), fresh));
}

QTEST_GUILESS_MAIN(TestSmoothBlastDrillPattern)
#include "test_smoothblast_drill_pattern.moc"
