#include "rows/vehicles.h"

namespace quarvel {
namespace {

struct ArmourType {
    std::string_view name;
    double combatLoad; // supplies per vehicle
    double sections;   // infantry sections it carries
    double towing;     // guns it can tow
};

constexpr std::array<ArmourType, 11> kTypes{{
    {"T-55 MBT", 15, 0.5, 1},
    {"AMX-13 Lt Tank", 10, 0.5, 1},
    {"TAM Medium Tank", 10, 0.5, 1},
    {"PT-76 Lt Tank", 8, 0, 1},
    {"Ferret Armoured Car", 3, 0, 1},
    {"EBR-75 Armoured Car", 6, 0.5, 1},
    {"EE-3 Jacaraca Armoured Car", 4, 0, 1},
    {"Fiat 6616 Armoured Car", 4, 0, 1},
    {"EE-9 Cascavel Armoured Car", 7, 0.5, 1},
    {"BRDM-1 Armoured Car", 5, 0, 1},
    {"ASU-57 Assault Gun", 6, 0, 1},
}};

constexpr std::array<VehicleUpdate<ArmourType>, 8> kUpdates{{
    {kSuppliesNeeded, &ArmourType::combatLoad, true},
    {kArmourSupplies, &ArmourType::combatLoad, true},
    {kSectionsOnArmour, &ArmourType::sections, false},
    {kArmourSections, &ArmourType::sections, false},
    {kCombatLoad, &ArmourType::combatLoad, false},
    {kArmourCombatLoad, &ArmourType::combatLoad, false},
    {kArmourTowing, &ArmourType::towing, false},
    {kTowingFree, &ArmourType::towing, false},
}};

} // namespace

void pickArmour(Cells &cells, const Row &row) { bookVehicles(cells, row, kTypes, kUpdates); }

} // namespace quarvel
