#pragma once

#include <QString>

#include "core/form.h"

// Texts and colours the tests expect of the two evaluations, written out
// here once for the core and the widget tests.
namespace tunnel::test {

// Blasting effect evaluation (smooth blasting).
inline constexpr Rgb kGreen{0, 255, 0};
inline constexpr Rgb kYellow{255, 255, 0};
inline constexpr Rgb kRed{255, 0, 0};

inline const QString kPass =
    QStringLiteral("\r\n计算周边眼炮痕保存率>规定保存率标准\r\n     爆破效果评价合格！");
inline const QString kFail =
    QStringLiteral("\r\n  周边眼炮痕保存率<规定保存率标准\r\n爆破效果评价不合格，请修正爆破参数！");
inline const QString kInputError =
    QStringLiteral("\r\n    输入参数错误，请查证！\r\n\r\n   残留周边眼炮眼数应<周边眼总数!");

// Danger evaluation (formwork loads).
inline const QString kOverScale = QStringLiteral(
    "属超过一定规模的危险性较大的分部分项工程范围，需编制专项施工方案，并组织专家论证");
inline const QString kScheme =
    QStringLiteral("属于危险性较大的分部分项工程范围，需编制专项施工方案");
inline const QString kNoDanger = QStringLiteral("不属于危险性较大的分部分项工程范围");

}  // namespace tunnel::test
