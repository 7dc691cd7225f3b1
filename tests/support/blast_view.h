#pragma once

#include "modules/smoothblast/core/smoothblast.h"

namespace tunnel::test {

using BlastView = HeadlessBlastView;

}  // namespace tunnel::test
