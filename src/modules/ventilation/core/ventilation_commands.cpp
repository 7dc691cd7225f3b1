// The ventilation window's commands: the calculation, and the gas option's
// reaction on the gas fields and the results.
#include "modules/ventilation/core/ventilation.h"

#include <array>

#include "core/calc_form.h"
#include "core/code_checks.h"
#include "core/conversions.h"
#include "core/dialogs.h"
#include "core/form.h"
#include "modules/ventilation/core/ventilation_checks.h"
#include "modules/ventilation/core/ventilation_formulas.h"
#include "modules/ventilation/core/ventilation_ids.h"

namespace tunnel {

namespace {

using namespace ventilation_ids;

constexpr std::array kGasFields = {kGasEmission, kGasAllowed, kGasSupplied};

// Emptied, in this order, by a change of the gas option.
constexpr std::array kClearedByGasOption = {
    kDemand,    kByGas,  kByPersons, kBySpeed,   kByFumes,
    kByExhaust, kSupply, kFriction,  kLocalLoss, kPressure,
};

void WritePowerTotal(Form &form) {
    const double power = DieselPower({.excavators = ReadNumber(form, kExcavators),
                                      .excavatorPower = ReadNumber(form, kExcavatorPower),
                                      .loaders = ReadNumber(form, kLoaders),
                                      .loaderPower = ReadNumber(form, kLoaderPower),
                                      .others = ReadNumber(form, kOthers),
                                      .otherPower = ReadNumber(form, kOtherPower),
                                      .loadedTrucks = ReadNumber(form, kLoadedTrucks),
                                      .emptyTrucks = ReadNumber(form, kEmptyTrucks),
                                      .truckPower = ReadNumber(form, kTruckPower),
                                      .loadedFactor = ReadNumber(form, kLoadedFactor),
                                      .emptyFactor = ReadNumber(form, kEmptyFactor),
                                      .utilisation = ReadNumber(form, kUtilisation)});
    form.SetText(kPowerTotal, ToText(power));
    if (form.Text(kPowerTotal) == u"0") {
        form.SetText(kPowerTotal, QStringLiteral("0"));
        form.AppendLog("计算总功率失败，请填写设备数量或设备参数！\r\n");
    } else {
        form.AppendLog("计算洞内总功率完成！\r\n");
    }
}

void WriteGasDemand(Form &form) {
    if (!form.Checked(kGasOptionId)) {
        form.SetText(kByGas, QString());
        form.AppendLog("不考虑瓦斯隧道绝对涌出计算\r\n");
        return;
    }
    form.SetText(kByGas,
                 ToText(GasDemand(ReadNumber(form, kReserve), ReadNumber(form, kGasEmission),
                                  ReadNumber(form, kGasAllowed), ReadNumber(form, kGasSupplied))));
}

void ChooseDemand(Form &form) {
    constexpr std::array order = {kByPersons, kByExhaust, kBySpeed, kByFumes, kByGas};
    std::array<double, 5> candidates{};
    for (std::size_t i = 0; i < order.size(); ++i) candidates[i] = ReadNumber(form, order[i]);
    const int winner = GoverningDemand(candidates);
    form.SetText(kDemand, winner < 0 ? QString() : form.Text(order[std::size_t(winner)]));
}

void WritePressures(Form &form) {
    const double length = ReadNumber(form, kLength);
    const double diameter = ReadNumber(form, kDiameter);
    form.SetText(kLeakage, ToText(ShownLeakageCoefficient(ReadNumber(form, kLeakRate), length)));
    form.SetText(kSection, ToText(DuctSection(diameter)));
    form.SetText(kFriction, ToText(ShownFrictionLoss(length, ReadNumber(form, kDemand),
                                                     ReadNumber(form, kSupply), diameter)));
    form.SetText(kLocalLoss, ToText(LocalLoss(ReadNumber(form, kFriction))));
    form.SetText(kPressure,
                 ToText(TotalPressure(ReadNumber(form, kLocalLoss), ReadNumber(form, kOtherLoss),
                                      ReadNumber(form, kFriction))));
    if (form.Text(kPressure) == u"0")
        form.AppendLog("通风总风压计算失败，请填写相应参数！\r\n");
    else
        form.AppendLog("通风总风压计算成功！\r\n");
}

}  // namespace

void PrepareVentilation(Form &form) {
    for (const char *id : kGasFields) form.SetEnabled(id, false);
    form.SetVisible(kByGas, false);
    form.SetVisible(kGasNoteId, true);
    form.SetCaption(kDemandLabel, kFourCandidates);
}

void GasOptionChanged(Form &form) {
    const bool gas = form.Checked(kGasOptionId);
    for (const char *id : kGasFields) form.SetEnabled(id, gas);
    if (gas) {
        form.SetText(kGasEmission, QStringLiteral("3"));
        form.SetText(kGasAllowed, QStringLiteral("0.005"));
        form.SetText(kGasSupplied, QStringLiteral("0"));
    } else {
        for (const char *id : kGasFields) form.SetText(id, kNotConsidered);
    }
    form.SetVisible(kGasDemandLabel, gas);
    form.SetVisible(kByGas, gas);
    form.SetVisible(kGasNoteId, false);
    form.SetCaption(kDemandLabel, gas ? kFiveCandidates : kFourCandidates);
    for (const char *id : kClearedByGasOption) form.SetText(id, QString());
}

void CalculateVentilation(Form &form) {
    Dialogs &dialogs = form.DialogService();
    form.SetCaption(kNotice, QString());
    form.AppendLog("参数准备，开始计算\r\n");
    dialogs.Pause(kPauseMs);

    WritePowerTotal(form);
    // Provisional, unrounded: the fan supply is computed with it.
    form.SetText(kLeakage, ToText(LeakageCoefficient(ReadNumber(form, kLeakRate),
                                                     ReadNumber(form, kLength))));
    form.SetText(kByPersons,
                 ToText(PersonsDemand(ReadNumber(form, kPersons), ReadNumber(form, kReserve),
                                      ReadNumber(form, kAirPerPerson))));
    form.SetText(kBySpeed, ToText(SpeedDemand(ReadNumber(form, kArea), ReadNumber(form, kSpeed))));
    dialogs.Pause(kPauseMs);

    form.SetText(kByFumes,
                 ToText(ShownFumeDemand(ReadNumber(form, kArea), ReadNumber(form, kAdvance),
                                        ReadNumber(form, kCharge), ReadNumber(form, kSpread),
                                        ReadNumber(form, kFumeTime))));
    form.SetText(kByExhaust,
                 ToText(ExhaustDemand(ReadNumber(form, kAirPerKw), ReadNumber(form, kPowerTotal))));
    WriteGasDemand(form);
    ChooseDemand(form);

    // Writing Q需 raised the change notice.
    form.SetCaption(kNotice, QString());
    form.SetText(kSupply, ToText(FanSupply(ReadNumber(form, kDemand), ReadNumber(form, kLeakage))));
    dialogs.Pause(kPauseMs);
    if (form.Text(kDemand).isEmpty())
        form.AppendLog("计算最大需风量Q需失败，请填写相应参数！\r\n");
    else
        form.AppendLog("最大需风量Q需计算成功，取最大值！\r\n");

    WritePressures(form);
    LogChecks(form, VentilationChecks(form));
}

}  // namespace tunnel
