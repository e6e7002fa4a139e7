#pragma once

#include "cells/cells.h"

namespace quarvel {

// The sections' "Clear" buttons: each blanks its section's rows and takes the
// section's share cells back out of the shared totals.
void Command2_Click(Cells &cells);  // infantry
void Command8_Click(Cells &cells);  // weapons and combat supplies
void Command11_Click(Cells &cells); // APCs, then trucks
void Command16_Click(Cells &cells); // towed units
void Command19_Click(Cells &cells); // armour
void Command5_Click(Cells &cells);  // specialist vehicles

} // namespace quarvel
