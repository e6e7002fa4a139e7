#include "rows/apcs.h"

#include "rows/vehicles.h"

namespace quarvel {
namespace {

constexpr auto kUpdates = toArray<VehicleUpdate<ApcType>>({
    {kPoundsFree, &ApcType::cargo, false},
    {kSquadsFree, &ApcType::squads, false},
    {kSuppliesNeeded, &ApcType::combatLoad, true},
    {kApcsSupplies, &ApcType::combatLoad, true},
    {kApcsCombatLoad, &ApcType::combatLoad, false},
    {kCombatLoad, &ApcType::combatLoad, false},
    {kTowingFree, &ApcType::towing, false},
    {kApcsTowing, &ApcType::towing, false},
});

} // namespace

bool pickApc(Cells &cells, const Row &row)
{
    bookVehicles(cells, row, kApcTypes, kUpdates);
    return true;
}

} // namespace quarvel
