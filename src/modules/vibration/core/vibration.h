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
// The dominant frequency band beside the category, and its hint.
inline constexpr char kBandId[] = "组合框6_主振频率";
inline constexpr char kBandLabelId[] = "标签55";
inline constexpr char kBandLabel[] = "主振频率";
inline constexpr char kBandHintId[] = "标签56";
inline constexpr char kBandHint[] =
    "主振频率按实测波形确定；无实测资料时：地下浅孔爆破60～300Hz，地下深孔爆破30～100Hz，露天浅孔爆破40～100Hz，露天深孔爆破10～60Hz，硐室爆破小于20Hz";
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

// The dominant frequency bands, in the order of their drop-down list.
enum class FrequencyBand { UpTo10Hz, UpTo50Hz, Above50Hz };
inline constexpr int kBandCount = 3;
// The band a parameter file without one and a fresh window take.
inline constexpr FrequencyBand kDefaultBand = FrequencyBand::UpTo50Hz;

// What a class of protected object allows in one band: the velocity range
// written beside the list and the limit T (cm/s, the upper end of the range)
// that a computed velocity is held against.
struct AllowedVelocity {
    const char *range;
    double limit;
};

// One class of protected object: its name in the drop-down list and what it
// allows in each band.
struct BuildingCategory {
    const char *name;
    AllowedVelocity bands[kBandCount];

    const AllowedVelocity &In(FrequencyBand band) const { return bands[int(band)]; }
};

// The twelve classes, in the order of the drop-down list.
std::span<const BuildingCategory> BuildingCategories();
// The class with that item text, or null.
const BuildingCategory *FindBuildingCategory(const QString &name);
// The band selected on the form; the default when none is.
FrequencyBand SelectedBand(const Form &form);

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

// A category or a band picked by the user: the category's range in the band
// goes beside the list.
void VibrationCategorySelected(Form &form);
// Another tab shown: the log holds only that mode's line.
void VibrationTabChanged(Form &form);

// The checks of the velocity of tab 0 against the codes: K and α within the
// table of GB 6722-2014, and for a failed evaluation the largest charge per
// delay the limit allows.
QStringList VelocityChecks(const Form &form);
// The check of a shelter distance Rk computed from a charge above 25 kg
// (tab 1: the largest charge, tab 2: the charge typed), with K and α.
QStringList MaxChargeChecks(const Form &form);
QStringList SafeDistanceChecks(const Form &form);
// All of them, for the report.
QStringList VibrationChecks(const Form &form);

// Saves the three tabs' inputs, the category and band indices (sections
// "2.1", "2.2", "2.3") to a ".tac" file the user picks.
void SaveVibrationParameters(Form &form);
// Loads them back; the indices are set without their range reaction, and a
// file without a band opens with the default band.
void OpenVibrationParameters(Form &form);

}  // namespace tunnel
