#pragma once

#include "rows/sections.h"

namespace quarvel {

// Combo2_Click: the mission type sets the mission code.
void pickMissionType(Cells &cells, Id list);

// The change handler of a gated count box: opens the row's list once a
// mission type is set, warns "Mission Error" before.
void gate(Cells &cells, const Row &row);

} // namespace quarvel
