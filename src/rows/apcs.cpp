#include "rows/vehicles.h"

namespace quarvel {
namespace {

struct ApcType {
    std::string_view name;
    double cargo;      // pounds carried
    double squads;     // squads carried
    double combatLoad; // supplies per vehicle
    double towing;     // guns it can tow
};

constexpr std::array<ApcType, 6> kTypes{{
    {"OT-810 APC", 2500, 1, 4, 1},
    {"EE-11 Urutu APC", 2500, 1, 4, 1},
    {"AMX-VCI APC", 2500, 1, 4, 1},
    {"Saracen APC", 2500, 1, 3, 1},
    {"BTR-152 APC", 5000, 2, 3, 1},
    {"AMX-VCG Engineer Vehicle", 2500, 1, 4, 1},
}};

constexpr std::array<VehicleUpdate<ApcType>, 8> kUpdates{{
    {kPoundsFree, &ApcType::cargo, false},
    {kSquadsFree, &ApcType::squads, false},
    {kSuppliesNeeded, &ApcType::combatLoad, true},
    {kApcsSupplies, &ApcType::combatLoad, true},
    {kApcsCombatLoad, &ApcType::combatLoad, false},
    {kCombatLoad, &ApcType::combatLoad, false},
    {kTowingFree, &ApcType::towing, false},
    {kApcsTowing, &ApcType::towing, false},
}};

} // namespace

void pickApc(Cells &cells, const Row &row) { bookVehicles(cells, row, kTypes, kUpdates); }

} // namespace quarvel
