#pragma once

#include "cells/cells.h"
#include "rows/cellnames.h"

#include <string>
#include <vector>

namespace quarvel {

// The summary's five numbers, each of which can say where it comes from.
inline constexpr Id kExplainedFigures[] = {kSquadsFree, kPoundsFree, kTowingFree, kSuppliesNeeded, kCombatLoad};

// Where a summary number comes from: each section that adds to it or takes
// from it, by the heading the window shows over the section, with its amount
// (added above 0, taken below), in the window's order; then the number as it
// reads. The sections' own share cells give their amounts; the trucks' and
// APCs' room, which they keep no share of, is what their rows show booked:
// each row's count times its type's figure. What the sections' amounts leave
// unexplained is one more part, so that the parts always add up to the
// number: kRecounted where the squads are the pounds free recounted (as a
// weapons or supplies pick or their Clear recounts them), else kEarlier (a
// row booked again or its count changed since its pick, or room a Clear set).
struct Explanation {
    struct Part {
        std::string heading;
        double amount;
    };
    std::vector<Part> parts; // none for a section whose amount is 0
    std::string total;
};

inline constexpr const char *kRecounted = "Recounted from the pounds free";
inline constexpr const char *kEarlier = "Earlier picks and Clears";

Explanation explanationOf(const Cells &cells, Id figure);

// The explanation one part a line, then the total: "Trucks: +10000",
// "Infantry: -7260", "Total: 2740".
std::string explanationText(const Cells &cells, Id figure);

} // namespace quarvel
