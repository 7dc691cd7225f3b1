#include "modules/formwork/core/formwork.h"

#include <array>

#include "core/calc_form.h"
#include "core/code_checks.h"
#include "core/conversions.h"
#include "core/dialogs.h"
#include "core/gbk_text.h"
#include "modules/formwork/core/danger_evaluation.h"
#include "modules/formwork/core/formwork_checks.h"
#include "modules/formwork/core/formwork_formulas.h"
#include "modules/formwork/core/formwork_report.h"
#include "modules/formwork/core/lateral_pressure.h"

namespace tunnel {

namespace {

constexpr Rgb kGoverning{0, 96, 192};

constexpr std::array kGroups = {
    GroupRow{"工程图纸设计"},
    GroupRow{"恒荷载标准值"},
    GroupRow{"计算施工总荷载"},
    GroupRow{"计算集中线荷载"},
    GroupRow{"根据规范各项评价"},
    GroupRow{"新浇混凝土作用于模板的最大侧压力标准值计算"},
    GroupRow{"墙体"},
    GroupRow{"梁、拱、柱"},
    GroupRow{"计算侧压力标准值(两者取小)"},
    GroupRow{"计算结果"},
    GroupRow{"计算结果"},
    GroupRow{"侧压力设计值分布"},
};

// Small captions and notes beside a field are its hint.
constexpr std::array kFields = {
    FieldRow{.id = kHeightId,
             .label = "模板支架搭设高度H",
             .unit = "m",
             .preset = "9",
             .group = kDrawingGroup},
    FieldRow{.id = kSpanId,
             .label = "混凝土结构梁、板的最大跨度B",
             .unit = "m",
             .preset = "8.1",
             .group = kDrawingGroup},
    // The formulas take the thickness in metres, so its unit is metres.
    FieldRow{.id = kSlabId,
             .label = "楼板最大板厚a",
             .unit = "m",
             .preset = "0.4",
             .group = kDrawingGroup},
    FieldRow{.id = kBeamBId,
             .label = "混凝土梁的最大截面尺寸b×h",
             .unit = "m",
             .preset = "0.6",
             .hint = "b",
             .group = kDrawingGroup},
    FieldRow{.id = kBeamHId, .label = "h", .unit = "m", .preset = "1.6", .group = kDrawingGroup},

    FieldRow{.id = kG1kId,
             .label = "模板及其支架自重标准值G1k",
             .unit = "kN/m2",
             .preset = "0.75",
             .group = kLoadGroup},
    FieldRow{.id = kG2kId,
             .label = "新浇混凝土自重标准值G2k",
             .unit = "kN/m3",
             .preset = "24",
             .group = kLoadGroup},
    FieldRow{.id = kG3kSlabId,
             .label = "钢筋自重标准值G3k",
             .unit = "kN/m3",
             .preset = "1.1",
             .hint = "楼板",
             .group = kLoadGroup},
    FieldRow{
        .id = kG3kBeamId, .label = "梁", .unit = "kN/m3", .preset = "1.5", .group = kLoadGroup},
    FieldRow{.id = kQ1kId,
             .label = "施工人员及设备荷载标准值Q1k",
             .unit = "kN/m2",
             .preset = "2.5",
             .group = kLoadGroup},
    FieldRow{.id = kQ2kId,
             .label = "振捣混凝土时产生的荷载标准值Q2k",
             .unit = "kN/m2",
             .preset = "2",
             .group = kLoadGroup},
    FieldRow{.id = kWindId,
             .label = "风荷载标准值",
             .unit = "kN/m2",
             .preset = "0.25",
             .hint = "根据《建筑结构荷载规范》GB 50009-2012 表E.5中采用R=10年期参数，风振系数βz=1",
             .group = kLoadGroup},

    ResultField(kSlabLiveId, "按可变荷载(活荷载)效应控制的组合R活", "kN/m2", kSlabGroup),
    ResultField(kSlabDeadId, "按恒载控制时荷载组合R恒", "kN/m2", kSlabGroup),
    ResultField(kSlabMaxId, "两者取大值，即施工总荷载R=max[R活，R恒]", kSlabGroup),
    ResultField(kLineLiveId, "按可变荷载(活荷载)效应控制的组合R活", "kN/m", kLineGroup),
    ResultField(kLineDeadId, "按恒载控制时荷载组合R恒", "kN/m", kLineGroup),
    ResultField(kLineMaxId, "两者取大值，即集中线荷载R=max[R活，R恒]", kLineGroup),

    FieldRow{.id = kEvaluations[0],
             .label = "",
             .group = kEvaluationGroup,
             .kind = FieldKind::MultiLine},
    FieldRow{.id = kEvaluations[1],
             .label = "",
             .group = kEvaluationGroup,
             .kind = FieldKind::MultiLine},
    FieldRow{.id = kEvaluations[2],
             .label = "",
             .group = kEvaluationGroup,
             .kind = FieldKind::MultiLine},
    FieldRow{.id = kEvaluations[3],
             .label = "",
             .group = kEvaluationGroup,
             .kind = FieldKind::MultiLine},
    FieldRow{.id = kEvaluations[4],
             .label = "",
             .group = kEvaluationGroup,
             .kind = FieldKind::MultiLine},
    FieldRow{.id = kEvaluations[5],
             .label = "",
             .group = kEvaluationGroup,
             .kind = FieldKind::MultiLine},
    FieldRow{.id = kVerdictId,
             .label = "本工程最终评价结果",
             .group = kEvaluationGroup,
             .kind = FieldKind::MultiLine},

    FieldRow{.id = kGammaCId,
             .label = "混凝土的重力密度γc",
             .unit = "kN/m3",
             .preset = "24",
             .group = kPressureGroup},
    FieldRow{.id = kSetTimeId,
             .label = "新浇混凝土的初凝时间t0",
             .unit = "h",
             .preset = "2",
             .hint = "可按试验确定，当缺乏试验资料时，可采用t0=200/（T+15）取2h\r\n",
             .group = kPressureGroup},
    FieldRow{.id = kTemperatureId,
             .label = "",
             .group = kPressureGroup,
             .onChange = &TemperatureChanged},
    FieldRow{.id = kBeta1Id,
             .label = "外加剂影响修正系数β1",
             .preset = "1.2",
             .hint = "不掺外加剂时取1.0，掺具有缓凝作用的外加剂时取1.2",
             .group = kPressureGroup},
    FieldRow{.id = kBeta2Id,
             .label = "混凝土塌落度影响修正系数β2",
             .preset = "1.15",
             .hint = "当坍落度小于30mm时，取0.85；50-90mm时，取1.0；110-150mm时，取1.15。",
             .group = kPressureGroup},
    FieldRow{.id = kPourRateId,
             .label = "混凝土浇筑速度",
             .unit = "m/h",
             .preset = "1.5",
             .hint = "混凝土的浇筑速度，可取1.5m/h",
             .group = kPressureGroup},
    FieldRow{.id = kHeadId,
             .label = "混凝土侧压力计算位置处至新浇混凝土顶面总高度",
             .unit = "m",
             .preset = "3.0",
             .group = kPressureGroup},
    FieldRow{.id = kQ2kVerticalId,
             .label = "振捣混凝土时产生的荷载标准值Q2k",
             .unit = "kN/m2",
             .preset = "4",
             .group = kPressureGroup},
    // On the page itself, outside every group.
    FieldRow{.id = kQ3kId,
             .label = "倾倒混凝土时，对垂直面模板产生的水平荷载标准值Q3k",
             .unit = "kN/m2",
             .preset = "6",
             .group = -1},

    FieldRow{.id = kWallThicknessId,
             .label = "计算部位墙厚度",
             .unit = "mm",
             .preset = "100",
             .group = kWallGroup},
    FieldRow{.id = kMemberSideId,
             .label = "计算部位梁、拱、柱边长",
             .unit = "mm",
             .preset = "600",
             .group = kMemberGroup},

    ResultField(kFPrimeId, "F'", kStandardGroup),
    ResultField(kFId, "F", kStandardGroup),
    ResultField(kG4kId, "新浇筑的混凝土作用于模板的最大侧压力标准值（G4k）", kStandardGroup),
    ResultField(kThinResultId, "计算荷载效应组合值设计值G4K+Q2K", "kN/m2", kThinGroupIndex),
    ResultField(kThickResultId, "计算荷载效应组合设计值", "kN/m2", kThickGroupIndex),
    ResultField(kEffectiveHeadId, "有效压头高度h", "m", kDiagramGroup),
    ResultField(kDumpingDesignId, "倾倒混凝土荷载设计值", "kN/m2", kDiagramGroup),
    ResultField(kActingHeightId, "作用高度X", "m", kDiagramGroup),
};

constexpr std::array kButtons = {
    ButtonRow{.id = kFormworkCalculateButtonId,
              .caption = "计算",
              .group = -1,
              .command = &CalculateLoads,
              .role = Role::Calculate},
    ButtonRow{.id = kFormworkExportButtonId,
              .caption = "导出计算书",
              .group = -1,
              .command = &ExportFormworkReport},
    // Reference pictures; their windows come with the reference windows.
    ButtonRow{.id = kSlabWeightButtonId,
              .caption = "",
              .group = kLoadGroup,
              .command = nullptr,
              .role = Role::Command,
              .besideField = kG1kId},
    ButtonRow{.id = kLiveLoadButtonId,
              .caption = "",
              .group = kLoadGroup,
              .command = nullptr,
              .role = Role::Command,
              .besideField = kQ1kId},
    ButtonRow{.id = kDumpingLoadButtonId,
              .caption = "",
              .group = -1,
              .command = nullptr,
              .role = Role::Command,
              .besideField = kQ3kId},
    ButtonRow{.id = kWallButtonId,
              .caption = "计算墙体模板侧压力荷载设计值",
              .group = kWallGroup,
              .command = &WallPressure,
              .role = Role::Calculate},
    ButtonRow{.id = kMemberButtonId,
              .caption = "计算梁拱柱模板侧压力荷载计算值",
              .group = kMemberGroup,
              .command = &MemberPressure,
              .role = Role::Calculate},
};

constexpr std::array<const char *, 1> kCreationLog = {kStandbyLine};

const WindowTable kTable{
    .title = "荷载计算",
    .logId = kFormworkLogId,
    .noticeId = kFormworkNoticeId,
    .noticePreset = "计算书为Word文档（.docx），可用Word、WPS或LibreOffice打开",
    .groups = kGroups,
    .fields = kFields,
    .buttons = kButtons,
    .creationLog = kCreationLog,
};

constexpr std::array kHoverHints = {
    HoverHint{
        kG3kSlabId,
        "根据工程设计图纸确定，对一般梁板结构没立方米钢筋混凝土的钢筋自重标准值，楼板可取1.1KN；梁可取1.5KN"},
    HoverHint{kG2kId, "对普通混凝土可采用24KN/m3,其它混凝土可根据实际重力密度按规范附表A确定"},
    HoverHint{kG1kId, "根据模板设计图纸计算确定，肋形或无梁楼板模板自重标准值按表4.1.1采用"},
    HoverHint{kGammaCId, "混凝土的重力密度取24KN/m3"},
    HoverHint{
        kQ2kId,
        "对水平模板可采用2kN/m2，对垂直模板可采用4kN/m2，且作用范围在新浇筑混凝土侧压力的有效压头高度之内"},
};

// Copies the larger of two combinations (ties go to the live-load one) into
// the governing field and gives its text; false when one of them is empty.
bool Govern(Form &form, const char *live, const char *dead, const char *target, QString *chosen) {
    if (!Filled(form.Text(live)) || !Filled(form.Text(dead))) return false;
    form.SetBackColor(target, kGoverning);
    const bool liveWins = LiveLoadGoverns(ReadNumber(form, live), ReadNumber(form, dead));
    *chosen = form.Text(liveWins ? live : dead);
    form.SetText(target, *chosen);
    return true;
}

}  // namespace

const WindowTable &FormworkTable() {
    return kTable;
}

std::span<const HoverHint> HoverHints() {
    return kHoverHints;
}

QRect HoverLabelGeometry(const QRect &fieldInGroup, const QString &hint, int height) {
    const int width = static_cast<int>(static_cast<double>(GbkLength(hint)) * 6.2);
    return QRect(fieldInGroup.left() + fieldInGroup.width() - 10, fieldInGroup.top() + 285, width,
                 height);
}

void CalculateLoads(Form &form) {
    constexpr const char *kResults[] = {kSlabLiveId, kSlabDeadId, kSlabMaxId,
                                        kLineLiveId, kLineDeadId, kLineMaxId};
    for (const char *id : kResults) form.SetText(id, QString());
    for (const char *id : kEvaluations) form.SetText(id, QString());
    form.SetText(kVerdictId, QString());
    form.SetLogText("刷新日志，系统准备完成，待命……");

    if (!CheckFilled(
            form,
            {kSlabId, kBeamBId, kBeamHId, kG1kId, kG2kId, kG3kSlabId, kG3kBeamId, kQ1kId, kQ2kId},
            "参数输入不完整，请查证后重新输入\r\n")) {
        for (const char *id : kResults) form.SetText(id, QString());
        form.SetText(kEvaluations[0], QString());
        form.SetText(kVerdictId, QString());
        return;
    }

    Dialogs &dialogs = form.DialogService();
    const double g1k = ReadNumber(form, kG1kId);
    const double g2k = ReadNumber(form, kG2kId);
    const LoadCombinations slab = SlabCombinations({.thickness = ReadNumber(form, kSlabId),
                                                    .g1k = g1k,
                                                    .g2k = g2k,
                                                    .g3k = ReadNumber(form, kG3kSlabId),
                                                    .q1k = ReadNumber(form, kQ1kId)});
    const LoadCombinations line = BeamCombinations({.width = ReadNumber(form, kBeamBId),
                                                    .height = ReadNumber(form, kBeamHId),
                                                    .g1k = g1k,
                                                    .g2k = g2k,
                                                    .g3k = ReadNumber(form, kG3kBeamId),
                                                    .q2k = ReadNumber(form, kQ2kId)});

    form.SetText(kSlabLiveId, ToText(slab.live));
    form.AppendLog("施工总荷载-R活计算完成！\r\n");
    dialogs.Pause(300);
    form.SetText(kSlabDeadId, ToText(slab.dead));
    form.AppendLog("施工总荷载-R恒计算完成！\r\n");
    dialogs.Pause(300);
    QString chosen;
    if (Govern(form, kSlabLiveId, kSlabDeadId, kSlabMaxId, &chosen))
        form.AppendLog("施工总荷载-承载能力极限状态荷载效应基本组合Rmax=" + chosen + "KN/m2\r\n");

    form.SetText(kLineLiveId, ToText(line.live));
    form.AppendLog("集中线荷载-R活计算完成！\r\n");
    dialogs.Pause(300);
    form.SetText(kLineDeadId, ToText(line.dead));
    form.AppendLog("集中线荷载-R恒计算完成！\r\n");
    dialogs.Pause(300);
    if (Govern(form, kLineLiveId, kLineDeadId, kLineMaxId, &chosen))
        form.AppendLog("集中线荷载-承载能力极限状态荷载效应基本组合Rmax=" + chosen +
                       "KN/m\r\n-----------------------------------------\r\n");

    EvaluateDanger(form);
    LogChecks(form, LoadChecks(form));
}

void TabChanged(Form &form) {
    form.SetLogText(QString());
    form.AppendLog(kStandbyLine);
}

}  // namespace tunnel
