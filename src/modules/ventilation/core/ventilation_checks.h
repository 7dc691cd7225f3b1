#pragma once

#include <QStringList>

namespace tunnel {

class Form;

// The duct's leakage per 100 m against 2 %, and the selected fan against
// the computed supply Q供 (rated flow × count) and total pressure (rated
// pressure); a fan item left empty is not compared.
QStringList VentilationChecks(const Form &form);

}  // namespace tunnel
