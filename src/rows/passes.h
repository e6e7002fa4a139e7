#pragma once

#include "cells/cells.h"

#include <limits>

namespace quarvel {

// A limit that no cell falls below: the walk never stops a pass.
inline constexpr double kNoLimit = -std::numeric_limits<double>::infinity();

// A cell that every pass reads, lowers by `step` (raises, when the step is
// negative) and writes back as number text.
struct Walk {
    Id cell;
    double step;
    double least;      // a pass starts only while the cell holds at least this
    double leastAfter; // a pass that leaves the cell below this stops the rest
};

// Puts units aboard one pass at a time, for pass 1, 2, ... while the pass is
// not above `count`. A pass checks both cells against `least` (stops if either
// is below), writes `first` and then `second`, then checks both against
// `leastAfter`. Returns true when a check stopped the passes.
//
// Any count finishes at once with the cells that pass after pass gives: runs
// of passes whose writes are exact are taken in one step, the few passes near
// a limit one by one, and a pass that changes nothing ends the run. Beyond 15
// significant digits (half squads from 1E+14, whole units from 1E+15) a pass's
// own write is rounded; there a cell that one pass leaves as it is stays so,
// and any other cell takes the run's whole amount in one subtraction, rounded
// to 15 significant digits once.
bool runPasses(Cells &cells, double count, const Walk &first, const Walk &second);

} // namespace quarvel
