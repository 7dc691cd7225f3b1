#include "modules/period/core/period.h"

#include <QDir>
#include <algorithm>
#include <array>
#include <limits>

#include "core/bar_chart.h"
#include "core/conversions.h"
#include "core/dialogs.h"
#include "core/docx_document.h"
#include "core/form.h"
#include "core/ini_file.h"
#include "core/parameter_file.h"
#include "modules/period/core/period_formulas.h"
#include "modules/period/core/rock_grade_list.h"

namespace tunnel {

namespace {

// The four group boxes side by side.
constexpr GroupRow kGroups[] = {
    GroupRow{.title = "参数输入", .column = 0},
    GroupRow{.title = "循环计算2", .column = 1},
    GroupRow{.title = "进尺计算", .column = 2},
    GroupRow{.title = "工期计算", .column = 3},
};

// One row of fields per stretch: the unit names end in the row digit. Each
// field is a grid column of its group, under the label of the first stretch;
// the rock grade selectors take column 0 of the first group.
struct StretchField {
    const char *base;
    const char *label;
    int group;
    int column;
    bool input;
};
constexpr StretchField kStretchFields[] = {
    {"编辑框1_各类围岩长度", "各类围岩长度（m）", 0, 1, true},
    {"编辑框1_每循环进尺", "每循环掘进深度（m）", 0, 2, true},
    {"编辑框1_每循环用时", "每循环用时（h）", 0, 3, true},
    {"编辑框2_循环次数", "循环（次）", 1, 0, false},
    {"编辑框2_月循环数", "月循环数", 1, 1, false},
    {"编辑框2_天循环数", "天循环数", 1, 2, false},
    {"编辑框3_每天进尺", "每天进尺(m)", 2, 0, false},
    {"编辑框3_月进尺", "月进尺(m)", 2, 1, false},
    {"编辑框4_工期天", "工期(天)", 3, 0, false},
    {"编辑框4_工期月", "工期(月)", 3, 1, false},
    {"编辑框4_工期年", "工期(年)", 3, 2, false},
};
// Grid rows: the headings, the six stretches, then the totals' labels and boxes.
constexpr int kTotalsRow = kPeriodRows + 1;
constexpr int kFieldsPerStretch = int(std::size(kStretchFields));

// The unit names of every stretch, built at compile time so that the table
// can point at them.
struct StretchIds {
    char text[kPeriodRows][kFieldsPerStretch][48] = {};
};
constexpr StretchIds MakeStretchIds() {
    StretchIds ids;
    for (int row = 0; row < kPeriodRows; ++row)
        for (int k = 0; k < kFieldsPerStretch; ++k) {
            char *out = ids.text[row][k];
            int n = 0;
            for (const char *c = kStretchFields[k].base; *c; ++c) out[n++] = *c;
            out[n] = char('0' + row);
        }
    return ids;
}
constexpr StretchIds kStretchIds = MakeStretchIds();

constexpr auto MakeFields() {
    std::array<FieldRow, kPeriodRows * kFieldsPerStretch + 5> fields{};
    std::size_t i = 0;
    for (int row = 0; row < kPeriodRows; ++row)
        for (int k = 0; k < kFieldsPerStretch; ++k) {
            const StretchField &f = kStretchFields[k];
            const char *id = kStretchIds.text[row][k];
            FieldRow field = f.input ? FieldRow{.id = id,
                                                .label = f.label,
                                                .change = Change::Notice,
                                                .group = f.group}
                                     : ResultField(id, f.label, f.group);
            field.place = row == 0
                              ? Place{.row = 0, .column = f.column, .label = LabelAt::Above}
                              : Place{.row = row + 1, .column = f.column, .label = LabelAt::Hidden};
            fields[i++] = field;
        }
    const auto total = [](const char *id, const char *label, int group, int column, int span) {
        FieldRow field = ResultField(id, label, group);
        field.place = {.row = kTotalsRow, .column = column, .span = span, .label = LabelAt::Above};
        return field;
    };
    fields[i++] = total(kTotalLength, "围岩长度合计（m）", 0, 1, 3);
    fields[i++] = total(kTotalCycles, "总循环数量（循环）", 1, 0, 3);
    fields[i++] = total(kTotalDays, "总天数", 3, 0, 1);
    fields[i++] = total(kTotalMonths, "总月数", 3, 1, 1);
    fields[i++] = total(kTotalYears, "总年数", 3, 2, 1);
    return fields;
}
constexpr auto kFields = MakeFields();

// Under the totals: the editor under the selectors, the reference windows
// under the fields. The window opens the editor.
constexpr Place kEditorPlace{.row = kTotalsRow + 2};
constexpr Place kReferencePlace{.row = kTotalsRow + 2, .column = 1, .span = 3};
constexpr ButtonRow kButtons[] = {
    ButtonRow{
        .id = kPeriodEditorButton, .caption = "添加围岩等级", .group = 0, .place = kEditorPlace},
    // the advance reference window
    ButtonRow{
        .id = kPeriodAdvanceButton, .caption = "查进尺", .group = 0, .place = kReferencePlace},
    // the cycle time reference window
    ButtonRow{
        .id = kPeriodCycleTimeButton, .caption = "查用时", .group = 0, .place = kReferencePlace},
    ButtonRow{
        .id = kPeriodOpenButton, .caption = "打开", .group = -1, .command = &OpenPeriodParameters},
    ButtonRow{
        .id = kPeriodSaveButton, .caption = "保存", .group = -1, .command = &SavePeriodParameters},
    ButtonRow{.id = kPeriodCalculateButton,
              .caption = "计算",
              .group = -1,
              .command = &CalculatePeriod,
              .role = Role::Calculate},
    ButtonRow{.id = kPeriodExportButton,
              .caption = "数据导出",
              .group = -1,
              .command = nullptr,
              .role = Role::Export},
};

constexpr char kSection[] = "2.4";

// The selectors' indices first: they refer to the rock grade list.
constexpr ParamKey kParams[] = {
    {kSection, "1", "组合框1_围岩等级0", Stored::Index},
    {kSection, "2", "组合框1_围岩等级1", Stored::Index},
    {kSection, "3", "组合框1_围岩等级2", Stored::Index},
    {kSection, "4", "组合框1_围岩等级3", Stored::Index},
    {kSection, "5", "组合框1_围岩等级4", Stored::Index},
    {kSection, "6", "组合框1_围岩等级5", Stored::Index},
    {kSection, "7", "编辑框1_各类围岩长度0"},
    {kSection, "8", "编辑框1_各类围岩长度1"},
    {kSection, "9", "编辑框1_各类围岩长度2"},
    {kSection, "10", "编辑框1_各类围岩长度3"},
    {kSection, "11", "编辑框1_各类围岩长度4"},
    {kSection, "12", "编辑框1_各类围岩长度5"},
    {kSection, "13", "编辑框1_每循环进尺0"},
    {kSection, "14", "编辑框1_每循环进尺1"},
    {kSection, "15", "编辑框1_每循环进尺2"},
    {kSection, "16", "编辑框1_每循环进尺3"},
    {kSection, "17", "编辑框1_每循环进尺4"},
    {kSection, "18", "编辑框1_每循环进尺5"},
    {kSection, "19", "编辑框1_每循环用时0"},
    {kSection, "20", "编辑框1_每循环用时1"},
    {kSection, "21", "编辑框1_每循环用时2"},
    {kSection, "22", "编辑框1_每循环用时3"},
    {kSection, "23", "编辑框1_每循环用时4"},
    {kSection, "24", "编辑框1_每循环用时5"},
};

// The length field of each stretch.
constexpr const char *kStretchLengths[] = {"编辑框1_各类围岩长度0", "编辑框1_各类围岩长度1",
                                           "编辑框1_各类围岩长度2", "编辑框1_各类围岩长度3",
                                           "编辑框1_各类围岩长度4", "编辑框1_各类围岩长度5"};

// A stretch's results are needed only where its length is given: the unit
// names end in the stretch's digit.
template <std::size_t N>
constexpr std::array<ReportStep, N> NeededWithLengths(std::array<ReportStep, N> steps) {
    for (ReportStep &step : steps) {
        if (step.kind != StepKind::Fill || step.fill.printed != Printed::Result) continue;
        const char last = std::string_view(step.fill.field).back();
        if (last >= '0' && last <= '5') step.fill.requiredWith = kStretchLengths[last - '0'];
    }
    return steps;
}

// A stretch's rock grade by its name alone: the table gives the stretch's
// own advance and cycle time beside it.
template <int Row>
QString GradeName(const Form &form) {
    return RockGradeName(form.Text(RowId(kGradeBase, Row)));
}

// The tables' headers carry the units the totals show ("1000m", "186天").
QString TotalNumber(const Form &form, const char *id) {
    QString text = form.Text(id).trimmed();
    while (!text.isEmpty() && QStringLiteral("m天月年").contains(text.back())) text.chop(1);
    return text;
}

// A stretch without a length has no row in any of the tables.
void DropEmptyStretches(const Form &form, DocxDocument &document) {
    for (const char *length : kStretchLengths)
        if (!Filled(form.Text(length))) document.RemoveTableRows(length);
}

// Each placeholder is its field's id and occurs up to four times (once per
// table); the countdown notice stands before each group of six.
constexpr auto kReportSteps = NeededWithLengths(Classified(
    std::array{
        Notice("参数导出准备中……"),
        Notice("参数导出倒计时12"),
        Fill("组合框1_围岩等级0", Occurrences{5}, &GradeName<0>),
        Fill("组合框1_围岩等级1", Occurrences{5}, &GradeName<1>),
        Fill("组合框1_围岩等级2", Occurrences{5}, &GradeName<2>),
        Fill("组合框1_围岩等级3", Occurrences{5}, &GradeName<3>),
        Fill("组合框1_围岩等级4", Occurrences{5}, &GradeName<4>),
        Fill("组合框1_围岩等级5", Occurrences{5}, &GradeName<5>),
        Notice("参数导出倒计时11"),
        Fill("编辑框1_各类围岩长度0", Occurrences{5}),
        Fill("编辑框1_各类围岩长度1", Occurrences{5}),
        Fill("编辑框1_各类围岩长度2", Occurrences{5}),
        Fill("编辑框1_各类围岩长度3", Occurrences{5}),
        Fill("编辑框1_各类围岩长度4", Occurrences{5}),
        Fill("编辑框1_各类围岩长度5", Occurrences{5}),
        Notice("参数导出倒计时10"),
        Fill("编辑框1_每循环进尺0", Occurrences{5}),
        Fill("编辑框1_每循环进尺1", Occurrences{5}),
        Fill("编辑框1_每循环进尺2", Occurrences{5}),
        Fill("编辑框1_每循环进尺3", Occurrences{5}),
        Fill("编辑框1_每循环进尺4", Occurrences{5}),
        Fill("编辑框1_每循环进尺5", Occurrences{5}),
        Notice("参数导出倒计时9"),
        Fill("编辑框1_每循环用时0", Occurrences{5}),
        Fill("编辑框1_每循环用时1", Occurrences{5}),
        Fill("编辑框1_每循环用时2", Occurrences{5}),
        Fill("编辑框1_每循环用时3", Occurrences{5}),
        Fill("编辑框1_每循环用时4", Occurrences{5}),
        Fill("编辑框1_每循环用时5", Occurrences{5}),
        Notice("参数导出倒计时8"),
        Fill("编辑框2_循环次数0", Occurrences{5}),
        Fill("编辑框2_循环次数1", Occurrences{5}),
        Fill("编辑框2_循环次数2", Occurrences{5}),
        Fill("编辑框2_循环次数3", Occurrences{5}),
        Fill("编辑框2_循环次数4", Occurrences{5}),
        Fill("编辑框2_循环次数5", Occurrences{5}),
        Notice("参数导出倒计时7"),
        Fill("编辑框2_月循环数0", Occurrences{5}),
        Fill("编辑框2_月循环数1", Occurrences{5}),
        Fill("编辑框2_月循环数2", Occurrences{5}),
        Fill("编辑框2_月循环数3", Occurrences{5}),
        Fill("编辑框2_月循环数4", Occurrences{5}),
        Fill("编辑框2_月循环数5", Occurrences{5}),
        Notice("参数导出倒计时6"),
        Fill("编辑框2_天循环数0", Occurrences{5}),
        Fill("编辑框2_天循环数1", Occurrences{5}),
        Fill("编辑框2_天循环数2", Occurrences{5}),
        Fill("编辑框2_天循环数3", Occurrences{5}),
        Fill("编辑框2_天循环数4", Occurrences{5}),
        Fill("编辑框2_天循环数5", Occurrences{5}),
        Notice("参数导出倒计时5"),
        Fill("编辑框3_每天进尺0", Occurrences{5}),
        Fill("编辑框3_每天进尺1", Occurrences{5}),
        Fill("编辑框3_每天进尺2", Occurrences{5}),
        Fill("编辑框3_每天进尺3", Occurrences{5}),
        Fill("编辑框3_每天进尺4", Occurrences{5}),
        Fill("编辑框3_每天进尺5", Occurrences{5}),
        Notice("参数导出倒计时4"),
        Fill("编辑框3_月进尺0", Occurrences{5}),
        Fill("编辑框3_月进尺1", Occurrences{5}),
        Fill("编辑框3_月进尺2", Occurrences{5}),
        Fill("编辑框3_月进尺3", Occurrences{5}),
        Fill("编辑框3_月进尺4", Occurrences{5}),
        Fill("编辑框3_月进尺5", Occurrences{5}),
        Notice("参数导出倒计时3"),
        Fill("编辑框4_工期天0", Occurrences{5}),
        Fill("编辑框4_工期天1", Occurrences{5}),
        Fill("编辑框4_工期天2", Occurrences{5}),
        Fill("编辑框4_工期天3", Occurrences{5}),
        Fill("编辑框4_工期天4", Occurrences{5}),
        Fill("编辑框4_工期天5", Occurrences{5}),
        Fill(kTotalDays, Occurrences{5},
             [](const Form &form) { return TotalNumber(form, kTotalDays); }),
        Notice("参数导出倒计时2"),
        Fill("编辑框4_工期月0", Occurrences{5}),
        Fill("编辑框4_工期月1", Occurrences{5}),
        Fill("编辑框4_工期月2", Occurrences{5}),
        Fill("编辑框4_工期月3", Occurrences{5}),
        Fill("编辑框4_工期月4", Occurrences{5}),
        Fill("编辑框4_工期月5", Occurrences{5}),
        Fill(kTotalMonths, Occurrences{5},
             [](const Form &form) { return TotalNumber(form, kTotalMonths); }),
        Notice("参数导出倒计时1"),
        Fill("编辑框4_工期年0", Occurrences{5}),
        Fill("编辑框4_工期年1", Occurrences{5}),
        Fill("编辑框4_工期年2", Occurrences{5}),
        Fill("编辑框4_工期年3", Occurrences{5}),
        Fill("编辑框4_工期年4", Occurrences{5}),
        Fill("编辑框4_工期年5", Occurrences{5}),
        Fill(kTotalYears, Occurrences{5},
             [](const Form &form) { return TotalNumber(form, kTotalYears); }),
        Fill(kTotalLength, Occurrences{5},
             [](const Form &form) { return TotalNumber(form, kTotalLength); }),
        Notice("参数导出倒计时0"),
        WriteDocument(),
        Pause(500),
        Animate(Animation::DoneNotice),
        Message("自动生成计算书成功！"),
        OpenFolder(),
    },
    kFields));

const ReportTable kReport{
    .templateName = "period",
    .outputName = "隧道进尺及工期计算书.docx",
    .noticeId = kPeriodNotice,
    .steps = kReportSteps,
    .prepare = &DropEmptyStretches,
};

// The stored indices refer to the list; without it loaded every grade would
// be lost.
void LoadRockGradeLists(Form &form) {
    for (int row = 0; row < kPeriodRows; ++row) LoadRockGradeList(form, RowId(kGradeBase, row));
}

const WindowTable kTable{
    .title = "隧道工期计算",
    .noticeId = kPeriodNotice,
    .noticePreset = "计算书为Word文档（.docx），可用Word、WPS或LibreOffice打开",
    .changeNoticeId = kPeriodNotice,
    .changeNotice = "参数已经改变，请重新计算！",
    .groups = kGroups,
    .fields = kFields,
    .buttons = kButtons,
    .params = kParams,
    .report = &kReport,
    .openDefaultExtension = ".tac",
    .beforeOpen = LoadRockGradeLists,
};

constexpr const char *kResultBases[] = {kCyclesBase,     kMonthCyclesBase,  kDayCyclesBase,
                                        kDayAdvanceBase, kMonthAdvanceBase, kDaysBase,
                                        kMonthsBase,     kYearsBase};

double RowNumber(const Form &form, const char *base, int row) {
    return ToNumber(form.Text(RowId(base, row)));
}

// Writes a result and returns it as displayed, which is what the later
// steps of the row compute with.
double WriteResult(Form &form, const char *base, int row, double value) {
    const QString id = RowId(base, row);
    form.SetText(id, ToText(value));
    return ToNumber(form.Text(id));
}

void CalculateRow(Form &form, int row) {
    const double l = RowNumber(form, kLengthBase, row);
    const double t = RowNumber(form, kCycleTimeBase, row);
    const double a = RowNumber(form, kAdvanceBase, row);
    if (!StretchComplete(l, t, a)) {
        for (const char *base : kResultBases) form.SetText(RowId(base, row), QString());
        return;
    }
    const CycleCounts counts = StretchCycles(l, a, t);
    WriteResult(form, kCyclesBase, row, counts.cycles);
    WriteResult(form, kMonthCyclesBase, row, counts.monthCycles);
    const double nd = WriteResult(form, kDayCyclesBase, row, counts.dayCycles);
    const double ad = WriteResult(form, kDayAdvanceBase, row, DayAdvance(a, nd));
    // Ad may read 0 here; the periods are then infinite and show as "inf",
    // which the totals and the chart read as 0.
    const StretchPeriods periods = StretchPeriodsFor(l, ad);
    WriteResult(form, kMonthAdvanceBase, row, periods.monthAdvance);
    WriteResult(form, kDaysBase, row, periods.days);
    WriteResult(form, kMonthsBase, row, periods.months);
    WriteResult(form, kYearsBase, row, periods.years);
}

static_assert(kStretchCount == kPeriodRows);

StretchColumn Column(const Form &form, const char *base) {
    StretchColumn column{};
    for (int row = 0; row < kPeriodRows; ++row) column[row] = RowNumber(form, base, row);
    return column;
}

// Without a single calculated stretch there is nothing to add up: the
// totals stay empty, which the export guard takes for missing results.
void WriteTotals(Form &form) {
    bool anyStretch = false;
    for (int row = 0; row < kPeriodRows; ++row)
        anyStretch = anyStretch || Filled(form.Text(RowId(kCyclesBase, row)));
    if (!anyStretch) {
        for (const char *id : {kTotalLength, kTotalCycles, kTotalDays, kTotalMonths, kTotalYears})
            form.SetText(id, QString());
        return;
    }
    const PeriodTotals totals =
        SumStretches(Column(form, kLengthBase), Column(form, kCyclesBase), Column(form, kDaysBase),
                     Column(form, kMonthsBase), Column(form, kYearsBase));
    form.SetText(kTotalLength, ToText(totals.length) + QStringLiteral("m"));
    form.SetText(kTotalCycles, ToText(totals.cycles) + QStringLiteral("循环"));
    form.SetText(kTotalDays, ToText(totals.days) + QStringLiteral("天"));
    form.SetText(kTotalMonths, ToText(totals.months) + QStringLiteral("月"));
    form.SetText(kTotalYears, ToText(totals.years) + QStringLiteral("年"));
}

void FillChart(const Form &form, BarChart &chart) {
    chart.SetTitle(QStringLiteral("各段循环数、工期与长度"));
    chart.SetUnitText(QStringLiteral("个/天/m"));
    chart.SetAxisTitle(QString());
    chart.SetCategoryCount(kPeriodRows);
    chart.SetSeriesCount(3);
    struct Series {
        Rgb colour;
        const char *name;
        const char *base;
    };
    constexpr Series kSeries[] = {
        {{0, 0, 255}, "循环数（个）", kCyclesBase},
        {{255, 0, 0}, "工期（天）", kDaysBase},
        {{0, 255, 0}, "长度（m）", kLengthBase},
    };
    for (int s = 0; s < 3; ++s) {
        chart.SetCurrentSeries(s);
        chart.SetSeriesColor(kSeries[s].colour);
        chart.SetSeriesName(kSeries[s].name);
        for (int k = 0; k < kPeriodRows; ++k) {
            chart.SetCurrentCategory(k);
            // Each stretch under its own short name, so the labels stay apart.
            chart.SetCategoryName(QStringLiteral("第%1段").arg(k + 1));
            chart.SetValue(RowNumber(form, kSeries[s].base, k));
        }
    }
    chart.FitValueAxis();
    chart.SetVisible(true);
}

}  // namespace

QString RowId(const char *base, int row) {
    return U(base) + QString::number(row);
}

const WindowTable &PeriodTable() {
    return kTable;
}

void CalculatePeriod(Form &form) {
    for (int row = 0; row < kPeriodRows; ++row) CalculateRow(form, row);
    WriteTotals(form);
    if (BarChart *chart = form.Chart(kPeriodChart)) FillChart(form, *chart);
    form.SetCaption(kPeriodNotice, QString());
}

void SavePeriodParameters(Form &form) {
    SaveParameters(form, kTable);
}

void OpenPeriodParameters(Form &form) {
    OpenParameters(form, kTable);
}

}  // namespace tunnel
