#pragma once

#include "cells/cells.h"
#include "rows/cellnames.h"
#include "rows/sections.h"

#include <cmath>
#include <string_view>

namespace quarvel {

// The prompts and titles of the row families' message boxes.
inline constexpr std::string_view kTransportError = "Transport Error";
inline constexpr std::string_view kNotEnoughTransport = "*-*Not Enough Transport to carry Cargo: Hit Reset to redo!";

// The pounds left as squads of 2500 pounds, floored to a half squad. The
// division is taken in two steps, by 625 and then by 4, wherever squads are
// worked out from pounds, so that every figure rounds alike.
inline double squadsFromPounds(double pounds)
{
    double q = pounds / 625;
    q = q / 4;
    q = q * 2;
    q = std::floor(q);
    return q / 2;
}

} // namespace quarvel
