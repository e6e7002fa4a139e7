#include "rows/rows.h"
#include "rows/vehicles.h"

namespace quarvel {
namespace {

enum { Cargo, Squads, CombatLoad, Towing };

constexpr VehicleFamily<4, 6, 8> kApcs{
    {{
        {Id::Text46, Id::Combo39},
        {Id::Text47, Id::Combo40},
        {Id::Text48, Id::Combo41},
        {Id::Text49, Id::Combo42},
    }},
    // cargo pounds, squads carried, combat load, towing units
    {{
        {"OT-810 APC", {2500, 1, 4, 1}},
        {"EE-11 Urutu APC", {2500, 1, 4, 1}},
        {"AMX-VCI APC", {2500, 1, 4, 1}},
        {"Saracen APC", {2500, 1, 3, 1}},
        {"BTR-152 APC", {5000, 2, 3, 1}},
        {"AMX-VCG Engineer Vehicle", {2500, 1, 4, 1}},
    }},
    {{
        {Id::Label108, Cargo, false},
        {Id::Label110, Squads, false},
        {Id::Label75, CombatLoad, true},
        {Id::Label50, CombatLoad, true},
        {Id::Label34, CombatLoad, false},
        {Id::Label121, CombatLoad, false},
        {Id::Label40, Towing, false},
        {Id::Label46, Towing, false},
    }},
};

} // namespace

void pickApc(Cells &cells, Id list) { bookVehicles(cells, kApcs, list); }

} // namespace quarvel
