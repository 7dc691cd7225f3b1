#pragma once

#include "core/window_table.h"

namespace tunnel {

class Form;

// The mucking window "隧道除渣及设备配置计算": muck volume per cycle, number of
// muck trucks and mucking time.
const WindowTable &MuckingTable();

void MuckVolume(Form &form);
void TruckCount(Form &form);
void MuckingTime(Form &form);

}  // namespace tunnel
