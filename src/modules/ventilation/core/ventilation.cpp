#include "modules/ventilation/core/ventilation.h"

#include <QDate>
#include <algorithm>
#include <array>

#include "core/calc_form.h"
#include "core/conversions.h"
#include "core/form.h"
#include "core/project_info.h"
#include "core/report_export.h"
#include "modules/ventilation/core/ventilation_checks.h"
#include "modules/ventilation/core/ventilation_ids.h"

namespace tunnel {

namespace {

using namespace ventilation_ids;

// Three columns of group boxes: one column would be far taller than a screen.
constexpr std::array kGroups = {
    GroupRow{.title = "参数录入", .column = 0},
    GroupRow{.title = "洞内主要燃机设备功率和计算", .column = 1},
    GroupRow{.title = "隧道洞内瓦斯情况", .column = 2},
    GroupRow{.title = "需风量计算", .column = 2},
    GroupRow{.title = "供风量计算", .column = 0},
    GroupRow{.title = "风压计算", .column = 2},
    GroupRow{.title = "风机选型", .column = 1},
};

constexpr char kSpeedHint[] =
    "依据《公路工程施工安全技术规范》（JTGF90－2015）》第9.9.1.3条规定，全断面开挖时，风速不得小于0.15m/s，导洞内不得小于0.25m/s\r\n";
constexpr char kAirPerKwHint[] =
    "依据《公路工程施工安全技术规范》（JTGF90－2015）》第9.9.1.3条规定，内燃机作业供风量不宜小于4.5m3 min/KW\r\n";
constexpr char kAirPerPersonHint[] =
    "依据《公路工程施工安全技术规范》（JTGF90－2015）》第9.9.1.3条规定，每人每分钟所需新鲜空气不小于3.0m3/min\r\n";

constexpr std::array kFields = {
    // 参数录入
    FieldRow{.id = kArea,
             .label = "隧道开挖面积",
             .unit = "m2",
             .preset = "60",
             .change = Change::ColourAndNotice,
             .group = 0},
    FieldRow{.id = kAdvance,
             .label = "隧道开挖进尺",
             .unit = "m",
             .preset = "2.5",
             .change = Change::ColourAndNotice,
             .group = 0},
    FieldRow{.id = kPersons,
             .label = "最大作业人数",
             .unit = "人",
             .preset = "60",
             .change = Change::ColourAndNotice,
             .group = 0},
    FieldRow{.id = kLength,
             .label = "隧道通风长度",
             .unit = "m",
             .preset = "1400",
             .change = Change::ColourAndNotice,
             .group = 0},
    FieldRow{.id = kReserve,
             .label = "风量备用系数K\r\n",
             .preset = "1.15",
             .grey = 192,
             .hint = "一般取1.15",
             .change = Change::ColourAndNotice,
             .group = 0},
    FieldRow{.id = kAirPerPerson,
             .label = "每人每分钟所需新鲜空气",
             .unit = "m3/min",
             .preset = "3.0",
             .grey = 192,
             .hint = "规定不小于3-4m3/min",
             .focusHint = kAirPerPersonHint,
             .change = Change::ColourAndNotice,
             .group = 0},
    FieldRow{.id = kCharge,
             .label = "隧道每立方米所需炸药量",
             .unit = "kg/m3",
             .preset = "0.7",
             .grey = 192,
             .hint = "隧道爆破参数取一般0.6-2.2kg/m3\r\n",
             .change = Change::ColourAndNotice,
             .group = 0},
    FieldRow{.id = kSpeed,
             .label = "允许最低风速",
             .unit = "m/s",
             .preset = "0.15",
             .grey = 192,
             .hint = "查表为0.15m/s",
             .focusHint = kSpeedHint,
             .change = Change::ColourAndNotice,
             .group = 0},
    FieldRow{.id = kFumeTime,
             .label = "爆破后通风排烟时间",
             .unit = "min",
             .preset = "30",
             .grey = 192,
             .change = Change::ColourAndNotice,
             .group = 0},
    FieldRow{.id = kSpread,
             .label = "炮烟扩散长度L0",
             .unit = "m",
             .preset = "100",
             .grey = 192,
             .hint = "一般取100~200m",
             .change = Change::ColourAndNotice,
             .group = 0},
    FieldRow{.id = kDiameter,
             .label = "选定风筒直径",
             .unit = "m",
             .preset = "1.8",
             .grey = 192,
             .hint = "一般取1.2~1.8m",
             .change = Change::ColourAndNotice,
             .group = 0},
    // 洞内主要燃机设备功率和计算
    FieldRow{.id = kExcavatorPower,
             .label = "挖掘机单机功率",
             .unit = "kW",
             .preset = "220",
             .grey = 192,
             .change = Change::ColourAndNotice,
             .group = 1},
    FieldRow{.id = kExcavators,
             .label = "挖掘机数量",
             .unit = "辆",
             .preset = "1",
             .change = Change::ColourAndNotice,
             .group = 1},
    FieldRow{.id = kLoaderPower,
             .label = "装载机单机功率",
             .unit = "kW",
             .preset = "150",
             .grey = 192,
             .change = Change::ColourAndNotice,
             .group = 1},
    FieldRow{.id = kLoaders,
             .label = "装载机数量",
             .unit = "辆",
             .preset = "1",
             .change = Change::ColourAndNotice,
             .group = 1},
    FieldRow{.id = kOtherPower,
             .label = "其它设备",
             .unit = "kW",
             .preset = "0",
             .grey = 192,
             .change = Change::ColourAndNotice,
             .group = 1},
    FieldRow{.id = kOthers,
             .label = "其它设备数量",
             .unit = "台",
             .preset = "0",
             .grey = 192,
             .change = Change::ColourAndNotice,
             .group = 1},
    FieldRow{.id = kTruckPower,
             .label = "自卸车装机功率",
             .unit = "kW",
             .preset = "206",
             .grey = 192,
             .change = Change::ColourAndNotice,
             .group = 1},
    FieldRow{.id = kLoadedTrucks,
             .label = "渣车重载数量",
             .unit = "辆",
             .preset = "2",
             .change = Change::ColourAndNotice,
             .group = 1},
    FieldRow{.id = kEmptyTrucks,
             .label = "渣车空载数量",
             .unit = "辆",
             .preset = "2",
             .change = Change::ColourAndNotice,
             .group = 1},
    FieldRow{.id = kLoadedFactor,
             .label = "重车负荷率",
             .preset = "0.8",
             .grey = 192,
             .change = Change::ColourAndNotice,
             .group = 1},
    FieldRow{.id = kEmptyFactor,
             .label = "空车负荷率",
             .preset = "0.4",
             .grey = 192,
             .change = Change::ColourAndNotice,
             .group = 1},
    FieldRow{.id = kUtilisation,
             .label = "设备利用率",
             .preset = "0.9",
             .grey = 192,
             .change = Change::ColourAndNotice,
             .group = 1},
    FieldRow{.id = kAirPerKw,
             .label = "内燃机械作业供风量（m3/(min·kW)）",
             .preset = "4.5",
             .grey = 192,
             .focusHint = kAirPerKwHint,
             .change = Change::ColourAndNotice,
             .group = 1},
    ResultField(kPowerTotal, "计算高峰期内燃机械总功率", "kW", 1),
    // 隧道洞内瓦斯情况: a change only turns the preset black. The window's
    // gas option takes row 0.
    FieldRow{.id = kGasEmission,
             .label = "瓦斯绝对涌出量",
             .unit = "m3/min",
             .preset = kNotConsidered,
             .grey = 128,
             .hint = "请填实测数据或施工中按实测值进行调整",
             .change = Change::Colour,
             .group = 2,
             .place = {.row = 1}},
    FieldRow{.id = kGasAllowed,
             .label = "工作面允许瓦斯浓度",
             .preset = kNotConsidered,
             .grey = 128,
             .change = Change::Colour,
             .group = 2},
    FieldRow{.id = kGasSupplied,
             .label = "送入风流中瓦斯浓度",
             .preset = kNotConsidered,
             .grey = 128,
             .hint = "新鲜风流瓦斯浓度为0",
             .change = Change::Colour,
             .group = 2},
    // 需风量计算
    ResultField(kByPersons, "①按洞内同时工作的最多人数计算 Q1", "m3/min", 3),
    ResultField(kBySpeed, "②按允许最低平均风速计算Q2", "m3/min", 3),
    ResultField(kByFumes, "③按排除炮烟计算Q3", "m3/min", 3),
    ResultField(kByExhaust, "④按稀释内燃机废气的所需要空气量计算Q4", "m3/min", 3),
    FieldRow{.id = kByGas,
             .label = "⑤按瓦斯绝对涌出量计算Q5  (m3/min)",
             .group = 3,
             .kind = FieldKind::Result,
             .labelId = kGasDemandLabel},
    // Written by the command too, so the command blanks the notice after it.
    FieldRow{.id = kDemand,
             .label = kFourCandidates,
             .hint = "m3/min",
             .change = Change::Notice,
             .group = 3,
             .kind = FieldKind::Result,
             .labelId = kDemandLabel},
    // 供风量计算
    FieldRow{.id = kLeakRate,
             .label = "风管百米漏风率",
             .preset = "0.015",
             .grey = 192,
             .hint = "风管百米漏风率不应大于2%",
             .change = Change::ColourAndNotice,
             .group = 4},
    ResultField(kLeakage, "风管漏风系数", 4),
    ResultField(kSection, "风管截面积S", "m2", 4),
    ResultField(kSupply, "洞口风机供风量Q供", "m3/min", 4),
    // 风压计算
    ResultField(kFriction, "风管摩擦力h摩", "Pa", 5),
    ResultField(kLocalLoss, "局部压力损失", "Pa", 5),
    FieldRow{.id = kOtherLoss,
             .label = "其他压力损失",
             .unit = "Pa",
             .preset = "0",
             .grey = 128,
             .change = Change::ColourAndNotice,
             .group = 5},
    ResultField(kPressure, "通风总风压", "Pa", 5),
    // 风机选型: what the report's fan table prints and the checks compare.
    FieldRow{.id = kFanModel,
             .label = "风机型号",
             .preset = "SDF(C)-No12.5",
             .grey = 192,
             .change = Change::ColourAndNotice,
             .group = 6,
             .place = {.span = 2}},
    FieldRow{.id = kFanFlow,
             .label = "额定风量",
             .unit = "m3/min",
             .preset = "2100",
             .grey = 192,
             .change = Change::ColourAndNotice,
             .group = 6},
    FieldRow{.id = kFanPressure,
             .label = "额定风压",
             .unit = "Pa",
             .preset = "5000",
             .grey = 192,
             .change = Change::ColourAndNotice,
             .group = 6},
    FieldRow{.id = kFanPower,
             .label = "电机功率",
             .unit = "kW",
             .preset = "220",
             .grey = 192,
             .change = Change::ColourAndNotice,
             .group = 6},
    FieldRow{.id = kFanCount,
             .label = "台数",
             .unit = "台",
             .preset = "2",
             .grey = 192,
             .change = Change::ColourAndNotice,
             .group = 6},
};

constexpr std::array kButtons = {
    ButtonRow{.id = "按钮3",
              .caption = "通风总风压计算",
              .group = 5,
              .command = &CalculateVentilation,
              .role = Role::Calculate},
    ButtonRow{.id = "按钮4_打开数据",
              .caption = "打开数据",
              .group = -1,
              .command = nullptr,
              .role = Role::Open},
    ButtonRow{.id = "按钮2_保存数据",
              .caption = "保存数据",
              .group = -1,
              .command = nullptr,
              .role = Role::Save},
    // The template depends on the gas option, so the module exports itself.
    ButtonRow{.id = kExportButtonId,
              .caption = "制作通风方案",
              .group = -1,
              .command = &ExportVentilationScheme},
};

constexpr std::array kParams = {
    ParamKey{"2.2", "1", kArea},          ParamKey{"2.2", "2", kAdvance},
    ParamKey{"2.2", "3", kPersons},       ParamKey{"2.2", "4", kReserve},
    ParamKey{"2.2", "5", kAirPerPerson},  ParamKey{"2.2", "6", kSpeed},
    ParamKey{"2.2", "7", kFumeTime},      ParamKey{"2.2", "8", kSpread},
    ParamKey{"2.2", "9", kLength},        ParamKey{"2.2", "10", kDiameter},
    ParamKey{"2.2", "11", kCharge},       ParamKey{"2.2", "12", kExcavatorPower},
    ParamKey{"2.2", "13", kLoaderPower},  ParamKey{"2.2", "14", kTruckPower},
    ParamKey{"2.2", "15", kExcavators},   ParamKey{"2.2", "16", kLoaders},
    ParamKey{"2.2", "17", kLoadedTrucks}, ParamKey{"2.2", "18", kEmptyTrucks},
    ParamKey{"2.2", "19", kOtherPower},   ParamKey{"2.2", "20", kLoadedFactor},
    ParamKey{"2.2", "21", kEmptyFactor},  ParamKey{"2.2", "22", kUtilisation},
    ParamKey{"2.2", "23", kOthers},       ParamKey{"2.2", "24", kLeakRate},
    ParamKey{"2.2", "25", kOtherLoss},    ParamKey{"2.2", "26", kAirPerKw},
    ParamKey{"2.2", "27", kFanModel},     ParamKey{"2.2", "28", kFanFlow},
    ParamKey{"2.2", "29", kFanPressure},  ParamKey{"2.2", "30", kFanPower},
    ParamKey{"2.2", "31", kFanCount},
};

// The project overview the scheme writes from 工程信息 and the inputs.
constexpr char kOverviewPlaceholder[] = "通风方案_工程简介";
constexpr char kMachinesPlaceholder[] = "通风方案_施工机械配置";

QString OverviewText(const Form &form) {
    const ProjectInfo info = ReadProjectInfo(form.DataFolder(), QDate::currentDate());
    QString text = info.name.isEmpty() ? QStringLiteral("本隧道") : info.name;
    if (!info.section.isEmpty()) text += QStringLiteral("（%1）").arg(info.section);
    text += QStringLiteral(
                "采用钻爆法施工，开挖断面面积%1m2，独头掘进最大通风长度%2m，施工通风采用压入式。")
                .arg(form.Text(kArea), form.Text(kLength));
    if (!info.contractor.isEmpty()) text += QStringLiteral("施工单位为%1。").arg(info.contractor);
    return text;
}

QString MachinesText(const Form &form) {
    QStringList machines;
    auto add = [&](const char *count, const QString &text) {
        if (ReadNumber(form, count) > 0) machines << text;
    };
    add(kExcavators, QStringLiteral("挖掘机%1辆（单机功率%2kW）")
                         .arg(form.Text(kExcavators), form.Text(kExcavatorPower)));
    add(kLoaders, QStringLiteral("装载机%1辆（单机功率%2kW）")
                      .arg(form.Text(kLoaders), form.Text(kLoaderPower)));
    if (ReadNumber(form, kLoadedTrucks) + ReadNumber(form, kEmptyTrucks) > 0)
        machines << QStringLiteral("自卸车重载%1辆、空载%2辆（装机功率%3kW）")
                        .arg(form.Text(kLoadedTrucks), form.Text(kEmptyTrucks),
                             form.Text(kTruckPower));
    add(kOthers,
        QStringLiteral("其它设备%1台（功率%2kW）").arg(form.Text(kOthers), form.Text(kOtherPower)));
    if (machines.isEmpty()) return QStringLiteral("施工高峰期洞内不使用内燃机械。");
    QString text = QStringLiteral("施工高峰期洞内同时作业的内燃机械：") + machines.join(u'，');
    if (Filled(form.Text(kPowerTotal)))
        text += QStringLiteral("；计算高峰期内燃机械总功率%1kW").arg(form.Text(kPowerTotal));
    return text + QStringLiteral("。");
}

// A step of the scheme; the gas steps are played for the gas template only.
struct SchemeStep {
    constexpr SchemeStep(ReportStep step, bool gasOnly = false) : step(step), gasOnly(gasOnly) {}
    ReportStep step;
    bool gasOnly;
};

constexpr SchemeStep GasOnly(ReportStep step) {
    return SchemeStep(step, true);
}

// Every placeholder is its field's id.
constexpr SchemeStep kSchemeSteps[] = {
    Notice("参数导出准备中，请稍候……"),
    Log("数据整理录入参数表中，开始制作方案……\r\n"),
    Notice("参数写入与处理，导出倒计时18"),
    Fill(kArea, Occurrences{10}),
    Fill(kSpeed, Occurrences{10}),
    Notice("参数写入与处理，导出倒计时17"),
    Fill(kAdvance, Occurrences{10}),
    Fill(kPersons, Occurrences{10}),
    Notice("参数写入与处理，导出倒计时16"),
    Fill(kReserve, Occurrences{10}),
    Fill(kAirPerPerson, Occurrences{10}),
    Notice("参数写入与处理，导出倒计时15"),
    Fill(kCharge, Occurrences{10}),
    Fill(kFumeTime, Occurrences{10}),
    Notice("参数写入与处理，导出倒计时14"),
    Fill(kSpread, Occurrences{10}),
    Fill(kLength, Occurrences{10}),
    Notice("参数写入与处理，导出倒计时13"),
    Fill(kDiameter, Occurrences{10}),
    Fill(kExcavatorPower, Occurrences{10}),
    Notice("参数写入与处理，导出倒计时12"),
    Fill(kLoaderPower, Occurrences{10}),
    Fill(kTruckPower, Occurrences{10}),
    Notice("参数写入与处理，导出倒计时11"),
    Fill(kOtherPower, Occurrences{10}),
    Fill(kLoadedFactor, Occurrences{10}),
    Notice("参数写入与处理，导出倒计时10"),
    Fill(kEmptyFactor, Occurrences{10}),
    Fill(kUtilisation, Occurrences{10}),
    Fill(kAirPerKw, Occurrences{10}),
    Log("方案格式调整与设置……\r\n"),
    Notice("数据整理写入，导出倒计时9"),
    Fill(kExcavators, Occurrences{10}),
    Fill(kLoaders, Occurrences{10}),
    Fill(kLoadedTrucks, Occurrences{10}),
    Notice("数据整理写入，导出倒计时8"),
    Fill(kEmptyTrucks, Occurrences{10}),
    Fill(kOthers, Occurrences{10}),
    GasOnly(Fill(kGasEmission, Occurrences{5})),
    Notice("数据整理写入，导出倒计时7"),
    Fill(kPowerTotal, Occurrences{10}),
    Fill(kByPersons, Occurrences{10}),
    GasOnly(Fill(kGasAllowed, Occurrences{5})),
    GasOnly(Fill(kGasSupplied, Occurrences{5})),
    GasOnly(Fill(kByGas, Occurrences{5})),
    Notice("数据整理写入，导出倒计时6"),
    Fill(kBySpeed, Occurrences{10}),
    Fill(kByFumes, Occurrences{10}),
    Notice("数据整理写入，导出倒计时5"),
    Fill(kByExhaust, Occurrences{10}),
    Fill(kDemand, Occurrences{10}),
    Notice("数据整理写入，导出倒计时4"),
    Fill(kLeakRate, Occurrences{10}),
    Fill(kLeakage, Occurrences{10}),
    Notice("数据整理写入，导出倒计时3"),
    Fill(kSection, Occurrences{10}),
    Fill(kSupply, Occurrences{10}),
    Notice("数据整理写入，导出倒计时2"),
    Fill(kFriction, Occurrences{10}),
    Fill(kLocalLoss, Occurrences{10}),
    Notice("数据整理写入，导出倒计时1"),
    Log("开始导出方案……\r\n"),
    Fill(kOtherLoss, Occurrences{10}),
    Fill(kPressure, Occurrences{10}),
    Fill(kFanModel, Occurrences{1}),
    Fill(kFanCount, Occurrences{1}),
    Fill(kFanFlow, Occurrences{1}),
    Fill(kFanPressure, Occurrences{1}),
    Fill(kFanPower, Occurrences{1}),
    Fill(ReportFill{.placeholder = kOverviewPlaceholder,
                    .field = nullptr,
                    .passes = 1,
                    .value = &OverviewText,
                    .printed = Printed::Text}),
    Fill(ReportFill{.placeholder = kMachinesPlaceholder,
                    .field = nullptr,
                    .passes = 1,
                    .value = &MachinesText,
                    .printed = Printed::Text}),
    Notice("数据整理写入，方案即将导出！"),
    WriteDocument(),
    Animate(Animation::Reset),
    Log("方案制作完成！\r\n"),
    Message("隧道通风方案导出成功！"),
    OpenFolder(),
};

constexpr std::size_t CountSteps(bool gas) {
    std::size_t n = 0;
    for (const SchemeStep &s : kSchemeSteps) n += gas || !s.gasOnly;
    return n;
}

// The scheme of one template, its steps classified by the field table.
template <bool Gas>
constexpr auto SelectSteps() {
    std::array<ReportStep, CountSteps(Gas)> steps{};
    std::size_t i = 0;
    for (const SchemeStep &s : kSchemeSteps)
        if (Gas || !s.gasOnly) steps[i++] = Classified(s.step, kFields);
    return steps;
}

constexpr auto kGasSteps = SelectSteps<true>();
constexpr auto kPlainSteps = SelectSteps<false>();
static_assert(std::ranges::count(kGasSteps, StepKind::Fill, &ReportStep::kind) == 49 &&
              std::ranges::count(kPlainSteps, StepKind::Fill, &ReportStep::kind) == 45);

const ReportTable kGasReport{
    .templateName = "ventilation_gas",
    .outputName = "隧道通风计算方案(瓦斯).docx",
    .noticeId = kNotice,
    .steps = kGasSteps,
    .checks = &VentilationChecks,
};
const ReportTable kPlainReport{
    .templateName = "ventilation",
    .outputName = "隧道通风计算方案.docx",
    .noticeId = kNotice,
    .steps = kPlainSteps,
    .checks = &VentilationChecks,
};

const WindowTable kTable{
    .title = "隧道压入式通风计算",
    .logId = "编辑框_日志",
    .noticeId = kNotice,
    .noticePreset = "计算书为Word文档（.docx），可用Word、WPS或LibreOffice打开",
    .changeNoticeId = kNotice,
    .changeNotice = "参数已修改，请重新计算！",
    .groups = kGroups,
    .fields = kFields,
    .buttons = kButtons,
    .params = kParams,
};

}  // namespace

const WindowTable &VentilationTable() {
    return kTable;
}

const ReportTable &VentilationReport(bool gas) {
    return gas ? kGasReport : kPlainReport;
}

void ExportVentilationScheme(Form &form) {
    ExportReport(form, VentilationReport(form.Checked(kGasOptionId)));
}

}  // namespace tunnel
