#include "cells/tentative.h"
#include "rows/passes.h"
#include "rows/rows.h"

#include <array>

namespace quarvel {
namespace {

struct WeaponRow {
    Id count, list;
};

constexpr std::array<WeaponRow, 9> kRows{{
    {Id::Text23, Id::Combo13},
    {Id::Text24, Id::Combo14},
    {Id::Text25, Id::Combo15},
    {Id::Text26, Id::Combo16},
    {Id::Text27, Id::Combo17},
    {Id::Text28, Id::Combo18},
    {Id::Text14, Id::Combo24},
    {Id::Text15, Id::Combo23},
    {Id::Text16, Id::Combo12},
}};

struct WeaponType {
    std::string_view name;
    double weight;     // cargo pounds per unit
    double combatLoad; // supplies per unit
};

constexpr std::array<WeaponType, 13> kTypes{{
    {"SA-7 SAM", 30, 0},
    {"RPG-7", 15, 0},
    {"Bangalore Torpedo", 30, 0},
    {"Illumination Munition", 100, 0},
    {"Smoke Munition", 100, 0},
    {"Demo Charge", 70, 0},
    {"Claymore Mine", 6, 0},
    {"AT-3 Sagger ATGM", 25, 0},
    {"SA-8 Gecko SAM", 80, 0},
    {"FN 7.62mm MG", 22, 5},
    {"FFV Carl Gustav", 33, 8},
    {"M-90 60mm Mortar", 66, 8},
    {"M-69 82mm Mortar", 98, 16},
}};

} // namespace

void pickWeapon(Cells &window, Id list)
{
    const WeaponRow &row = rowOf(kRows, list);
    const WeaponType *t = findType(kTypes, window.text(row.list));
    const double weight = t ? t->weight : 0;
    const double load = t ? t->combatLoad : 0;

    Tentative cells(window);
    const double count = value(cells, row.count);
    const double carried = count * load;
    add(cells, Id::Label121, carried);
    const double needed = load * value(cells, Id::Label1) * count;
    add(cells, Id::Label75, needed);
    add(cells, Id::Label9, needed);
    add(cells, Id::Label65, carried);
    add(cells, Id::Label181, count * weight);
    cells.setText(Id::Label2, t ? numberText(weight) : std::string());

    // A unit goes aboard while its weight is not above the pounds left.
    const Walk pounds{Id::Label108, weight, value(cells, Id::Label2), kNoLimit};
    const Walk aboard{Id::Label4, -weight, kNoLimit, kNoLimit};
    if (runPasses(cells, count, pounds, aboard))
        cells.setText(Id::Label49, "2");

    write(cells, Id::Label110, squadsFromPounds(value(cells, Id::Label108)));
    if (!(value(cells, Id::Label49) > 0))
        return;
    cells.alert(kNotEnoughTransport, kTransportError);
    cells.takeBack();
    window.setText(row.count, "0");
}

} // namespace quarvel
