#pragma once

#include "cells/controlid.h"

#include <array>
#include <bitset>
#include <string>

namespace quarvel {

// Everything the window holds: each control's text, hidden cells included (a
// check box's text is its tick, "1" or "0"), and each control's enabled
// state, and what the system notes beside a control (Cells::tag). A plan
// file keeps it; Undo and Redo put it back.
struct FormState {
    std::array<std::string, kControlCount> texts;
    std::bitset<kControlCount> enabled;
    std::array<std::string, kControlCount> tags;

    bool operator==(const FormState &o) const { return texts == o.texts && enabled == o.enabled && tags == o.tags; }
    bool operator!=(const FormState &o) const { return !(*this == o); }
};

} // namespace quarvel
