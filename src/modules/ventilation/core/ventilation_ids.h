#pragma once

// The unit names of the ventilation window the commands and the report share.

namespace tunnel::ventilation_ids {

// Inputs of the air demand.
inline constexpr char kArea[] = "编辑框1_隧道开挖面积";
inline constexpr char kAdvance[] = "编辑框1_隧道开挖进尺";
inline constexpr char kPersons[] = "编辑框1_隧道最大作业人数";
inline constexpr char kLength[] = "编辑框1_隧道通风长度";
inline constexpr char kReserve[] = "编辑框1_风量备用系数";
inline constexpr char kAirPerPerson[] = "编辑框1_每人每分钟所需新鲜空气";
inline constexpr char kCharge[] = "编辑框1_每立方米所需药量";
inline constexpr char kSpeed[] = "编辑框1_允许最低风速";
inline constexpr char kFumeTime[] = "编辑框1_爆破后通风排烟时间";
inline constexpr char kSpread[] = "编辑框1_炮烟扩散长度";
inline constexpr char kDiameter[] = "编辑框1_选定风筒直径";
inline constexpr char kExcavatorPower[] = "编辑框2_挖掘机单机功率";
inline constexpr char kExcavators[] = "编辑框3_挖机数量";
inline constexpr char kLoaderPower[] = "编辑框2_装载机单机功率";
inline constexpr char kLoaders[] = "编辑框3_装载机数量";
inline constexpr char kOtherPower[] = "编辑框2_其它设备功率";
inline constexpr char kOthers[] = "编辑框3_其它设备数量";
inline constexpr char kTruckPower[] = "编辑框2_自卸车装机功率";
inline constexpr char kLoadedTrucks[] = "编辑框3_自卸车重载数";
inline constexpr char kEmptyTrucks[] = "编辑框3_自卸空载数";
inline constexpr char kLoadedFactor[] = "编辑框2_重车负荷率";
inline constexpr char kEmptyFactor[] = "编辑框2_空车负荷率";
inline constexpr char kUtilisation[] = "编辑框2_设备利用率";
inline constexpr char kAirPerKw[] = "编辑框2_内燃机械作业供风量";
inline constexpr char kGasEmission[] = "编辑框3_瓦斯绝对涌出量";
inline constexpr char kGasAllowed[] = "编辑框3_工作面允许瓦斯浓度";
inline constexpr char kGasSupplied[] = "编辑框3_送入风流中瓦斯浓度";
// Inputs of supply and pressure.
inline constexpr char kLeakRate[] = "编辑框4_风管百米漏风率";
inline constexpr char kOtherLoss[] = "编辑框5_其他压力损失";
// The selected fan.
inline constexpr char kFanModel[] = "编辑框6_风机型号";
inline constexpr char kFanFlow[] = "编辑框6_风机额定风量";
inline constexpr char kFanPressure[] = "编辑框6_风机额定风压";
inline constexpr char kFanPower[] = "编辑框6_电机功率";
inline constexpr char kFanCount[] = "编辑框6_风机台数";
// Results.
inline constexpr char kPowerTotal[] = "编辑框3_功率合计";
inline constexpr char kByPersons[] = "编辑框2_按人";
inline constexpr char kBySpeed[] = "编辑框2_按风速";
inline constexpr char kByFumes[] = "编辑框2_按排除炮排烟";
inline constexpr char kByExhaust[] = "编辑框2_按废气";
inline constexpr char kDemand[] = "编辑框2_总体选取";
inline constexpr char kLeakage[] = "编辑框4_风管漏风系数";
inline constexpr char kSection[] = "编辑框4_风管截面积S";
inline constexpr char kSupply[] = "编辑框4_洞口风机供风量Q供";
inline constexpr char kFriction[] = "编辑框5_风管摩擦力";
inline constexpr char kLocalLoss[] = "编辑框5_局部压力损失";
inline constexpr char kPressure[] = "编辑框5_通风总风压";
// Labels.
inline constexpr char kNotice[] = "标签1_提示信息";
inline constexpr char kDemandLabel[] = "标签37";
inline constexpr char kGasDemandLabel[] = "标签52";

inline constexpr char kFourCandidates[] = "①~④取最大需风量Q需";
inline constexpr char kFiveCandidates[] = "①~⑤取最大需风量Q需";
inline constexpr char kNotConsidered[] = "不考虑";
inline constexpr int kPauseMs = 300;

}  // namespace tunnel::ventilation_ids
