#pragma once

#include "cells/cells.h"

namespace quarvel {

// The system's event table: runs what the control's event raises, if
// anything. The window and the cells in memory deliver every event here.
void route(Cells &cells, Id control, Event event);

} // namespace quarvel
