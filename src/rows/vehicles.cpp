#include "rows/vehicles.h"

namespace quarvel {

void bookVehicles(Cells &cells, const VehicleRow &row, const VehicleType *type, const VehicleUpdate *updates,
                  std::size_t updateCount)
{
    const double n = value(cells, row.count);
    const double mission = value(cells, Id::Label1);
    for (std::size_t i = 0; i < updateCount; ++i) {
        const VehicleUpdate &u = updates[i];
        const double figure = type ? type->figures[u.figure] : 0;
        add(cells, u.cell, u.supply ? mission * (n * figure) : n * figure);
    }
}

} // namespace quarvel
