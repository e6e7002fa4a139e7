#include "commands/explain.h"

#include "rows/rows.h"

#include <algorithm>
#include <cmath>

namespace quarvel {
namespace {

// A section's amount in a summary number, read from the cells.
using Amount = double (*)(const Cells &cells);

struct Share {
    Id figure;
    const Section *section;
    Amount amount;
};

template <Id cell> double added(const Cells &cells) { return value(cells, cell); }
template <Id cell> double taken(const Cells &cells) { return -value(cells, cell); }

// What the section's rows show booked: each row's count times a figure of the
// type its list shows, the type found as a pick finds it.
template <class Table, class Type>
double booked(const Cells &cells, const Section &section, const Table &types, double Type::*figure)
{
    double sum = 0;
    for (const Row &row : section.rows)
        if (const Type *type = findType(types, cells.text(row.list)))
            sum += value(cells, row.count) * (type->*figure);
    return sum;
}

// What each section adds to each summary number or takes from it. The
// infantry gives the transport the pounds it carries itself and takes 2500
// pounds for each squad aboard, as its Clear gives them back; the weapons
// and the supplies take the weight they put aboard.
constexpr Share kShares[] = {
    {kSquadsFree, &kTrucks, [](const Cells &c) { return booked(c, kTrucks, kTruckTypes, &TruckType::squads); }},
    {kSquadsFree, &kApcs, [](const Cells &c) { return booked(c, kApcs, kApcTypes, &ApcType::squads); }},
    {kSquadsFree, &kInfantry, taken<kSquadsAboard>},

    {kPoundsFree, &kTrucks, [](const Cells &c) { return booked(c, kTrucks, kTruckTypes, &TruckType::cargo); }},
    {kPoundsFree, &kApcs, [](const Cells &c) { return booked(c, kApcs, kApcTypes, &ApcType::cargo); }},
    {kPoundsFree, &kInfantry,
     [](const Cells &c) { return value(c, kInfantryCapacity) - value(c, kSquadsAboard) * kSquadPounds; }},
    {kPoundsFree, &kWeapons, taken<kWeaponsAboard>},
    {kPoundsFree, &kSupplies, taken<kSuppliesAboard>},

    {kTowingFree, &kTrucks, added<kTrucksTowing>},
    {kTowingFree, &kArmour, added<kArmourTowing>},
    {kTowingFree, &kSpecialist, added<kSpecialistTowing>},
    {kTowingFree, &kApcs, added<kApcsTowing>},
    {kTowingFree, &kTowed, taken<kTowedTowing>},

    {kSuppliesNeeded, &kTrucks, added<kTrucksSupplies>},
    {kSuppliesNeeded, &kArmour, added<kArmourSupplies>},
    {kSuppliesNeeded, &kSpecialist, added<kSpecialistSupplies>},
    {kSuppliesNeeded, &kApcs, added<kApcsSupplies>},
    {kSuppliesNeeded, &kInfantry, added<kInfantrySupplies>},
    {kSuppliesNeeded, &kWeapons, added<kWeaponsSupplies>},
    {kSuppliesNeeded, &kTowed, added<kTowedSupplies>},

    {kCombatLoad, &kTrucks, added<kTrucksCombatLoad>},
    {kCombatLoad, &kArmour, added<kArmourCombatLoad>},
    {kCombatLoad, &kSpecialist, added<kSpecialistCombatLoad>},
    {kCombatLoad, &kApcs, added<kApcsCombatLoad>},
    {kCombatLoad, &kInfantry, added<kInfantryCombatLoad>},
    {kCombatLoad, &kWeapons, added<kWeaponsCombatLoad>},
    {kCombatLoad, &kTowed, added<kTowedCombatLoad>},
};

std::string signedText(double amount) { return (amount > 0 ? "+" : "") + numberText(amount); }

} // namespace

Explanation explanationOf(const Cells &cells, Id figure)
{
    Explanation explanation{{}, cells.text(figure)};
    double sum = 0, size = 0;
    for (const Section *section : kSections)
        for (const Share &share : kShares)
            if (share.figure == figure && share.section == section) {
                const double amount = share.amount(cells);
                sum += amount;
                size += std::abs(amount);
                if (amount != 0)
                    explanation.parts.push_back({std::string(design(section->heading).text), amount});
            }
    // Each cell is written to 15 significant digits: what is left below that
    // is rounding, not a part.
    const double total = value(cells, figure);
    const double rest = total - sum;
    if (!std::isfinite(rest) || std::abs(rest) <= 1e-12 * std::max({1.0, std::abs(total), size}))
        return explanation;
    const bool recounted = figure == kSquadsFree && total == squadsFromPounds(value(cells, kPoundsFree));
    explanation.parts.push_back({recounted ? kRecounted : kEarlier, rest});
    return explanation;
}

std::string explanationText(const Cells &cells, Id figure)
{
    const Explanation explanation = explanationOf(cells, figure);
    std::string text;
    for (const Explanation::Part &part : explanation.parts)
        text += part.heading + ": " + signedText(part.amount) + "\n";
    return text + "Total: " + explanation.total;
}

} // namespace quarvel
