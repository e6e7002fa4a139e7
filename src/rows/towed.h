#pragma once

#include "cells/tables.h"

#include <string_view>

namespace quarvel {

// The towed units as their lists offer them, with the figures of one gun.
// Adding a type is one line here.
struct TowedType {
    std::string_view name;
    double combatLoad; // supplies per gun
    double towing;     // towing units one gun needs
};

inline constexpr auto kTowedTypes = toArray<TowedType>({
    {"ZPU-4 AAMG", 6, 1},
    {"Oerlikon 20 mm AAA", 8, 1},
    {"S-60 57mm AAA", 9, 1},
    {"ZU-23-2 AAA", 7, 1},
    {"OTO Malera 105mm PAK", 18, 1},
    {"D-30 122mm Howitzer", 31, 1},
    {"L-6 Wombat 120mm RR", 4, 1},
});

} // namespace quarvel
