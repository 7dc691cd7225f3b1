#pragma once

#include <QRect>
#include <QString>
#include <span>

#include "core/form.h"
#include "core/window_table.h"

namespace tunnel {

// Unit names of the formwork load window "荷载计算" that commands and the
// window address directly (the fields are in the window's table).
namespace formwork {

inline constexpr char kTabs[] = "选择夹1";
inline constexpr char kLog[] = "编辑框日志";
inline constexpr char kNotice[] = "标签1_提示窗口";
inline constexpr char kHoverLabel[] = "标签5";
inline constexpr char kHoverTimer[] = "时钟1";
inline constexpr char kStandby[] = "\r\n软件调试完成，待命中……\r\n";

// Page 1: drawing data and characteristic loads.
inline constexpr char kHeight[] = "编辑框30模板支架搭设高度H";
inline constexpr char kSpan[] = "编辑框30混凝土结构梁板的最大跨度";
inline constexpr char kSlab[] = "编辑框30楼板最大板厚a";
inline constexpr char kBeamB[] = "编辑框31最大梁b";
inline constexpr char kBeamH[] = "编辑框32最大梁h";
inline constexpr char kQuestion1[] = "组合框1";
inline constexpr char kQuestion2[] = "组合框2";
inline constexpr char kG1k[] = "编辑框1模板及其支架自重标准值";
inline constexpr char kG2k[] = "编辑框1新浇混凝土自重标准值";
inline constexpr char kG3kSlab[] = "编辑框1钢筋自重标准值楼板";
inline constexpr char kG3kBeam[] = "编辑框1钢筋自重标准值梁";
inline constexpr char kQ1k[] = "编辑框10施工人员及设备荷载标准值";
inline constexpr char kQ2k[] = "编辑框11振捣混凝土时产生的荷载标准值";
inline constexpr char kWind[] = "编辑框13风荷载标准值";

// Page 1: combinations, governing values and the evaluation.
inline constexpr char kSlabLive[] = "编辑框40按可变荷载";
inline constexpr char kSlabDead[] = "编辑框41按恒载控制时荷载组合R恒";
inline constexpr char kSlabMax[] = "编辑框42结果1";
inline constexpr char kLineLive[] = "编辑框50按可变荷载";
inline constexpr char kLineDead[] = "编辑框51按恒载控制时荷载组合R恒";
inline constexpr char kLineMax[] = "编辑框52结果2";
inline constexpr const char *kEvaluations[] = {"编辑框1评价1", "编辑框1评价2", "编辑框1评价3",
                                               "编辑框1评价4", "编辑框1评价5", "编辑框1评价6"};
inline constexpr char kVerdict[] = "编辑框1最终评价结果";

// Buttons that the window places or switches itself.
inline constexpr char kCalculateButton[] = "按钮6";
inline constexpr char kExportButton[] = "按钮2";
inline constexpr char kSlabWeightButton[] = "按钮1";
inline constexpr char kLiveLoadButton[] = "按钮4";
inline constexpr char kDumpingLoadButton[] = "按钮5";
inline constexpr char kWallButton[] = "按钮3_1";
inline constexpr char kMemberButton[] = "按钮3";

// Page 2: lateral pressure of fresh concrete.
inline constexpr char kGammaC[] = "编辑框20混凝土的重力密度";
inline constexpr char kSetTime[] = "编辑框21新浇混凝土的初凝时间";
inline constexpr char kTempBox[] = "选择框3";
inline constexpr char kTemperature[] = "编辑框22混凝土的温度T";
inline constexpr char kBeta1[] = "编辑框23外加剂影响修正系数1";
inline constexpr char kBeta2[] = "编辑框24混凝土塌落度影响修正系数";
inline constexpr char kPourRate[] = "编辑框25混凝土浇筑速度";
inline constexpr char kHead[] = "编辑框26侧压力计算高度";
inline constexpr char kQ2kVertical[] = "编辑框11振捣混凝土时产生的荷载标准值1";
inline constexpr char kQ3k[] = "编辑框12倾倒混凝土产生的水平荷载标准值";
inline constexpr char kWallSteel[] = "选择框2";
inline constexpr char kWallThickness[] = "编辑框28计算部位墙厚度";
inline constexpr char kMemberSteel[] = "选择框1";
inline constexpr char kMemberSide[] = "编辑框27计算部位梁拱柱边长";
inline constexpr char kFPrime[] = "编辑框27F1";
inline constexpr char kF[] = "编辑框28F2";
inline constexpr char kG4k[] = "编辑框1最大侧压力标准值";
inline constexpr char kThinResult[] = "编辑框1结果";
inline constexpr char kThickResult[] = "编辑框2结果";
inline constexpr char kThinHeading[] = "标签52";
inline constexpr char kThickHeading[] = "标签48";
// The two "计算结果" group boxes that share one place.
inline constexpr char kThinGroup[] = "分组框1结果";
inline constexpr char kThickGroup[] = "分组框2结果";
inline constexpr char kEffectiveHead[] = "编辑框1有效压头高度h";
inline constexpr char kDumpingDesign[] = "编辑框1倾倒混凝土荷载设计值";
inline constexpr char kActingHeight[] = "编辑框1作用高度X";
inline constexpr char kDiagram[] = "图片框1";
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

}  // namespace formwork

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
