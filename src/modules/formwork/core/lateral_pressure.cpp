#include "modules/formwork/core/lateral_pressure.h"

#include "core/calc_form.h"
#include "core/code_checks.h"
#include "core/conversions.h"
#include "core/form.h"
#include "modules/formwork/core/formwork.h"
#include "modules/formwork/core/formwork_checks.h"

namespace tunnel {

namespace {

constexpr Rgb kResultColour{0, 96, 192};

// What distinguishes the wall command from the beam, arch and column one.
struct Member {
    const char *steelBox;
    const char *dimension;
    double threshold;
    const char *thickHeading;
    const char *thinHeading;
    bool roundSteelThick;  // walls round the steel thick-member result to 2
    const char *steelTitle;
    const char *plainTitle;
};

constexpr Member kWall{kWallSteelId,
                       kWallThicknessId,
                       100,
                       "大体积墙厚度>100mm的侧面模板计算结果",
                       "墙厚度<100mm的侧面模板计算结果",
                       true,
                       "墙体钢模侧压力设计值分布图",
                       "墙体侧压力设计值分布图"};

constexpr Member kBeam{kMemberSteelId,
                       kMemberSideId,
                       300,
                       "大体积结构、柱（边长> 300mm）的侧面模板计算结果",
                       "梁、拱、柱（边长< 300mm）的侧面模板计算结果",
                       false,
                       "梁拱柱钢模侧压力设计值分布图",
                       "梁拱柱侧压力设计值分布图"};

void StandardValues(Form &form) {
    if (!CheckFilled(form, {kGammaCId, kSetTimeId, kBeta1Id, kBeta2Id, kPourRateId, kHeadId},
                     "请输入完整的计算参数，请查证！\r\n"))
        return;
    const double gammaC = ReadNumber(form, kGammaCId);
    const double head = ReadNumber(form, kHeadId);
    form.SetText(kFPrimeId, ToText(LateralPressureByTime(
                                gammaC, ReadNumber(form, kSetTimeId), ReadNumber(form, kBeta1Id),
                                ReadNumber(form, kBeta2Id), ReadNumber(form, kPourRateId))));
    form.AppendLog("侧压力标准值F'计算结果：" + form.Text(kFPrimeId) + "\r\n");
    form.SetText(kFId, ToText(LateralPressureByHead(gammaC, head)));
    form.AppendLog("侧压力标准值F计算结果：" + form.Text(kFId) + "\r\n");
}

// G4k is the smaller of F' and F; equal values take F.
void ChooseG4k(Form &form) {
    if (!Filled(form.Text(kFPrimeId)) || !Filled(form.Text(kFId))) return;
    const bool takeF = TakeHeadPressure(ReadNumber(form, kFPrimeId), ReadNumber(form, kFId));
    const QString chosen = form.Text(takeF ? kFId : kFPrimeId);
    form.SetText(kG4kId, chosen);
    form.AppendLog("侧压力标准值F'与F计算结果取较小值" + chosen +
                   "\r\n--------------------------------------------\r\n");
}

void LateralPressure(Form &form, const Member &member) {
    form.SetCaption(kThickHeadingId, member.thickHeading);
    form.SetCaption(kThinHeadingId, member.thinHeading);
    form.SetBackColor(kThinResultId, kResultColour);
    form.SetBackColor(kThickResultId, kResultColour);

    StandardValues(form);
    ChooseG4k(form);

    if (!Filled(form.Text(member.dimension)) || !Filled(form.Text(kG4kId))) return;
    const bool steel = form.Checked(member.steelBox);
    const PressureCoefficients c = steel ? SteelCoefficients() : PlainCoefficients();
    const double g4k = ReadNumber(form, kG4kId);

    switch (ClassifyMember(ReadNumber(form, member.dimension), member.threshold)) {
        case MemberSize::Invalid:
            form.SetVisible(kThinGroupId, false);
            form.SetVisible(kThickGroupId, false);
            form.AppendLog("参数输入错误（边长），请查证" + form.Text(kFPrimeId) + "\r\n");
            break;
        case MemberSize::Thin:
            form.SetVisible(kThinGroupId, true);
            form.SetVisible(kThickGroupId, false);
            form.SetText(kThinResultId,
                         ToText(ThinCombination(c, g4k, ReadNumber(form, kQ2kVerticalId))));
            break;
        case MemberSize::Thick:
            form.SetVisible(kThickGroupId, true);
            form.SetVisible(kThinGroupId, false);
            form.SetText(kThickResultId, ToText(ThickCombination(c, g4k, ReadNumber(form, kQ3kId),
                                                                 steel && member.roundSteelThick)));
            break;
    }

    form.SetText(kEffectiveHeadId, ToText(EffectiveHead(c, g4k)));
    form.SetText(kDumpingDesignId, ToText(DumpingDesign(c, ReadNumber(form, kQ3kId))));
    form.SetText(kActingHeightId, ToText(ActingHeight(c, ReadNumber(form, kEffectiveHeadId),
                                                      ReadNumber(form, kDumpingDesignId), g4k)));

    const QString labels[] = {
        form.Text(kHeadId) + "m",
        form.Text(kEffectiveHeadId) + "m",
        ToText(DesignLateralPressure(c, g4k)) + "KN/m2",
        form.Text(kDumpingDesignId) + "KN/m2",
        ToText(HeadBeyondEffective(ReadNumber(form, kHeadId), ReadNumber(form, kEffectiveHeadId))) +
            "m",
        form.Text(kActingHeightId) + "m",
        steel ? member.steelTitle : member.plainTitle,
    };
    for (int i = 0; i < 7; ++i) form.SetCaption(kDiagramLabels[i], labels[i]);
}

}  // namespace

void WallPressure(Form &form) {
    LateralPressure(form, kWall);
    LogChecks(form, PressureChecks(form));
}

void MemberPressure(Form &form) {
    LateralPressure(form, kBeam);
    LogChecks(form, PressureChecks(form));
}

void TemperatureChanged(Form &form) {
    form.SetText(kSetTimeId, ToText(SettingTime(ReadNumber(form, kTemperatureId))));
}

void TemperatureToggled(Form &form) {
    if (form.Checked(kTempBoxId)) {
        form.SetVisible(kTemperatureId, true);
        return;
    }
    form.SetChecked(kTempBoxId, false);
    form.SetVisible(kTemperatureId, false);
    form.SetText(kTemperatureId, QString());
    form.SetText(kSetTimeId, QString());
}

}  // namespace tunnel
