#include "modules/smoothblast/core/smoothblast.h"

#include <array>

#include "core/bar_chart.h"
#include "core/calc_form.h"
#include "core/code_checks.h"
#include "core/conversions.h"
#include "core/dialogs.h"
#include "core/docx_document.h"
#include "core/form.h"
#include "modules/smoothblast/core/drill_pattern.h"
#include "modules/smoothblast/core/smoothblast_formulas.h"

namespace tunnel {

namespace {

constexpr char kNotice[] = "标签1_进度条";
constexpr char kCalculateCaption[] = "计算";
constexpr char kBackCaption[] = "返回重新计算";

constexpr char kRockTable[] =
    "硬岩   饱和单轴抗压强度>60Mpa    取0.30-0.35\r\n"
    "中硬岩 饱和单轴抗压强度30-60Mpa  取0.20-0.30\r\n"
    "软岩   饱和单轴抗压强度≤30Mpa   取0.07-0.15";

constexpr std::array kGroups = {
    GroupRow{"断面参数1"},          GroupRow{"中心掏槽眼参数2"}, GroupRow{"辅助眼参数3"},
    GroupRow{"周边眼参数4"},        GroupRow{"底板眼参数5"},     GroupRow{"确定钻孔及炸药直径"},
    GroupRow{"光面爆破计算成果表"},
};

constexpr std::array kFields = {
    FieldRow{.id = kAreaId,
             .label = "爆破断面面积",
             .unit = "m2",
             .preset = "110.63",
             .change = Change::Notice,
             .group = 0},
    FieldRow{.id = kAdvanceId,
             .label = "爆破循环进尺",
             .unit = "m",
             .preset = "1.8",
             .hint = "一般为0.8-3.5m",
             .change = Change::Notice,
             .group = 0},
    FieldRow{.id = kOutlineId,
             .label = "开挖面外弧长（不含底板）",
             .unit = "m",
             .preset = "24.22",
             .change = Change::Notice,
             .group = 0},
    FieldRow{.id = kFloorWidthId,
             .label = "开挖面底板长",
             .unit = "m",
             .preset = "13.1",
             .change = Change::Notice,
             .group = 0},
    FieldRow{.id = kSpecificChargeId,
             .label = "单位体积岩体的耗药量q",
             .unit = "kg/m3",
             .preset = "0.7",
             .grey = 128,
             .hint = "一般取0.7-2.9",
             .change = Change::ColourAndNotice,
             .group = 0},
    FieldRow{.id = kCutCountId,
             .label = "掏槽眼数量",
             .unit = "个",
             .preset = "6",
             .grey = 192,
             .hint = "一般取4~6个",
             .change = Change::ColourAndNotice,
             .group = 1},
    FieldRow{.id = kCutPerMetreId,
             .label = "掏槽装药集中系数q",
             .unit = "kg/m",
             .preset = "0.35",
             .grey = 192,
             .hint = kRockTable,
             .change = Change::ColourAndNotice,
             .group = 1},
    FieldRow{.id = kAuxPerMetreId,
             .label = "辅助眼装药集中系数q",
             .unit = "kg/m",
             .preset = "0.32",
             .grey = 128,
             .hint = kRockTable,
             .change = Change::ColourAndNotice,
             .group = 2},
    FieldRow{.id = kSpacingId,
             .label = "周边眼间距E",
             .unit = "cm",
             .preset = "50",
             .grey = 128,
             .hint = "中硬岩（10-18d）软岩（8-12d）一般宜取50-70cm",
             .change = Change::ColourAndNotice,
             .group = 3,
             .onChange = &PerimeterSpacingChanged},
    FieldRow{.id = kBurdenId,
             .label = "最小抵抗线V/光爆层厚W",
             .unit = "cm",
             .preset = "62.5",
             .grey = 128,
             .hint = "中硬岩（12.5-22.5d）软岩（10-15d）一般宜取50-80cm",
             .change = Change::ColourAndNotice,
             .group = 3},
    FieldRow{.id = kPerimeterPerMetreId,
             .label = "周边眼装药集中系数q",
             .unit = "kg/m",
             .preset = "0.35",
             .grey = 128,
             .hint = kRockTable,
             .change = Change::ColourAndNotice,
             .group = 3},
    FieldRow{.id = kFloorSpacingId,
             .label = "底板眼间距E",
             .unit = "cm",
             .preset = "50",
             .grey = 128,
             .hint = "中硬岩（10-18d）  软岩（8-12d）一般取50-70cm",
             .change = Change::ColourAndNotice,
             .group = 4},
    FieldRow{.id = kFloorPerMetreId,
             .label = "底板眼装药集中系数q",
             .unit = "kg/m",
             .preset = "0.3",
             .grey = 128,
             .hint = kRockTable,
             .change = Change::ColourAndNotice,
             .group = 4},
    FieldRow{.id = kHoleDiameterId,
             .label = "炮眼钻孔直径d",
             .unit = "mm",
             .preset = "35",
             .grey = 128,
             .hint = "一般为32-46mm",
             .change = Change::ColourAndNotice,
             .group = 5},
    FieldRow{.id = kDecouplingId,
             .label = "装药不耦合系数B",
             .preset = "1.5",
             .grey = 128,
             .hint = "一般为1.5-2.0",
             .change = Change::ColourAndNotice,
             .group = 5},
    ResultField(kChargeDiameterId, "计算炸药直径d", "mm", 5),

    // One line per hole type: charge per hole, count, charge of the type.
    // Row 2 leaves room for the window's note, row 7 for its charts.
    ResultField(kCutPerHoleId, "掏槽眼单孔装药量Q", "kg", 6, {.row = 0, .column = 0}),
    ResultField(kCutHolesId, "掏槽眼数量", "个", 6, {.row = 0, .column = 2}),
    ResultField(kCutChargeId, "掏槽眼总装药量", "kg", 6, {.row = 0, .column = 4}),
    ResultField(kAuxPerHoleId, "辅助眼单孔装药量Q", "kg", 6, {.row = 1, .column = 0}),
    ResultField(kAuxHolesId, "辅助眼数量", "个", 6, {.row = 1, .column = 2}),
    ResultField(kAuxChargeId, "辅助眼总装药量", "kg", 6, {.row = 1, .column = 4}),
    ResultField(kRatioId, "周边眼密集系数E/V值", 6, {.row = 2, .column = 0}),
    ResultField(kPerimeterPerHoleId, "周边眼单孔装药量Q", "kg", 6, {.row = 3, .column = 0}),
    ResultField(kPerimeterHolesId, "周边眼数量", "个", 6, {.row = 3, .column = 2}),
    ResultField(kPerimeterChargeId, "周边眼装药总量", "kg", 6, {.row = 3, .column = 4}),
    ResultField(kFloorPerHoleId, "底板眼单孔装药量Q底", "kg", 6, {.row = 5, .column = 0}),
    ResultField(kFloorHolesId, "底板眼数量", "个", 6, {.row = 5, .column = 2}),
    ResultField(kFloorChargeId, "底板眼总装药量", "kg", 6, {.row = 5, .column = 4}),
    ResultField(kTotalHolesId, "断面炮眼总数量", "个", 6, {.row = 6, .column = 0}),
    ResultField(kTotalChargeId, "爆破面总装药量", "kg", 6, {.row = 6, .column = 2}),
};

// The calculate, drill pattern and evaluation buttons need the window
// itself, and the picture button gets its window elsewhere: the window
// connects them all.
constexpr std::array kButtons = {
    ButtonRow{.id = kBlastCalculateButton,
              .caption = kCalculateCaption,
              .group = -1,
              .role = Role::Calculate},
    ButtonRow{.id = kBlastLayoutButton, .caption = "布眼示意图", .group = 6},
    ButtonRow{.id = kPatternButtonId, .caption = "钻爆设计图", .group = 6},
    ButtonRow{.id = kBlastEvaluationButton, .caption = "爆破效果评价", .group = 6},
    ButtonRow{.id = kBlastOpenButton,
              .caption = "打开数据",
              .group = -1,
              .command = nullptr,
              .role = Role::Open},
    ButtonRow{.id = kBlastSaveButton,
              .caption = "保存数据",
              .group = -1,
              .command = nullptr,
              .role = Role::Save},
    ButtonRow{.id = kBlastExportButton,
              .caption = "导出计算参数及成果",
              .group = -1,
              .command = nullptr,
              .role = Role::Export},
};

constexpr std::array kParams = {
    ParamKey{"2.3", "1", kAreaId},
    ParamKey{"2.3", "2", kAdvanceId},
    ParamKey{"2.3", "3", kOutlineId},
    ParamKey{"2.3", "4", kFloorWidthId},
    ParamKey{"2.3", "5", kSpecificChargeId},
    ParamKey{"2.3", "6", kCutCountId},
    ParamKey{"2.3", "7", kCutPerMetreId},
    ParamKey{"2.3", "8", kAuxPerMetreId},
    ParamKey{"2.3", "9", kDecouplingId},
    ParamKey{"2.3", "10", kHoleDiameterId},
    ParamKey{"2.3", "11", kSpacingId},
    ParamKey{"2.3", "12", kBurdenId},
    ParamKey{"2.3", "13", kPerimeterPerMetreId},
    ParamKey{"2.3", "14", kFloorSpacingId},
    ParamKey{"2.3", "15", kFloorPerMetreId},
};

// The tables' headers carry the units the window shows with the value
// ("239个", "23mm"), so the cells hold the number alone.
QString WithoutUnit(const Form &form, const char *id, const QString &unit) {
    QString text = form.Text(id).trimmed();
    if (text.endsWith(unit)) text.chop(unit.size());
    return text.trimmed();
}

QString HoleCount(const Form &form) {
    return WithoutUnit(form, kTotalHolesId, QStringLiteral("个"));
}

QString ChargeDiameter(const Form &form) {
    return WithoutUnit(form, kChargeDiameterId, QStringLiteral("mm"));
}

void AddDrillPattern(Form &form, DocxDocument &document);

// Every placeholder is its field's id, replaced in up to twenty places. The
// window has no log box.
constexpr auto kReportSteps = Classified(
    std::array{
        Notice("导出准备中，请稍候……"),
        Notice("正在写入隧道基本参数信息，导出倒计时14"),
        Fill(kAreaId, Occurrences{20}),
        Notice("正在写入隧道基本参数信息，导出倒计时13"),
        Fill(kAdvanceId, Occurrences{20}),
        Fill(kOutlineId, Occurrences{20}),
        Notice("正在写入隧道基本参数信息，导出倒计时12"),
        Fill(kFloorWidthId, Occurrences{20}),
        Fill(kSpecificChargeId, Occurrences{20}),
        Fill(kCutCountId, Occurrences{20}),
        Notice("正在写入隧道基本参数信息，导出倒计时11"),
        Fill(kCutPerMetreId, Occurrences{20}),
        Fill(kSpacingId, Occurrences{20}),
        Notice("正在写入隧道爆破参数信息，导出倒计时10"),
        Fill(kBurdenId, Occurrences{20}),
        Fill(kPerimeterPerMetreId, Occurrences{20}),
        Notice("正在写入隧道爆破参数信息，导出倒计时9"),
        Fill(kAuxPerMetreId, Occurrences{20}),
        Fill(kFloorSpacingId, Occurrences{20}),
        Notice("正在写入隧道爆破参数信息，导出倒计时8"),
        Fill(kFloorPerMetreId, Occurrences{20}),
        Fill(kHoleDiameterId, Occurrences{20}),
        Fill(kDecouplingId, Occurrences{20}),
        Fill(kChargeDiameterId, Occurrences{20}, &ChargeDiameter),
        Fill(kRatioId, Occurrences{20}),
        Notice("正在写入隧道爆破参数信息，导出倒计时7"),
        Fill(kCutHolesId, Occurrences{20}),
        Fill(kAuxHolesId, Occurrences{20}),
        Notice("正在写入隧道爆破参数信息，导出倒计时6"),
        Fill(kPerimeterHolesId, Occurrences{20}),
        Fill(kFloorHolesId, Occurrences{20}),
        Notice("写入的信息整理中，导出倒计时5"),
        Fill(kTotalHolesId, Occurrences{20}, &HoleCount),
        Fill(kCutPerHoleId, Occurrences{20}),
        Notice("写入的信息整理中，导出倒计时4"),
        Fill(kAuxPerHoleId, Occurrences{20}),
        Fill(kPerimeterPerHoleId, Occurrences{20}),
        Notice("写入的信息整理中，导出倒计时3"),
        Fill(kFloorPerHoleId, Occurrences{20}),
        Fill(kCutChargeId, Occurrences{20}),
        Notice("数据处理完毕，导出倒计时2"),
        Fill(kAuxChargeId, Occurrences{20}),
        Fill(kPerimeterChargeId, Occurrences{20}),
        Notice("数据处理完毕，导出倒计时1"),
        Fill(kFloorChargeId, Occurrences{20}),
        Fill(kTotalChargeId, Occurrences{20}),
        Notice("数据处理完毕，导出倒计时0"),
        WriteDocument(),  // with the drill pattern
        Animate(Animation::NoWaits),
        Message("导出成功！"),
        OpenFolder(),
    },
    kFields);

const ReportTable kReport{
    .templateName = "smoothblast",
    .outputName = "光面爆破参数及成果表.docx",
    .noticeId = kNotice,
    .steps = kReportSteps,
    .finish = &AddDrillPattern,
    .checks = &SmoothBlastChecks,
};

const WindowTable kTable{
    .title = "隧道光面爆破设计与计算",
    .noticeId = kNotice,
    .noticePreset = "计算书为Word文档（.docx），可用Word、WPS或LibreOffice打开",
    .changeNoticeId = kBlastChangeNotice,
    .changeNotice = "参数已修改请重新计算",
    .groups = kGroups,
    .fields = kFields,
    .buttons = kButtons,
    .params = kParams,
    .report = &kReport,
};

void Write(Form &form, const char *id, double value) {
    form.SetText(id, ToText(value));
}

// Counts and charges differ by an order of magnitude, so each has its own
// chart with an axis scaled to it.
void FillChart(const Form &form, BarChart &chart, const char *title, const char *unit, Rgb colour,
               const char *name, const char *const (&fields)[4]) {
    static const char *const kCategories[] = {"掏槽眼", "辅助眼", "周边眼", "底板眼"};
    chart.SetTitle(title);
    chart.SetUnitText(unit);
    chart.SetAxisTitle(QString());
    chart.SetCategoryCount(4);
    chart.SetSeriesCount(1);
    chart.SetCurrentSeries(0);
    chart.SetSeriesColor(colour);
    chart.SetSeriesName(name);
    for (int c = 0; c < 4; ++c) {
        chart.SetCurrentCategory(c);
        chart.SetCategoryName(kCategories[c]);
        chart.SetValue(ReadNumber(form, fields[c]));
    }
    chart.FitValueAxis();
    chart.SetVisible(true);
}

// The figure "图 钻爆设计图" 16 cm wide and the table of delays after the
// results; a design with no pattern says why in the figure's place.
void AddDrillPattern(Form &form, DocxDocument &document) {
    const QString figure = QStringLiteral("钻爆设计图_图片");
    const QString table = QStringLiteral("钻爆设计图_段别表");
    const DrillDesign design = ReadDrillDesign(form);
    const DrillPattern pattern = PlaceHoles(design);
    if (!pattern.error.isEmpty()) {
        // The reason stands alone: no caption of a figure or a table not there.
        document.ReplaceParagraph(QStringLiteral("图 钻爆设计图"), {});
        document.ReplaceParagraph(QStringLiteral("钻爆段别表"), {});
        document.ReplaceParagraph(table, {});
        document.ReplacePlaceholder(figure, QStringLiteral("未绘制钻爆设计图：") + pattern.error, 1);
        return;
    }
    const QByteArray png = form.Picture(kPatternPictureId);
    if (png.isEmpty() || !document.InsertImage(figure, png, 5760000, 3600000))
        document.ReplacePlaceholder(figure, QString(), 1);
    QList<QStringList> rows{{QStringLiteral("段别"), QStringLiteral("炮眼类型"),
                             QStringLiteral("炮眼数（个）"), QStringLiteral("单孔装药量（kg）"),
                             QStringLiteral("段装药量（kg）")}};
    for (const DelayRow &r : pattern.delays)
        rows << QStringList{ToText(r.delay), HoleTypeName(r.type), ToText(r.count),
                            ChargeText(r.chargePerHole), ChargeText(r.charge)};
    // The sum beside the design total Q, so that a reader sees the rows add
    // up; they differ by the rounding of the type charges and counts.
    int holes = 0;
    double charge = 0;
    for (const DelayRow &r : pattern.delays) {
        holes += r.count;
        charge += r.charge;
    }
    rows << QStringList{QStringLiteral("合计"), QString(), ToText(holes), QString(),
                        ChargeText(charge)};
    rows << QStringList{QStringLiteral("设计总装药量Q"), QString(), QString(), QString(),
                        form.Text(kTotalChargeId)};
    rows << QStringList{QStringLiteral("最大段装药量"), QString(), QString(), QString(),
                        ChargeText(pattern.maxDelayCharge)};
    document.InsertTable(table, rows);
}

void FillCharts(const Form &form, SmoothBlastView &view) {
    static const char *const kCounts[] = {kCutHolesId, kAuxHolesId, kPerimeterHolesId,
                                          kFloorHolesId};
    static const char *const kCharges[] = {kCutChargeId, kAuxChargeId, kPerimeterChargeId,
                                           kFloorChargeId};
    FillChart(form, view.Chart(), "炮眼数量对比柱状表", "个", Rgb{0, 0, 255}, "炮眼数量（个）",
              kCounts);
    FillChart(form, view.ChargeChart(), "装药量对比柱状表", "kg", Rgb{255, 0, 0}, "装药量（kg）",
              kCharges);
}

}  // namespace

const WindowTable &SmoothBlastTable() {
    return kTable;
}

void PerimeterSpacingChanged(Form &form) {
    Write(form, kBurdenId, BurdenFor(ReadNumber(form, kSpacingId)));
}

void SlideStep(SmoothBlastView &view) {
    // A width off the 142 px grid would never hit the open width exactly, so
    // the slide stops at the first step that reaches it.
    const int width = view.WindowWidth() + kBlastSlideStep;
    if (width >= kBlastOpenWidth) {
        view.SetWindowWidth(kBlastOpenWidth);
        view.StopSlide();
    } else {
        view.SetWindowWidth(width);
    }
}

// Computes every result from the inputs on screen; `opening` tells that the
// result half is being opened by this calculation.
static void ComputeBlast(Form &form, SmoothBlastView &view, bool opening) {
    form.SetCaption(kBlastChangeNotice, QString());
    const double l = ReadNumber(form, kAdvanceId);
    Write(form, kTotalChargeId,
          RoundCharge(l, ReadNumber(form, kAreaId), ReadNumber(form, kSpecificChargeId)));

    const double e = ReadNumber(form, kSpacingId);
    const double v = ReadNumber(form, kBurdenId);
    Write(form, kRatioId, SpacingRatio(e, v));
    Write(form, kPerimeterPerHoleId, ChargePerHole(l, ReadNumber(form, kPerimeterPerMetreId)));
    Write(form, kPerimeterHolesId, PerimeterHoles(ReadNumber(form, kOutlineId), e));
    Write(form, kPerimeterChargeId,
          TypeCharge(ReadNumber(form, kPerimeterPerHoleId), ReadNumber(form, kPerimeterHolesId)));

    Write(form, kFloorPerHoleId, ChargePerHole(l, ReadNumber(form, kFloorPerMetreId)));
    Write(form, kFloorHolesId,
          FloorHoles(ReadNumber(form, kFloorWidthId), ReadNumber(form, kFloorSpacingId)));
    Write(form, kFloorChargeId,
          TypeCharge(ReadNumber(form, kFloorPerHoleId), ReadNumber(form, kFloorHolesId)));

    Write(form, kCutPerHoleId, ChargePerHole(l, ReadNumber(form, kCutPerMetreId)));
    form.SetText(kCutHolesId, form.Text(kCutCountId));
    Write(form, kCutChargeId,
          CutCharge(ReadNumber(form, kCutPerHoleId), ReadNumber(form, kCutCountId)));

    Write(form, kAuxChargeId,
          AuxiliaryCharge(ReadNumber(form, kTotalChargeId), ReadNumber(form, kPerimeterChargeId),
                          ReadNumber(form, kFloorChargeId), ReadNumber(form, kCutChargeId)));
    Write(form, kAuxPerHoleId, ChargePerHole(l, ReadNumber(form, kAuxPerMetreId)));
    Write(form, kAuxHolesId,
          AuxiliaryHoles(ReadNumber(form, kAuxChargeId), ReadNumber(form, kAuxPerHoleId)));

    form.SetText(kChargeDiameterId, ToText(ChargeDiameter(ReadNumber(form, kHoleDiameterId),
                                                          ReadNumber(form, kDecouplingId))) +
                                        "mm");
    form.SetText(
        kTotalHolesId,
        ToText(TotalHoles(ReadNumber(form, kCutHolesId), ReadNumber(form, kAuxHolesId),
                          ReadNumber(form, kPerimeterHolesId), ReadNumber(form, kFloorHolesId))) +
            "个");

    FillCharts(form, view);
    form.SetCaption(kNotice, "计算成功，请稍候！");

    // Judged on the charge just computed, so the warning belongs to the
    // inputs on screen; shown once per opening of the result half.
    if (opening && AuxiliaryOverdrawn(ReadNumber(form, kAuxChargeId)))
        form.DialogService().Message("超过限值！请增大开挖断面面积或调整单位体积岩体的耗药量");
    LogChecks(form, SmoothBlastChecks(form));
}

void CalculateBlast(Form &form, SmoothBlastView &view) {
    if (view.WindowWidth() == kBlastOpenWidth) {
        view.SetWindowWidth(kBlastInputWidth);
    } else {
        view.StartSlide();
        view.ShowResultHalf();
    }
    const bool opening = form.Caption(kBlastCalculateButton) == U(kCalculateCaption);
    form.SetCaption(kBlastCalculateButton, opening ? kBackCaption : kCalculateCaption);
    ComputeBlast(form, view, opening);
}

void RecalculateBlast(Form &form, SmoothBlastView &view) {
    if (form.Caption(kBlastCalculateButton) == U(kBackCaption))
        ComputeBlast(form, view, false);
    else
        CalculateBlast(form, view);
}

QStringList SmoothBlastChecks(const Form &form) {
    QStringList failed;
    if (AuxiliaryOverdrawn(ReadNumber(form, kAuxChargeId)))
        failed << QStringLiteral("辅助眼装药量为负，请增大开挖断面面积或调整单位体积岩体的耗药量");
    return failed;
}

}  // namespace tunnel
