#pragma once

#include <QString>
#include <QStringList>
#include <span>

#include "core/form.h"
#include "core/window_table.h"
#include "modules/vibration/core/vibration_records.h"

namespace tunnel {

// The site's attenuation law V = K (∛Q / R)^α fitted by least squares to
// ln V = ln K + α ln(∛Q / R) over the records taking part.
struct AttenuationFit {
    QString refusal;  // why there is no result; empty when the fit stands
    int n = 0;        // records taking part
    double k = 0;     // K (cm/s)
    double alpha = 0;
    double r = 0;          // correlation coefficient of the logs
    double r2 = 0;         // r²
    double s = 0;          // residual standard deviation of ln V, n − 2 degrees of freedom
    QStringList warnings;  // the result stands, but read it with care
};

// The fit, or a refusal: a record taking part with a Q, R or V that is not
// a positive number (the first such row is named, counted from 1), fewer
// than three records, no spread of ∛Q / R, or a fitted α ≤ 0. Warnings:
// fewer than six records, R² < 0.6, K outside 50–350, α outside 1.3–2.0.
AttenuationFit FitAttenuation(std::span<const VibrationRecord> records);

// The scaled distance ∛Q / R of a record.
double ScaledDistance(const VibrationRecord &record);

// A choice of the drop-down "置信度": the share of blasts that stays under
// the design line, and its one-sided normal quantile.
struct ConfidenceLevel {
    const char *name;
    double z;
};
std::span<const ConfidenceLevel> ConfidenceLevels();
inline constexpr int kDefaultConfidence = 2;  // 95 %

// K_p = K exp(z s): the design line keeps α and lies above the fit.
double DesignFactor(const AttenuationFit &fit, double z);

// The regression window "爆破振动衰减规律回归".
const WindowTable &RegressionTable();

// Units of the regression window.
inline constexpr char kRecordsTableId[] = "表格_测点记录";
inline constexpr char kRegressionChartId[] = "图表_回归";
inline constexpr char kConfidenceId[] = "组合框_置信度";
inline constexpr char kConfidenceLabel[] = "置信度";
inline constexpr char kFitKId[] = "编辑框_回归K";
inline constexpr char kFitAlphaId[] = "编辑框_回归α";
inline constexpr char kFitRId[] = "编辑框_相关系数r";
inline constexpr char kFitR2Id[] = "编辑框_决定系数R2";
inline constexpr char kFitNId[] = "编辑框_测点数n";
inline constexpr char kFitSId[] = "编辑框_剩余标准差s";
inline constexpr char kDesignKId[] = "编辑框_设计K";
inline constexpr char kWarningsId[] = "编辑框_回归提示";
inline constexpr char kRegressionNoticeId[] = "标签_回归状态";

inline constexpr char kAddRowButtonId[] = "按钮_添加行";
inline constexpr char kDeleteRowsButtonId[] = "按钮_删除行";
inline constexpr char kPasteButtonId[] = "按钮_粘贴";
inline constexpr char kImportButtonId[] = "按钮_导入CSV";
inline constexpr char kOpenRecordsButtonId[] = "按钮_打开数据";
inline constexpr char kSaveRecordsButtonId[] = "按钮_保存数据";
inline constexpr char kFitButtonId[] = "按钮_回归计算";
inline constexpr char kApplyButtonId[] = "按钮_应用到计算";
inline constexpr char kRegressionExportButtonId[] = "按钮_导出回归报告";

// The vibration window's fields the design law goes into.
inline constexpr char kSiteFactorId[] = "编辑框5_系数K";
inline constexpr char kSiteExponentId[] = "编辑框5_衰减系数";

// The window's opening state: the confidence levels listed, 95 % chosen.
void PrepareRegressionForm(Form &form);

// "回归计算": fits the records, writes the result boxes and the warnings
// (a refusal empties them and says why in a message). Returns the fit.
AttenuationFit RegressionCalculate(Form &form, std::span<const VibrationRecord> records);

// The records changed: the results no longer belong to them.
void RegressionRecordsChanged(Form &form);

// "应用到计算": the design K and α typed into the vibration window, whose
// log names the fit. Returns whether there was a result to apply.
bool ApplyRegression(Form &regression, Form &vibration);

// The question before an import or an open replaces rows; true to go on.
bool ConfirmReplaceRecords(Form &form, std::size_t rowsHeld);

// The message listing the rows an import skipped; empty when none was.
QString SkippedRowsMessage(const QStringList &skipped);

}  // namespace tunnel
