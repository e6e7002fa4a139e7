#include "cells/number.h"
#include "commands/reference.h"
#include "rows/mission.h"

#include <gtest/gtest.h>

namespace quarvel {
namespace {

// Each type's row reads its name and then every figure of one unit, as its
// family's table holds them.
template <class Type, std::size_t N, class... Figures>
void expectListed(const std::string &reference, const std::array<Type, N> &types, Figures... figures)
{
    for (const Type &type : types) {
        std::string row = "<tr><td>" + std::string(type.name) + "</td>";
        ((row += "<td>" + numberText(type.*figures) + "</td>"), ...);
        EXPECT_NE(reference.find(row + "</tr>"), std::string::npos) << row;
    }
}

TEST(Reference, ListsEveryTypeWithItsFigures)
{
    const std::string reference = typeReference();
    for (const Mission &mission : kMissions)
        EXPECT_NE(reference.find(std::string(mission.name) + "</td><td>" + std::string(mission.code) + "</td>"),
                  std::string::npos);
    expectListed(reference, kTruckTypes, &TruckType::cargo, &TruckType::squads, &TruckType::combatLoad,
                 &TruckType::towing, &TruckType::towed);
    expectListed(reference, kArmourTypes, &ArmourType::combatLoad, &ArmourType::sections, &ArmourType::towing);
    expectListed(reference, kSpecialistTypes, &SpecialistType::combatLoad, &SpecialistType::towing);
    expectListed(reference, kApcTypes, &ApcType::cargo, &ApcType::squads, &ApcType::combatLoad, &ApcType::towing);
    expectListed(reference, kInfantryTypes, &InfantryType::squads, &InfantryType::cargoLoad, &InfantryType::combatLoad,
                 &InfantryType::cargoCapacity);
    expectListed(reference, kWeaponTypes, &WeaponType::weight, &WeaponType::combatLoad);
    expectListed(reference, kTowedTypes, &TowedType::combatLoad, &TowedType::towing);
}

} // namespace
} // namespace quarvel
