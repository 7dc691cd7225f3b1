#pragma once

#include "core/form.h"

namespace tunnel {

// The two greys a preset shows in until it is edited.
inline constexpr Rgb kGrey128{128, 128, 128};
inline constexpr Rgb kGrey192{192, 192, 192};

}  // namespace tunnel
