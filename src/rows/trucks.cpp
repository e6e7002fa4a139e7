#include "rows/rows.h"
#include "rows/vehicles.h"

namespace quarvel {
namespace {

enum { Cargo, Squads, CombatLoad, Towing, Towed };

constexpr VehicleFamily<5, 7, 10> kTrucks{
    {{
        {Id::Text10, Id::Combo33},
        {Id::Text13, Id::Combo34},
        {Id::Text30, Id::Combo35},
        {Id::Text40, Id::Combo36},
        {Id::Text44, Id::Combo37},
    }},
    // cargo pounds, squads carried, combat load, towing units, towed units
    {{
        {"ZIL Medium Truck", {5000, 2, 4, 1, 0}},
        {"Ural-375 Heavy Truck", {7500, 3, 5, 1, 0}},
        {"Landrover", {1250, 0.5, 2, 1, 0}},
        {"Trailer", {700, 0, 0, 0, 1}},
        {"Mule Train", {1200, 0, 1, 0, 0}},
        {"7AP Haflinger", {1250, 0.5, 2, 1, 0}},
        {"Land Rover Ambulance", {0, 0, 5, 0, 0}},
    }},
    {{
        {Id::Label108, Cargo, false},
        {Id::Label110, Squads, false},
        {Id::Label75, CombatLoad, true},
        {Id::Label21, CombatLoad, true},
        {Id::Label18, CombatLoad, false},
        {Id::Label121, CombatLoad, false},
        {Id::Label40, Towing, false},
        {Id::Label25, Towing, false},
        {Id::Label33, Towed, false},
        {Id::Label22, Towed, false},
    }},
};

} // namespace

void pickTruck(Cells &cells, Id list) { bookVehicles(cells, kTrucks, list); }

} // namespace quarvel
