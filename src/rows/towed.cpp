#include "cells/tentative.h"
#include "rows/rows.h"

#include <array>

namespace quarvel {
namespace {

struct TowedRow {
    Id count, list;
};

constexpr std::array<TowedRow, 4> kRows{{
    {Id::Text32, Id::Combo19},
    {Id::Text33, Id::Combo20},
    {Id::Text34, Id::Combo21},
    {Id::Text39, Id::Combo22},
}};

struct TowedType {
    std::string_view name;
    double combatLoad; // supplies per gun
    double towing;     // towing units one gun needs
};

constexpr std::array<TowedType, 7> kTypes{{
    {"ZPU-4 AAMG", 6, 1},
    {"Oerlikon 20 mm AAA", 8, 1},
    {"S-60 57mm AAA", 9, 1},
    {"ZU-23-2 AAA", 7, 1},
    {"OTO Malera 105mm PAK", 18, 1},
    {"D-30 122mm Howitzer", 31, 1},
    {"L-6 Wombat 120mm RR", 4, 1},
}};

} // namespace

void pickTowed(Cells &window, Id list)
{
    const TowedRow &row = rowOf(kRows, list);
    const TowedType *t = findType(kTypes, window.text(row.list));
    const double load = t ? t->combatLoad : 0;
    const double towing = t ? t->towing : 0;

    Tentative cells(window);
    const double count = value(cells, row.count);
    const double carried = count * load;
    add(cells, Id::Label171, carried);
    add(cells, Id::Label121, carried);
    const double used = carried * value(cells, Id::Label1);
    add(cells, Id::Label170, used);
    add(cells, Id::Label75, used);
    const double needed = count * towing;
    add(cells, Id::Label13, needed);
    add(cells, Id::Label33, needed);
    subtract(cells, Id::Label40, needed);

    if (!(value(cells, Id::Label40) < 0))
        return;
    cells.alert("You Need More Vehicles For Towing", kTransportError);
    cells.takeBack();
    window.setText(row.count, "0");
}

} // namespace quarvel
