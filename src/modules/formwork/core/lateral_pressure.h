#pragma once

#include "modules/formwork/core/formwork_formulas.h"

namespace tunnel {

class Form;

// "计算墙体模板侧压力荷载设计值": F', F, G4k, the wall combination (threshold
// 100 mm) and the diagram values and labels.
void WallPressure(Form &form);

// "计算梁拱柱模板侧压力荷载计算值": the same for beams, arches and columns
// (threshold 300 mm; the steel thick-member result stays unrounded).
void MemberPressure(Form &form);

// The temperature field changed: t0 = RoundTo(200 / (T + 15), 3).
void TemperatureChanged(Form &form);

// The temperature check box was clicked: ticked shows the field; unticked
// hides and empties it and then empties t0.
void TemperatureToggled(Form &form);

}  // namespace tunnel
