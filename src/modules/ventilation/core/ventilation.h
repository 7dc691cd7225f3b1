#pragma once

#include <array>

#include "core/window_table.h"

namespace tunnel {

class Form;

// The forced ventilation window "隧道压入式通风计算": diesel power, the five
// air demands, the governing demand, duct leakage, fan supply and pressure.
const WindowTable &VentilationTable();

// The method statement exported with the gas option ticked or clear.
const ReportTable &VentilationReport(bool gas);

// Unit names the window adds to its table's units.
inline constexpr char kGasOptionId[] = "选择框2";
inline constexpr char kGasNoteId[] = "标签54";
inline constexpr char kExportButtonId[] = "按钮4";
// The gas demand box, which the window places beside its option.
inline constexpr char kByGas[] = "编辑框2_按瓦斯绝对涌出量计算";

// State of a freshly opened window: gas fields disabled, the Q5 field hidden
// behind "不考虑", the demand label for four candidates.
void PrepareVentilation(Form &form);

// Reaction to a click on the gas option: enables or disables the gas fields
// with their texts, switches the labels and empties the demand and pressure
// results.
void GasOptionChanged(Form &form);

// The calculate command "通风总风压计算": power total, Q1 to Q5, Q需, fan
// supply and pressures, each step reading earlier results back from their
// displayed texts, with three pauses of 300 ms.
void CalculateVentilation(Form &form);

// Exports the scheme of the gas option's state.
void ExportVentilationScheme(Form &form);

// Leakage coefficient 1 / (1 - beta)^(length / 100) of a duct of that length
// (m) leaking the fraction beta per 100 m.
double LeakageCoefficient(double beta, double length);

// Air (m³/min) to clear the fumes of one round in time minutes:
// (7.8 / time) × ∛(G × (area × spread)²), G = area × advance × charge (kg).
double FumeDemand(double area, double advance, double charge, double spread, double time);

// Duct friction loss (Pa): length × (demand / 60) × (supply / 60) × 0.0143 / d⁵,
// the flows in m³/min, 0.0143 = 6.5 × α with α = 0.0022.
double FrictionLoss(double length, double demand, double supply, double diameter);

// Index of the governing demand among candidates given in the order Q1, Q4,
// Q2, Q3, Q5: the largest one, the first of those equal within 1e-7; -1 when
// none exceeds 1e-7.
int GoverningDemand(const std::array<double, 5> &candidates);

}  // namespace tunnel
