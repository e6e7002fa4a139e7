#include "rows/vehicles.h"

namespace quarvel {
namespace {

struct TruckType {
    std::string_view name;
    double cargo;      // pounds carried
    double squads;     // squads carried
    double combatLoad; // supplies per vehicle
    double towing;     // guns it can tow
    double towed;      // towed units it counts as itself
};

constexpr std::array<TruckType, 7> kTypes{{
    {"ZIL Medium Truck", 5000, 2, 4, 1, 0},
    {"Ural-375 Heavy Truck", 7500, 3, 5, 1, 0},
    {"Landrover", 1250, 0.5, 2, 1, 0},
    {"Trailer", 700, 0, 0, 0, 1},
    {"Mule Train", 1200, 0, 1, 0, 0},
    {"7AP Haflinger", 1250, 0.5, 2, 1, 0},
    {"Land Rover Ambulance", 0, 0, 5, 0, 0},
}};

constexpr std::array<VehicleUpdate<TruckType>, 10> kUpdates{{
    {kPoundsFree, &TruckType::cargo, false},
    {kSquadsFree, &TruckType::squads, false},
    {kSuppliesNeeded, &TruckType::combatLoad, true},
    {kTrucksSupplies, &TruckType::combatLoad, true},
    {kTrucksCombatLoad, &TruckType::combatLoad, false},
    {kCombatLoad, &TruckType::combatLoad, false},
    {kTowingFree, &TruckType::towing, false},
    {kTrucksTowing, &TruckType::towing, false},
    {kTowedUnits, &TruckType::towed, false},
    {kTrucksTowed, &TruckType::towed, false},
}};

} // namespace

void pickTruck(Cells &cells, const Row &row) { bookVehicles(cells, row, kTypes, kUpdates); }

} // namespace quarvel
