#include "modules/smoothblast/core/blast_evaluation.h"

#include <array>

#include "core/calc_form.h"
#include "core/conversions.h"
#include "modules/smoothblast/core/smoothblast_formulas.h"

namespace tunnel {

namespace {

constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kYellow{255, 255, 0};
constexpr Rgb kRed{255, 0, 0};

struct RockClass {
    const char *name;
    const char *shareText;
    double threshold;  // percent
};

constexpr std::array kRockClasses = {
    RockClass{"硬岩", "标准炮眼保存率≥ 80%", 80},
    RockClass{"中硬岩", "标准炮眼保存率≥ 70%", 70},
    RockClass{"软岩", "标准炮眼保存率≥ 50%", 50},
};

const RockClass *FindClass(const QString &name) {
    for (const RockClass &rock : kRockClasses)
        if (U(rock.name) == name) return &rock;
    return nullptr;
}

constexpr std::array kFields = {
    FieldRow{.id = kEvaluationRemaining, .label = "残留周边眼炮眼数量（个）"},
    FieldRow{.id = kEvaluationTotal, .label = "周边眼总数（个）"},
    FieldRow{.id = kEvaluationFactor,
             .label = "标准炮眼保存率",
             .group = 0,
             .kind = FieldKind::Result,
             .labelId = kEvaluationShare},
    FieldRow{
        .id = kEvaluationVerdict, .label = "评价结果", .group = 0, .kind = FieldKind::MultiLine},
};

// The window runs the command itself, since the verdict carries a font size.
constexpr std::array kButtons = {
    ButtonRow{.id = kEvaluationButton,
              .caption = "周边眼炮炮痕保存率计算",
              .group = 0,
              .role = Role::Calculate},
};

const WindowTable kTable{
    .title = "爆破效果评价",
    .fields = kFields,
    .buttons = kButtons,
};

}  // namespace

const WindowTable &EvaluationTable() {
    return kTable;
}

QStringList RockClasses() {
    QStringList names;
    for (const RockClass &rock : kRockClasses) names << rock.name;
    return names;
}

void RockClassChosen(Form &form) {
    if (const RockClass *rock = FindClass(form.Text(kEvaluationRockClass)))
        form.SetCaption(kEvaluationShare, rock->shareText);
}

Verdict EvaluateBlast(Form &form) {
    form.SetText(kEvaluationFactor, ToText(HalfCastFactor(ReadNumber(form, kEvaluationRemaining),
                                                          ReadNumber(form, kEvaluationTotal))));

    const RockClass *rock = FindClass(form.Text(kEvaluationRockClass));
    if (!Filled(form.Text(kEvaluationRemaining)) || !Filled(form.Text(kEvaluationTotal)) || !rock)
        return Verdict{"\r\n    请选择并录入相关参数！", kYellow, 9};

    // Judged on the displayed, rounded factor.
    switch (JudgeHalfCast(ReadNumber(form, kEvaluationFactor), rock->threshold)) {
        case HalfCastVerdict::Impossible:
            return Verdict{
                "\r\n    输入参数错误，请查证！\r\n\r\n   残留周边眼炮眼数应<周边眼总数!", kYellow,
                9};
        case HalfCastVerdict::Pass:
            return Verdict{"\r\n计算周边眼炮痕保存率>规定保存率标准\r\n     爆破效果评价合格！",
                           kGreen, 11};
        case HalfCastVerdict::Fail:
            break;
    }
    return Verdict{"\r\n  周边眼炮痕保存率<规定保存率标准\r\n爆破效果评价不合格，请修正爆破参数！",
                   kRed, 11};
}

Verdict TotalHolesHint() {
    return Verdict{"\r\n周边眼指均匀布置在开挖轮廓线周边的炮眼\r\n周边眼不包括底板周边眼", kGreen,
                   9};
}

Verdict RemainingHolesHint() {
    return Verdict{"\r\n当炮眼痕迹保存率大于孔深70%时，按残留有痕迹的炮眼计数", kGreen, 9};
}

}  // namespace tunnel
