#pragma once

#include "rows/sections.h"

namespace quarvel {

// The mission types as the mission list offers them, each with its mission
// code: a unit needs its combat load times the code in supplies.
struct Mission {
    std::string_view name;
    std::string_view code;
};

inline constexpr auto kMissions = toArray<Mission>({
    {"Recon", "1"},
    {"Probe", "1"},
    {"Advance To Contact", "2"},
    {"Artillery Barrage", "3"},
    {"Deliberate Attack", "3"},
    {"Raid", "1"},
});

// Combo2_Click: the mission type sets the mission code.
void pickMissionType(Cells &cells, Id list);

// The change handler of a gated count box: opens the row's list once a
// mission type is set, warns "Mission Error" before.
void gate(Cells &cells, const Row &row);

} // namespace quarvel
