#include "rows/vehicles.h"

namespace quarvel {
namespace {

struct SpecialistType {
    std::string_view name;
    double combatLoad; // supplies per vehicle
    double towing;     // guns it can tow
};

constexpr std::array<SpecialistType, 14> kTypes{{
    {"Excavator", 2, 1},
    {"M-50 Ontos", 7, 1},
    {"M-44 155mm SP Gun", 38, 1},
    {"M-125 SP Mortar", 11, 1},
    {"M-816 Recovery Truck", 3, 1},
    {"BAT-M Bulldozer", 2, 1},
    {"M-88 ARV", 9, 1},
    {"IMR Combat Engineer Vehicle", 8, 1},
    {"RV-730 Recovery", 3, 1},
    {"SPM-85 SP Mortar", 9, 1},
    {"TMM SP Bridge", 4, 0},
    {"M-820 Mobile Workshop", 3, 1},
    {"ZRK Romb Launcher (SA-8)", 5, 0},
    {"M53/39 30mm SP AA Arty", 12, 1},
}};

// Here the combat load comes before the supplies needed.
constexpr std::array<VehicleUpdate<SpecialistType>, 6> kUpdates{{
    {kSpecialistCombatLoad, &SpecialistType::combatLoad, false},
    {kCombatLoad, &SpecialistType::combatLoad, false},
    {kSpecialistSupplies, &SpecialistType::combatLoad, true},
    {kSuppliesNeeded, &SpecialistType::combatLoad, true},
    {kSpecialistTowing, &SpecialistType::towing, false},
    {kTowingFree, &SpecialistType::towing, false},
}};

} // namespace

void pickSpecialist(Cells &cells, const Row &row) { bookVehicles(cells, row, kTypes, kUpdates); }

} // namespace quarvel
