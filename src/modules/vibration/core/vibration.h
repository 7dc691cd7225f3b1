#pragma once

#include <QString>
#include <span>

#include "core/form.h"
#include "core/window_table.h"

namespace tunnel {

// The blasting vibration window "爆破影响分析计算": the attenuation law
// V = K × (∛Q / R)^α solved for the velocity at a protected object (tab 0),
// the largest charge per delay (tab 1) and the safe distance (tab 2).
const WindowTable &VibrationTable();

// Units the window builds beside its table.
inline constexpr char kVibrationTabsId[] = "选择夹1";
inline constexpr char kCategoryId[] = "组合框5";
inline constexpr char kCategoryLabelId[] = "标签52";
inline constexpr char kCategoryGroupTitle[] = "选择建筑类别";
inline constexpr char kCategoryLabel[] = "影响的建筑物类别";
inline constexpr char kEvaluationId[] = "编辑框13_评价结果";
// The charge of tab 0, which the drill pattern's vibration check fills in.
inline constexpr char kVibrationChargeId[] = "编辑框5_炸药总量";

// Buttons that the window places itself.
inline constexpr char kVibrationLimitsButtonId[] = "按钮1";
inline constexpr char kVibrationOpenButtonId[] = "按钮4_打开数据1";
inline constexpr char kVibrationSaveButtonId[] = "按钮2_保存数据1";
inline constexpr char kVibrationCalculateButtonId[] = "按钮1_计算";
inline constexpr char kVibrationExportButtonId[] = "按钮1_生成计算书";
// Opens the fit of K and α to the site's records, under the two fields.
inline constexpr char kVibrationRegressionButtonId[] = "按钮_回归K与α";

// Colours of the evaluation box when it holds no verdict.
inline constexpr Rgb kEvaluationText = kBlack;
inline constexpr Rgb kEvaluationBack{255, 255, 255};
// Verdict colours: dark red on light red for a fail, dark green on light
// green for a pass; both read at a contrast ratio above 4.5:1.
inline constexpr Rgb kFailText{156, 0, 6};
inline constexpr Rgb kFailBack{255, 199, 206};
inline constexpr Rgb kPassText{0, 97, 0};
inline constexpr Rgb kPassBack{198, 239, 206};

// One class of protected object: its name in the drop-down list, the
// allowable velocity range written beside it and the limit T (cm/s, the
// upper end of the range) that a computed velocity is held against.
struct BuildingCategory {
    const char *name;
    const char *range;
    double limit;
};

// The twelve classes, in the order of the drop-down list.
std::span<const BuildingCategory> BuildingCategories();
// The class with that item text, or null.
const BuildingCategory *FindBuildingCategory(const QString &name);

// The state the window opens in: the twelve classes listed, none selected,
// the evaluation box in its plain colours.
void PrepareVibrationForm(Form &form);

// The button "计算": runs the mode of the tab that is showing.
void VibrationCalculate(Form &form);
// Tab 0: velocity V at the protected object and its evaluation.
void VibrationVelocity(Form &form);
// Tab 1: largest charge per delay Qmax and the shelter distance Rk.
void VibrationMaxCharge(Form &form);
// Tab 2: smallest distance R and the shelter distance Rk.
void VibrationSafeDistance(Form &form);

// A category picked by the user: its range text goes beside the list.
void VibrationCategorySelected(Form &form);
// Another tab shown: the log holds only that mode's line.
void VibrationTabChanged(Form &form);

// Saves the three tabs' inputs and the category index (sections "2.1",
// "2.2", "2.3") to a ".tac" file the user picks.
void SaveVibrationParameters(Form &form);
// Loads them back; the category index is set without its range reaction.
void OpenVibrationParameters(Form &form);

}  // namespace tunnel
