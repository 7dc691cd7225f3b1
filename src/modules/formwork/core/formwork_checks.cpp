#include "modules/formwork/core/formwork_checks.h"

#include "core/calc_form.h"
#include "core/conversions.h"
#include "core/form.h"
#include "modules/formwork/core/danger_evaluation.h"
#include "modules/formwork/core/formwork.h"
#include "modules/formwork/core/formwork_formulas.h"

namespace tunnel {

namespace {

QString CategoryText(Danger danger) {
    switch (danger) {
        case Danger::OverScale:
            return QStringLiteral("属超过一定规模的危险性较大的分部分项工程范围");
        case Danger::Scheme:
            return QStringLiteral("属危险性较大的分部分项工程范围");
        case Danger::None:
            break;
    }
    return QStringLiteral("不属于危险性较大的分部分项工程范围");
}

// The check of one item: the load by the current factors against the
// window's governing result with the item's limits.
struct ItemCheck {
    const char *result;
    const char *name;
    const char *unit;
    double lower;
    double upper;
};

constexpr ItemCheck kSlabCheck{kSlabMaxId, "施工总荷载", "kN/m2", 10, 15};
constexpr ItemCheck kLineCheck{kLineMaxId, "集中线荷载", "kN/m", 15, 20};

void CheckItem(const Form &form, const ItemCheck &item, double currentLoad, QStringList *failed) {
    const Danger today = Classify(ReadNumber(form, item.result), item.lower, item.upper);
    const Danger current = Classify(currentLoad, item.lower, item.upper);
    if (today == current) return;
    *failed
        << QStringLiteral(
               "按GB 55001-2021分项系数（1.3/1.5）计算，%1为%2%3，%4，与上述评价不同，请核对计算依据。")
               .arg(U(item.name), ToText(currentLoad), U(item.unit), CategoryText(current));
}

}  // namespace

QStringList LoadChecks(const Form &form) {
    QStringList failed;
    if (!Filled(form.Text(kSlabMaxId)) || !Filled(form.Text(kLineMaxId))) return failed;
    const double g1k = ReadNumber(form, kG1kId);
    const double g2k = ReadNumber(form, kG2kId);
    CheckItem(form, kSlabCheck,
              CurrentCodeSlabLoad({.thickness = ReadNumber(form, kSlabId),
                                   .g1k = g1k,
                                   .g2k = g2k,
                                   .g3k = ReadNumber(form, kG3kSlabId),
                                   .q1k = ReadNumber(form, kQ1kId)}),
              &failed);
    CheckItem(form, kLineCheck,
              CurrentCodeLineLoad({.width = ReadNumber(form, kBeamBId),
                                   .height = ReadNumber(form, kBeamHId),
                                   .g1k = g1k,
                                   .g2k = g2k,
                                   .g3k = ReadNumber(form, kG3kBeamId),
                                   .q2k = ReadNumber(form, kQ2kId)}),
              &failed);
    return failed;
}

QStringList PressureChecks(const Form &form) {
    if (!Filled(form.Text(kFPrimeId)) || !Filled(form.Text(kSetTimeId))) return {};
    const double temperature = Filled(form.Text(kTemperatureId)) ? ReadNumber(form, kTemperatureId)
                                                                 : kDefaultConcreteTemperature;
    if (!SettingTimeBelowFormula(ReadNumber(form, kSetTimeId), temperature)) return {};
    return {QStringLiteral("初凝时间t0小于按200/(T+15)计算的值，应有试验资料")};
}

QStringList FormworkChecks(const Form &form) {
    return LoadChecks(form) + PressureChecks(form);
}

}  // namespace tunnel
