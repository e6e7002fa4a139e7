#include "rows/rows.h"
#include "rows/vehicles.h"

// The specialist vehicles, under the window's heading "Vehicles": engineer,
// recovery, bridging, self-propelled artillery and air-defence vehicles.

namespace quarvel {
namespace {

enum { CombatLoad, Towing };

constexpr VehicleFamily<4, 14, 6> kSpecialist{
    {{
        {Id::Text12, Id::Combo25},
        {Id::Text18, Id::Combo28},
        {Id::Text19, Id::Combo29},
        {Id::Text50, Id::Combo43},
    }},
    // combat load, towing units
    {{
        {"Excavator", {2, 1}},
        {"M-50 Ontos", {7, 1}},
        {"M-44 155mm SP Gun", {38, 1}},
        {"M-125 SP Mortar", {11, 1}},
        {"M-816 Recovery Truck", {3, 1}},
        {"BAT-M Bulldozer", {2, 1}},
        {"M-88 ARV", {9, 1}},
        {"IMR Combat Engineer Vehicle", {8, 1}},
        {"RV-730 Recovery", {3, 1}},
        {"SPM-85 SP Mortar", {9, 1}},
        {"TMM SP Bridge", {4, 0}},
        {"M-820 Mobile Workshop", {3, 1}},
        {"ZRK Romb Launcher (SA-8)", {5, 0}},
        {"M53/39 30mm SP AA Arty", {12, 1}},
    }},
    // Here the combat load comes before the supply used.
    {{
        {Id::Label130, CombatLoad, false},
        {Id::Label121, CombatLoad, false},
        {Id::Label55, CombatLoad, true},
        {Id::Label75, CombatLoad, true},
        {Id::Label44, Towing, false},
        {Id::Label40, Towing, false},
    }},
};

} // namespace

void pickSpecialist(Cells &cells, Id list) { bookVehicles(cells, kSpecialist, list); }

} // namespace quarvel
