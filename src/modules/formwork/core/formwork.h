#pragma once

#include <QRect>
#include <QString>
#include <span>

#include "core/form.h"
#include "core/window_table.h"

namespace tunnel {

// Unit names of the formwork load window "荷载计算" that commands and the
// window address directly (the fields are in the window's table).

inline constexpr char kFormworkTabsId[] = "选择夹1";
inline constexpr char kFormworkLogId[] = "编辑框日志";
inline constexpr char kFormworkNoticeId[] = "标签1_提示窗口";
inline constexpr char kHoverLabelId[] = "标签5";
inline constexpr char kHoverTimerId[] = "时钟1";
inline constexpr char kStandbyLine[] = "\r\n软件调试完成，待命中……\r\n";

// Page 1: drawing data and characteristic loads.
inline constexpr char kHeightId[] = "编辑框30模板支架搭设高度H";
inline constexpr char kSpanId[] = "编辑框30混凝土结构梁板的最大跨度";
inline constexpr char kSlabId[] = "编辑框30楼板最大板厚a";
inline constexpr char kBeamBId[] = "编辑框31最大梁b";
inline constexpr char kBeamHId[] = "编辑框32最大梁h";
inline constexpr char kQuestion1Id[] = "组合框1";
inline constexpr char kQuestion2Id[] = "组合框2";
inline constexpr char kG1kId[] = "编辑框1模板及其支架自重标准值";
inline constexpr char kG2kId[] = "编辑框1新浇混凝土自重标准值";
inline constexpr char kG3kSlabId[] = "编辑框1钢筋自重标准值楼板";
inline constexpr char kG3kBeamId[] = "编辑框1钢筋自重标准值梁";
inline constexpr char kQ1kId[] = "编辑框10施工人员及设备荷载标准值";
inline constexpr char kQ2kId[] = "编辑框11振捣混凝土时产生的荷载标准值";
inline constexpr char kWindId[] = "编辑框13风荷载标准值";

// Page 1: combinations, governing values and the evaluation.
inline constexpr char kSlabLiveId[] = "编辑框40按可变荷载";
inline constexpr char kSlabDeadId[] = "编辑框41按恒载控制时荷载组合R恒";
inline constexpr char kSlabMaxId[] = "编辑框42结果1";
inline constexpr char kLineLiveId[] = "编辑框50按可变荷载";
inline constexpr char kLineDeadId[] = "编辑框51按恒载控制时荷载组合R恒";
inline constexpr char kLineMaxId[] = "编辑框52结果2";
inline constexpr const char *kEvaluations[] = {"编辑框1评价1", "编辑框1评价2", "编辑框1评价3",
                                               "编辑框1评价4", "编辑框1评价5", "编辑框1评价6"};
inline constexpr char kVerdictId[] = "编辑框1最终评价结果";

// Buttons that the window places or switches itself.
inline constexpr char kFormworkCalculateButtonId[] = "按钮6";
inline constexpr char kFormworkExportButtonId[] = "按钮2";
inline constexpr char kSlabWeightButtonId[] = "按钮1";
inline constexpr char kLiveLoadButtonId[] = "按钮4";
inline constexpr char kDumpingLoadButtonId[] = "按钮5";
inline constexpr char kWallButtonId[] = "按钮3_1";
inline constexpr char kMemberButtonId[] = "按钮3";

// Page 2: lateral pressure of fresh concrete.
inline constexpr char kGammaCId[] = "编辑框20混凝土的重力密度";
inline constexpr char kSetTimeId[] = "编辑框21新浇混凝土的初凝时间";
inline constexpr char kTempBoxId[] = "选择框3";
inline constexpr char kTemperatureId[] = "编辑框22混凝土的温度T";
inline constexpr char kBeta1Id[] = "编辑框23外加剂影响修正系数1";
inline constexpr char kBeta2Id[] = "编辑框24混凝土塌落度影响修正系数";
inline constexpr char kPourRateId[] = "编辑框25混凝土浇筑速度";
inline constexpr char kHeadId[] = "编辑框26侧压力计算高度";
inline constexpr char kQ2kVerticalId[] = "编辑框11振捣混凝土时产生的荷载标准值1";
inline constexpr char kQ3kId[] = "编辑框12倾倒混凝土产生的水平荷载标准值";
inline constexpr char kWallSteelId[] = "选择框2";
inline constexpr char kWallThicknessId[] = "编辑框28计算部位墙厚度";
inline constexpr char kMemberSteelId[] = "选择框1";
inline constexpr char kMemberSideId[] = "编辑框27计算部位梁拱柱边长";
inline constexpr char kFPrimeId[] = "编辑框27F1";
inline constexpr char kFId[] = "编辑框28F2";
inline constexpr char kG4kId[] = "编辑框1最大侧压力标准值";
inline constexpr char kThinResultId[] = "编辑框1结果";
inline constexpr char kThickResultId[] = "编辑框2结果";
inline constexpr char kThinHeadingId[] = "标签52";
inline constexpr char kThickHeadingId[] = "标签48";
// The two "计算结果" group boxes that share one place.
inline constexpr char kThinGroupId[] = "分组框1结果";
inline constexpr char kThickGroupId[] = "分组框2结果";
inline constexpr char kEffectiveHeadId[] = "编辑框1有效压头高度h";
inline constexpr char kDumpingDesignId[] = "编辑框1倾倒混凝土荷载设计值";
inline constexpr char kActingHeightId[] = "编辑框1作用高度X";
inline constexpr char kDiagramId[] = "图片框1";
inline constexpr const char *kDiagramLabels[] = {"透明标签1", "透明标签2", "透明标签3", "透明标签4",
                                                 "透明标签5", "透明标签6", "透明标签7"};

// Group indices of the window table.
enum Group {
    kDrawingGroup,
    kLoadGroup,
    kSlabGroup,
    kLineGroup,
    kEvaluationGroup,
    kPressureGroup,
    kWallGroup,
    kMemberGroup,
    kStandardGroup,
    kThinGroupIndex,
    kThickGroupIndex,
    kDiagramGroup,
};

// The window table: fields of both pages, groups, buttons, creation line.
const WindowTable &FormworkTable();

// "计算" on page 1: resets the results and the log, checks the inputs, computes
// the slab (kN/m²) and line-load (kN/m) combinations, picks the governing
// values and runs the danger evaluation. Pauses 300 ms after each combination.
void CalculateLoads(Form &form);

// Either page became current: the log box starts afresh with the standby line.
void TabChanged(Form &form);

// One field of the hover hint: the hint shown while the mouse rests on it.
struct HoverHint {
    const char *field;
    const char *text;
};

// The five hinted fields in the order they are compared.
std::span<const HoverHint> HoverHints();

// Where the hint label goes, in window coordinates, for a field whose
// geometry is given within its group: 285 below the field's top, 10 left of
// its right edge, 6.2 pixels per GBK byte of the hint wide.
QRect HoverLabelGeometry(const QRect &fieldInGroup, const QString &hint, int height);

}  // namespace tunnel
