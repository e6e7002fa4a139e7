#pragma once

#include "cells/controlid.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace quarvel {

enum class Kind : std::uint8_t { Window, Label, TextBox, List, CheckBox, Button, Line, Rectangle };

// Design state of a control; a control is enabled and visible unless stated.
enum State : unsigned {
    Border = 1u << 0,  // single-line frame around a label
    Centred = 1u << 1, // label text centred
    Disabled = 1u << 2,
    Hidden = 1u << 3,   // never shown: a cell of the calculations only
    ListOnly = 1u << 4, // a choice from the entries, no typing
};

struct ControlDesign {
    Id id;
    std::string_view name;
    Kind kind;
    int left, top, width, height; // twips; a line's end points
    int tab;                      // -1 where the control has none
    std::string_view text;
    unsigned state;

    bool has(State s) const { return (state & s) != 0; }
};

inline constexpr std::array<ControlDesign, kControlCount> kDesign = {{
#define CONTROL(name, kind, left, top, width, height, tab, text, state)                                                \
    {Id::name, #name, Kind::kind, left, top, width, height, tab, text, state},
#include "cells/design.inc"
#undef CONTROL
}};

inline const ControlDesign &design(Id id) { return kDesign[static_cast<std::size_t>(id)]; }

} // namespace quarvel
