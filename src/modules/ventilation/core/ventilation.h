#pragma once

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

}  // namespace tunnel
