#pragma once

#include "cells/cells.h"

namespace quarvel {

// Start-up, before the window is shown: closes the rows that wait for a
// mission type and fills every list with its catalogue.
void Form_Load(Cells &cells);

} // namespace quarvel
