#pragma once

#include "cells/cells.h"

#include <cstdint>
#include <string_view>

namespace quarvel {

enum class Event : std::uint8_t { Load, Click, Change };

using Handler = void (*)(Cells &cells, Id control);

// One line of the window's event table: the control, its event, the
// handler's name as the window knows it, and the operation that runs.
struct Route {
    Id control;
    Event event;
    std::string_view handler;
    Handler run;
};

// The route for a control's event, or null when the event runs nothing.
const Route *findRoute(Id control, Event event);

// Runs whatever the event table routes for the control's event.
void route(Cells &cells, Id control, Event event);

} // namespace quarvel
