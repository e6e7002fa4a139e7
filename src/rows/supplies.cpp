#include "rows/rows.h"

namespace quarvel {

// Combo8_Click: books the supply units in Text29, whatever entry is shown;
// what the units already carry as combat load travels with them, the rest is
// cargo at 100 pounds a unit.
void pickSupplies(Cells &cells, Id)
{
    const double weight = value(cells, Id::Text29) * 100;
    add(cells, Id::Label66, weight);
    const double combatLoadWeight = value(cells, Id::Label121) * 100;
    const double cargo = weight - combatLoadWeight;
    add(cells, Id::Label113, cargo);
    subtract(cells, Id::Label108, cargo);
    write(cells, Id::Label110, squadsFromPounds(value(cells, Id::Label108)));

    if (!(value(cells, Id::Label108) < 0))
        return;
    cells.alert(kNotEnoughTransport, kTransportError);
    add(cells, Id::Label49, 1);
    write(cells, Id::Label108,
          value(cells, Id::Label66) - value(cells, Id::Label121) * 100 + value(cells, Id::Label108));
    write(cells, Id::Label110, squadsFromPounds(value(cells, Id::Label108)));
}

} // namespace quarvel
