#include "rows/armour.h"

#include "rows/vehicles.h"

namespace quarvel {
namespace {

constexpr auto kUpdates = toArray<VehicleUpdate<ArmourType>>({
    {kSuppliesNeeded, &ArmourType::combatLoad, true},
    {kArmourSupplies, &ArmourType::combatLoad, true},
    {kSectionsOnArmour, &ArmourType::sections, false},
    {kArmourSections, &ArmourType::sections, false},
    {kCombatLoad, &ArmourType::combatLoad, false},
    {kArmourCombatLoad, &ArmourType::combatLoad, false},
    {kArmourTowing, &ArmourType::towing, false},
    {kTowingFree, &ArmourType::towing, false},
});

} // namespace

bool pickArmour(Cells &cells, const Row &row)
{
    bookVehicles(cells, row, kArmourTypes, kUpdates);
    return true;
}

} // namespace quarvel
