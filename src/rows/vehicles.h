#pragma once

#include "cells/cells.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace quarvel {

// The vehicle sections (trucks, APCs, armour, specialist vehicles) give
// capacity and never check it: a pick adds the row's count times each figure
// of its type to the cells of the family's update list, in the list's order.

struct VehicleRow {
    Id count, list;
};

struct VehicleType {
    std::string_view name;
    std::array<double, 5> figures; // per vehicle, in the family's own order
};

struct VehicleUpdate {
    Id cell;
    std::size_t figure; // index into VehicleType::figures
    bool supply;        // the amount is times the mission code: supply used
};

template <std::size_t Rows, std::size_t Types, std::size_t Updates> struct VehicleFamily {
    std::array<VehicleRow, Rows> rows;
    std::array<VehicleType, Types> types;
    std::array<VehicleUpdate, Updates> updates;
};

void bookVehicles(Cells &cells, const VehicleRow &row, const VehicleType *type, const VehicleUpdate *updates,
                  std::size_t updateCount);

template <std::size_t R, std::size_t T, std::size_t U>
void bookVehicles(Cells &cells, const VehicleFamily<R, T, U> &family, Id list)
{
    for (const VehicleRow &row : family.rows)
        if (row.list == list)
            return bookVehicles(cells, row, findType(family.types, cells.text(list)), family.updates.data(), U);
}

} // namespace quarvel
