#include "rows/trucks.h"

#include "rows/vehicles.h"

namespace quarvel {
namespace {

constexpr auto kUpdates = toArray<VehicleUpdate<TruckType>>({
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
});

} // namespace

bool pickTruck(Cells &cells, const Row &row)
{
    bookVehicles(cells, row, kTruckTypes, kUpdates);
    return true;
}

} // namespace quarvel
