#pragma once

namespace tunnel {

class Form;

// The coefficients of one formwork kind for the combinations and the
// pressure diagram.
struct PressureCoefficients {
    double thinFactor;       // overall factor of the thin-member combination
    double thinVibration;    // factor of Q2k' inside it
    double thickVibration;   // factor of Q3k in the thick-member combination
    double headFactor;       // design lateral pressure = headFactor × G4k
    double dumpingFactor;    // Q3d = Q3k × dumpingFactor
    double actingReduction;  // last factor of X
};

// Steel formwork: combinations reduced by 0.95 × 0.9; its dumping factor is
// the double product 1.4 × 0.95 × 0.9 (1.1969999999999998).
PressureCoefficients SteelCoefficients();
PressureCoefficients PlainCoefficients();

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
