#pragma once

#include "cells/cells.h"

#include <limits>

namespace quarvel {

// A bound that no cell falls below: the room never stops a pass.
inline constexpr double kNoLimit = -std::numeric_limits<double>::infinity();

// The room that each pass, one unit put aboard, takes from a cell: the pass
// reads the cell, lowers it by `perPass` and writes it back as number text. A
// negative `perPass` makes the cell a tally that each pass raises.
struct Room {
    Id cell;
    double perPass;
    double needs;     // a pass starts only while the cell holds at least this
    double mustLeave; // a pass that leaves less is the last: a shortage
};

// Puts units aboard one pass at a time, for pass 1, 2, ... while the pass is
// not above `count`. A pass checks both cells against `needs` (stops if either
// holds less), writes `first` and then `second`, then checks both against
// `mustLeave`. Returns true when a check stopped the passes: a shortage.
//
// Any count finishes at once with the cells that pass after pass gives: runs
// of passes whose writes are exact are taken in one step, the few passes near
// a limit one by one, and a pass that changes nothing ends the run. Beyond 15
// significant digits (half squads from 1E+14, whole units from 1E+15) a pass's
// own write is rounded; there a cell that one pass leaves as it is stays so,
// and any other cell takes the run's whole amount in one subtraction, rounded
// to 15 significant digits once.
bool runPasses(Cells &cells, double count, const Room &first, const Room &second);

} // namespace quarvel
