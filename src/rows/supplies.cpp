#include "cells/tentative.h"
#include "rows/rows.h"

#include <algorithm>

namespace quarvel {

// Combo8_Click: books the supply units in Text29, whatever entry is shown.
// What the units already carry as combat load travels with them; the rest of
// all the supplies booked is cargo at 100 pounds a unit, and never less than
// none.
void pickSupplies(Cells &window, Id)
{
    Tentative cells(window);
    add(cells, Id::Label66, value(cells, Id::Text29) * 100);
    const double cargo = std::max(0.0, value(cells, Id::Label66) - value(cells, Id::Label121) * 100);
    const double before = value(cells, Id::Label113);
    write(cells, Id::Label113, cargo);
    subtract(cells, Id::Label108, value(cells, Id::Label113) - before);
    write(cells, Id::Label110, squadsFromPounds(value(cells, Id::Label108)));

    if (!(value(cells, Id::Label108) < 0))
        return;
    cells.alert(kNotEnoughTransport, kTransportError);
    cells.takeBack();
}

} // namespace quarvel
