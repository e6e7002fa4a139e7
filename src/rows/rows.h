#pragma once

#include "cells/cells.h"

#include <cmath>
#include <string_view>

namespace quarvel {

// The prompts and titles of the row families' message boxes.
inline constexpr std::string_view kTransportError = "Transport Error";
inline constexpr std::string_view kNotEnoughTransport = "*-*Not Enough Transport to carry Cargo: Hit Reset to redo!";

// The row of a family's rows table whose list is `list`.
template <class Table> const typename Table::value_type &rowOf(const Table &rows, Id list)
{
    for (const auto &row : rows)
        if (row.list == list)
            return row;
    return rows.front(); // the routing table sends only the family's own lists
}

// The pounds left, as squads of 2500 pounds floored to a half squad, computed
// step by step as the window always has.
inline double squadsFromPounds(double pounds)
{
    double q = pounds / 625;
    q = q / 4;
    q = q * 2;
    q = std::floor(q);
    return q / 2;
}

// Cell X ← value(X) − amount.
inline void subtract(Cells &cells, Id id, double amount) { write(cells, id, value(cells, id) - amount); }

void pickInfantry(Cells &cells, Id list);
void pickWeapon(Cells &cells, Id list);
void pickTowed(Cells &cells, Id list);
void pickSupplies(Cells &cells, Id list);
void pickTruck(Cells &cells, Id list);
void pickApc(Cells &cells, Id list);
void pickArmour(Cells &cells, Id list);
void pickSpecialist(Cells &cells, Id list);

} // namespace quarvel
