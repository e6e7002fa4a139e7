#pragma once

#include "rows/rows.h"

#include <array>
#include <cstddef>

namespace quarvel {

// The vehicle sections (trucks, APCs, armour, specialist vehicles) give
// capacity and never check it: a pick adds the row's count times a figure of
// its type to each cell of the family's update list, in the list's order.

template <class Type> struct VehicleUpdate {
    Id cell;
    double Type::*figure;
    bool timesMission; // supplies needed: the amount is times the mission code
};

template <class Type, std::size_t Types, std::size_t Updates>
void bookVehicles(Cells &cells, const Row &row, const std::array<Type, Types> &types,
                  const std::array<VehicleUpdate<Type>, Updates> &updates)
{
    const Type *type = findType(types, cells.text(row.list));
    const double n = value(cells, row.count);
    const double mission = value(cells, kMissionCode);
    for (const VehicleUpdate<Type> &u : updates) {
        const double figure = type ? type->*u.figure : 0;
        add(cells, u.cell, u.timesMission ? mission * (n * figure) : n * figure);
    }
}

} // namespace quarvel
