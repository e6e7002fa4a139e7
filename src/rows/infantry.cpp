#include "cells/tentative.h"
#include "rows/passes.h"
#include "rows/rows.h"

#include <array>
#include <cmath>

namespace quarvel {
namespace {

struct InfantryRow {
    Id check, count, list;
};

constexpr std::array<InfantryRow, 9> kRows{{
    {Id::Check1, Id::Text4, Id::Combo1},
    {Id::Check6, Id::Text5, Id::Combo3},
    {Id::Check11, Id::Text6, Id::Combo4},
    {Id::Check12, Id::Text7, Id::Combo5},
    {Id::Check13, Id::Text8, Id::Combo6},
    {Id::Check14, Id::Text9, Id::Combo7},
    {Id::Check4, Id::Text11, Id::Combo11},
    {Id::Check3, Id::Text3, Id::Combo10},
    {Id::Check2, Id::Text2, Id::Combo9},
}};

struct InfantryType {
    std::string_view name;
    double squads;        // transport squads one unit takes
    double cargoLoad;     // pounds one unit weighs as cargo
    double combatLoad;    // supplies one unit carries into action
    double cargoCapacity; // pounds one unit can carry itself
};

constexpr std::array<InfantryType, 12> kTypes{{
    {"Militia Infantry Squad", 1, 2500, 2, 50},
    {"Regular Infantry Squad", 1, 2500, 3, 80},
    {"Commando Squad", 1, 2500, 4, 100},
    {"Combat Engineer Squad", 1, 2500, 4, 80},
    {"Pioneer Section", 0.5, 1250, 2, 50},
    {"TAC HQ Section", 0.5, 1250, 2, 0},
    {"Field CP Section", 0.5, 1250, 1, 0},
    {"Medic Section", 0.5, 1250, 1, 0},
    {"Officer", 0, 0, 0, 0},
    {"Commander", 0, 0, 0, 0},
    {"Mechanic Section", 0.5, 1250, 1, 0},
    {"Replacement Section", 0.5, 1250, 0, 0},
}};

} // namespace

void pickInfantry(Cells &window, Id list)
{
    const InfantryRow &row = rowOf(kRows, list);
    const InfantryType none{};
    const InfantryType *found = findType(kTypes, window.text(row.list));
    const InfantryType &t = found ? *found : none;

    Tentative cells(window);
    const double n = value(cells, row.count);
    const double mission = value(cells, Id::Label1);
    const double needed = mission * t.combatLoad * n;
    const double carried = t.combatLoad * n;

    add(cells, Id::Label75, needed);
    add(cells, Id::Label121, carried);
    add(cells, Id::Label43, carried);
    add(cells, Id::Label51, n * t.cargoCapacity);
    add(cells, Id::Label108, n * t.cargoCapacity);
    add(cells, Id::Label42, needed);
    add(cells, Id::Label57, n * t.squads);
    add(cells, Id::Label6, n * t.cargoLoad);

    if (cells.ticked(row.check))
        return; // a marching row takes no transport
    // Whole units ride: the squads aboard are what the Clear gives back.
    const double units = n >= 1 ? std::floor(n) : 0;
    add(cells, Id::Text1, units * t.squads);

    // A unit is refused only for room it takes and that is not left.
    const Walk squads{Id::Label110, t.squads, kNoLimit, t.squads > 0 ? 0 : kNoLimit};
    const Walk pounds{Id::Label108, t.cargoLoad, kNoLimit, t.cargoLoad > 0 ? 0 : kNoLimit};
    if (runPasses(cells, n, squads, pounds))
        cells.setText(Id::Label49, "1");

    if (!(value(cells, Id::Label49) > 0))
        return;
    cells.alert(kNotEnoughTransport, kTransportError);
    cells.takeBack();
    window.setText(row.count, "0");
}

} // namespace quarvel
