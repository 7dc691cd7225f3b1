#pragma once

#include <QStringList>

namespace tunnel {

class Form;

// Items 3 and 4 evaluated again with GB 55001-2021's partial factors: a line
// for each whose category differs from the one of the window's result. Empty
// before the combinations are computed.
QStringList LoadChecks(const Form &form);

// The initial setting time against 200 / (T + 15) at the entered temperature,
// or at 20 °C without one. Empty before the lateral pressure is computed or
// without a t0.
QStringList PressureChecks(const Form &form);

// Both, for the log after a calculation and the report's "校核".
QStringList FormworkChecks(const Form &form);

}  // namespace tunnel
