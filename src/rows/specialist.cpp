#include "rows/specialist.h"

#include "rows/vehicles.h"

namespace quarvel {
namespace {

// Here the combat load comes before the supplies needed.
constexpr auto kUpdates = toArray<VehicleUpdate<SpecialistType>>({
    {kSpecialistCombatLoad, &SpecialistType::combatLoad, false},
    {kCombatLoad, &SpecialistType::combatLoad, false},
    {kSpecialistSupplies, &SpecialistType::combatLoad, true},
    {kSuppliesNeeded, &SpecialistType::combatLoad, true},
    {kSpecialistTowing, &SpecialistType::towing, false},
    {kTowingFree, &SpecialistType::towing, false},
});

} // namespace

bool pickSpecialist(Cells &cells, const Row &row)
{
    bookVehicles(cells, row, kSpecialistTypes, kUpdates);
    return true;
}

} // namespace quarvel
