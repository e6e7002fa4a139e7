#pragma once

#include "cells/cells.h"

namespace quarvel {

// The sections' "Clear" buttons: each blanks its section's rows and takes the
// section's share cells back out of the shared totals.
void clearInfantry(Cells &cells, Id button);   // Command2_Click
void clearWeapons(Cells &cells, Id button);    // Command8_Click: weapons and combat supplies
void clearTransport(Cells &cells, Id button);  // Command11_Click: APCs, then trucks
void clearTowed(Cells &cells, Id button);      // Command16_Click
void clearArmour(Cells &cells, Id button);     // Command19_Click
void clearSpecialist(Cells &cells, Id button); // Command5_Click

} // namespace quarvel
