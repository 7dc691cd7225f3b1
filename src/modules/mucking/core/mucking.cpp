#include "modules/mucking/core/mucking.h"

#include <array>
#include <cmath>

#include "core/calc_form.h"
#include "core/conversions.h"
#include "core/form.h"
#include "modules/mucking/core/mucking_formulas.h"

namespace tunnel {

namespace {

constexpr char kTrucksToProvideId[] = "编辑框2出碴设备配置数量";
constexpr char kIncomplete[] = "您的输入的参数不完整，请重新输入！\r\n";

constexpr std::array kGroups = {
    GroupRow{"单循环爆破石渣量计算"},
    GroupRow{"出碴渣车配置数量"},
    GroupRow{"除渣时间计算"},
};

constexpr std::array kFields = {
    FieldRow{.id = "编辑框1开挖断面面积",
             .label = "开挖断面面积S",
             .unit = "m2",
             .preset = "100",
             .group = 0},
    FieldRow{
        .id = "编辑框1循环进尺", .label = "循环进尺L", .unit = "m", .preset = "2.8", .group = 0},
    FieldRow{.id = "编辑框1超挖系数",
             .label = "超挖系数△",
             .preset = "1.1",
             .grey = 128,
             .focusHint = "现场实测数据，在无数据时可取值1.1\r\n",
             .change = Change::Colour,
             .group = 0},
    FieldRow{.id = "编辑框1岩体松胀系数",
             .label = "岩石可松性系数R",
             .preset = "1.15",
             .grey = 128,
             .focusHint = "请查表，对应围岩选用可松性系数KP最初值\r\n",
             .change = Change::Colour,
             .group = 0},
    ResultField("编辑框1单循环爆破石渣量", "单循环爆破石渣量", "m3", 0),
    // Labelled in metres: the formula and the preset 1500 treat it so.
    FieldRow{
        .id = "编辑框2运输距离", .label = "运输距离L", .unit = "m", .preset = "1500", .group = 1},
    FieldRow{.id = "编辑框2装载设备铲斗容量",
             .label = "装载设备铲斗容量V1",
             .unit = "m3",
             .preset = "1.2",
             .group = 1},
    FieldRow{.id = "编辑框2运输设备厢斗容量",
             .label = "运输设备厢斗容量V2",
             .unit = "m3",
             .preset = "12",
             .group = 1},
    FieldRow{.id = "编辑框2运输设备速度",
             .label = "运输设备速度S'",
             .unit = "km/h",
             .preset = "10",
             .grey = 128,
             .focusHint = "现场实测数据，运输设备隧道内速度≤ 10KM/h\r\n",
             .change = Change::Colour,
             .group = 1},
    FieldRow{.id = "编辑框2装载机装一斗用时",
             .label = "装载机装一斗用时T1",
             .unit = "s",
             .preset = "22",
             .grey = 128,
             .focusHint = "经验数据，无实测值时可取22秒\r\n",
             .change = Change::Colour,
             .group = 1},
    ResultField("编辑框2出碴设备数量", "出碴渣车配备数量N", "辆", 1),
    ResultField(kTrucksToProvideId, "应配置出碴设备数量（辆）", 1),
    FieldRow{
        .id = "编辑框3单循环爆破后石碴量", .label = "单循环爆破后石碴量", .unit = "m3", .group = 2},
    FieldRow{
        .id = "编辑框3装载机装一斗用时", .label = "装载机装一斗用时T1", .unit = "s", .group = 2},
    FieldRow{
        .id = "编辑框3装载设备铲斗容量", .label = "装载设备铲斗容量V1", .unit = "m3", .group = 2},
    ResultField("编辑框3出碴时间", "出碴时间T", "小时", 2),
};

constexpr std::array kButtons = {
    ButtonRow{.id = "按钮1单循环爆破石渣量",
              .caption = "计算",
              .group = 0,
              .command = &MuckVolume,
              .role = Role::Calculate},
    ButtonRow{.id = "按钮2出碴设备数量",
              .caption = "计算",
              .group = 1,
              .command = &TruckCount,
              .role = Role::Calculate},
    ButtonRow{.id = "按钮1单循环爆破石渣量1",
              .caption = "计算",
              .group = 2,
              .command = &MuckingTime,
              .role = Role::Calculate},
    // Opens the bulking factor table.
    ButtonRow{.id = "按钮1",
              .caption = "…",
              .group = 0,
              .command = nullptr,
              .role = Role::Command,
              .besideField = "编辑框1岩体松胀系数"},
    ButtonRow{.id = "按钮4_打开数据",
              .caption = "打开",
              .group = -1,
              .command = nullptr,
              .role = Role::Open},
    ButtonRow{.id = "按钮2_保存数据",
              .caption = "保存",
              .group = -1,
              .command = nullptr,
              .role = Role::Save},
    ButtonRow{.id = "按钮4",
              .caption = "生成计算书",
              .group = -1,
              .command = nullptr,
              .role = Role::Export},
};

constexpr std::array<const char *, 2> kCreationLog = {
    "\r\n软件调试完成，进入待命状态……\r\n",
    "计算书为Word文档（.docx），可用Word、WPS或LibreOffice打开\r\n",
};

constexpr std::array kParams = {
    ParamKey{"5.1", "1", "编辑框1开挖断面面积"},
    ParamKey{"5.1", "2", "编辑框1循环进尺"},
    ParamKey{"5.1", "3", "编辑框1超挖系数"},
    ParamKey{"5.1", "4", "编辑框1岩体松胀系数"},
    ParamKey{"5.1", "5", "编辑框1单循环爆破石渣量"},
    ParamKey{"5.1", "6", "编辑框2装载机装一斗用时"},
    ParamKey{"5.1", "7", "编辑框2运输距离"},
    ParamKey{"5.1", "8", "编辑框2出碴设备数量"},
    ParamKey{"5.1", "9", "编辑框2运输设备速度"},
    ParamKey{"5.1", "10", "编辑框2运输设备厢斗容量"},
    ParamKey{"5.1", "11", "编辑框2装载设备铲斗容量"},
    ParamKey{"5.1", "12", "编辑框3装载机装一斗用时"},
    ParamKey{"5.1", "13", "编辑框3装载设备铲斗容量"},
    ParamKey{"5.1", "14", "编辑框3单循环爆破后石碴量"},
};

// Every placeholder is its field's id, replaced in up to ten places.
constexpr auto kReportSteps = Classified(
    std::array{
        Notice("参数导出准备中，请稍候……"),
        Log("数据整理录入参数表中，开始制作方案……\r\n"),
        Notice("参数写入与处理，导出倒计时8"),
        Fill("编辑框1开挖断面面积", Occurrences{10}),
        Fill("编辑框1循环进尺", Occurrences{10}),
        Notice("参数写入与处理，导出倒计时7"),
        Fill("编辑框1超挖系数", Occurrences{10}),
        Fill("编辑框1岩体松胀系数", Occurrences{10}),
        Notice("参数写入与处理，导出倒计时6"),
        Fill("编辑框1单循环爆破石渣量", Occurrences{10}),
        Fill("编辑框2运输距离", Occurrences{10}),
        Notice("参数写入与处理，导出倒计时5"),
        Fill("编辑框2装载设备铲斗容量", Occurrences{10}),
        Fill("编辑框2运输设备厢斗容量", Occurrences{10}),
        Notice("参数写入与处理，导出倒计时4"),
        Fill("编辑框2运输设备速度", Occurrences{10}),
        Fill("编辑框2装载机装一斗用时", Occurrences{10}),
        Notice("参数写入与处理，导出倒计时3"),
        Fill("编辑框2出碴设备数量", Occurrences{10}),
        Fill(kTrucksToProvideId, Occurrences{10}),
        Fill("编辑框3单循环爆破后石碴量", Occurrences{10}),
        Notice("参数写入与处理，导出倒计时2"),
        Fill("编辑框3装载机装一斗用时", Occurrences{10}),
        Fill("编辑框3装载设备铲斗容量", Occurrences{10}),
        Notice("参数写入与处理，导出倒计时1"),
        Fill("编辑框3出碴时间", Occurrences{10}),
        Notice("数据整理写入，方案即将导出！"),
        WriteDocument(),
        Animate(Animation::Reset),
        Log("方案制作完成！\r\n"),
        Message("隧道除渣设备配置计算方案导出成功！"),
        OpenFolder(),
    },
    kFields);

const ReportTable kReport{
    .templateName = "mucking",
    .outputName = "隧道除渣设备配置计算方案.docx",
    .noticeId = "标签1_提示信息",
    .steps = kReportSteps,
};

const WindowTable kTable{
    .title = "隧道除渣及设备配置计算",
    .logId = "编辑框4日志",
    .noticeId = "标签1_提示信息",
    .noticePreset = "计算书为Word文档（.docx），可用Word、WPS或LibreOffice打开",
    .groups = kGroups,
    .fields = kFields,
    .buttons = kButtons,
    .creationLog = kCreationLog,
    .params = kParams,
    .report = &kReport,
};

}  // namespace

const WindowTable &MuckingTable() {
    return kTable;
}

void MuckVolume(Form &form) {
    if (!CheckFilled(
            form,
            {"编辑框1超挖系数", "编辑框1循环进尺", "编辑框1岩体松胀系数", "编辑框1开挖断面面积"},
            kIncomplete))
        return;
    const double z = MuckPerRound({.area = ReadNumber(form, "编辑框1开挖断面面积"),
                                   .bulking = ReadNumber(form, "编辑框1岩体松胀系数"),
                                   .advance = ReadNumber(form, "编辑框1循环进尺"),
                                   .overbreak = ReadNumber(form, "编辑框1超挖系数")});
    form.SetText("编辑框1单循环爆破石渣量", ToText(z));
    const QString shown = form.Text("编辑框1单循环爆破石渣量");
    form.AppendLog("计算成功！单循环爆破石渣量=" + shown + "m3\r\n");
    form.SetText("编辑框3单循环爆破后石碴量", shown);
}

void TruckCount(Form &form) {
    if (!CheckFilled(form,
                     {"编辑框2装载机装一斗用时", "编辑框2运输距离", "编辑框2运输设备速度",
                      "编辑框2运输设备厢斗容量", "编辑框2装载设备铲斗容量"},
                     kIncomplete))
        return;
    const double n = TrucksNeeded({.distance = ReadNumber(form, "编辑框2运输距离"),
                                   .bucket = ReadNumber(form, "编辑框2装载设备铲斗容量"),
                                   .body = ReadNumber(form, "编辑框2运输设备厢斗容量"),
                                   .speed = ReadNumber(form, "编辑框2运输设备速度"),
                                   .loadTime = ReadNumber(form, "编辑框2装载机装一斗用时")});
    form.SetText("编辑框2出碴设备数量", ToText(n));
    form.AppendLog("计算成功！出碴设备数量=" + form.Text("编辑框2出碴设备数量") + "辆\r\n");
    // Trucks come whole: the count read back as shown, rounded up. "inf" and
    // "nan" would read back as 0.
    const double shown = std::isfinite(n) ? ReadNumber(form, "编辑框2出碴设备数量") : n;
    const std::optional<double> whole = TrucksToProvide(shown);
    form.SetText(kTrucksToProvideId, whole ? ToText(*whole) : QString());
    if (whole) form.AppendLog("应配置出碴设备" + form.Text(kTrucksToProvideId) + "辆\r\n");
    form.SetText("编辑框3装载机装一斗用时", form.Text("编辑框2装载机装一斗用时"));
    form.SetText("编辑框3装载设备铲斗容量", form.Text("编辑框2装载设备铲斗容量"));
}

void MuckingTime(Form &form) {
    if (!CheckFilled(
            form,
            {"编辑框3装载设备铲斗容量", "编辑框3装载机装一斗用时", "编辑框3单循环爆破后石碴量"},
            kIncomplete))
        return;
    const double t = MuckingHours({.muck = ReadNumber(form, "编辑框3单循环爆破后石碴量"),
                                   .loadTime = ReadNumber(form, "编辑框3装载机装一斗用时"),
                                   .bucket = ReadNumber(form, "编辑框3装载设备铲斗容量")});
    form.SetText("编辑框3出碴时间", ToText(t));
    form.AppendLog("计算成功！出碴时间=" + form.Text("编辑框3出碴时间") + "小时\r\n");
}

}  // namespace tunnel
