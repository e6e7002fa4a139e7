#include "commands/clear.h"

#include "rows/rows.h"

#include <initializer_list>

namespace quarvel {
namespace {

// Writes " " into the count boxes of the section's rows, in row order: a
// count box's gate runs when its text changes.
void blankCounts(Cells &cells, const Section &section)
{
    for (const Row &row : section.rows)
        cells.setText(row.count, " ");
}

// Writes " " into the section's lists: a list-only list cannot show it and
// shows no entry. Its rows forget what they booked.
void blankLists(Cells &cells, const Section &section)
{
    for (const Row &row : section.rows) {
        cells.setText(row.list, " ");
        cells.setTag(row.list, "");
    }
}

void blank(Cells &cells, std::initializer_list<Id> ids)
{
    for (Id id : ids)
        cells.setText(id, " ");
}

void zero(Cells &cells, std::initializer_list<Id> ids)
{
    for (Id id : ids)
        cells.setText(id, "0");
}

// The section's share leaves the total, and its share cell is blanked.
void removeShare(Cells &cells, Id total, Id share)
{
    subtract(cells, total, value(cells, share));
    cells.setText(share, " ");
}

} // namespace

void Command2_Click(Cells &cells)
{
    blankCounts(cells, kInfantry);
    blankLists(cells, kInfantry);
    for (const Row &row : kInfantry.rows)
        cells.untick(*row.marching);
    add(cells, kSquadsFree, value(cells, kSquadsAboard));
    add(cells, kPoundsFree, value(cells, kSquadsAboard) * kSquadPounds);
    subtract(cells, kPoundsFree, value(cells, kInfantryCapacity));
    subtract(cells, kSuppliesNeeded, value(cells, kInfantrySupplies));
    subtract(cells, kCombatLoad, value(cells, kInfantryCombatLoad));
    zero(cells, {kInfantryCapacity, kInfantrySupplies, kInfantryCombatLoad, kInfantrySquads, kInfantryCargoLoad,
                 kSquadsAboard});
}

void Command8_Click(Cells &cells)
{
    blankCounts(cells, kWeapons);
    blankCounts(cells, kSupplies);
    blankLists(cells, kWeapons);
    blankLists(cells, kSupplies);
    subtract(cells, kCombatLoad, value(cells, kWeaponsCombatLoad));
    subtract(cells, kSuppliesNeeded, value(cells, kWeaponsSupplies));
    add(cells, kPoundsFree, value(cells, kWeaponsAboard));
    add(cells, kPoundsFree, value(cells, kSuppliesAboard));
    zero(cells, {kWeaponsSupplies, kWeaponsCombatLoad, kWeaponsCargoLoad, kSuppliesAboard, kSupplyWeight,
                 kWeaponsAboard, kLastWeaponWeight});
    blank(cells, {kShortageFlag});
    write(cells, kSquadsFree, squadsFromPounds(value(cells, kPoundsFree)));
}

// The trucks and APCs share one button. It zeroes the whole cargo and squad
// capacity rather than taking out their share, and with it everything that
// records what rides: the weight the weapons and the supplies put aboard, the
// squads aboard, the infantry's cargo load and the pounds it carries itself.
void Command11_Click(Cells &cells)
{
    blankCounts(cells, kApcs);
    blankLists(cells, kApcs);
    subtract(cells, kTowingFree, value(cells, kApcsTowing));
    subtract(cells, kCombatLoad, value(cells, kApcsCombatLoad));
    subtract(cells, kSuppliesNeeded, value(cells, kApcsSupplies));
    blank(cells, {kApcsSupplies, kApcsCombatLoad, kApcsTowing});
    blankCounts(cells, kTrucks);
    blankLists(cells, kTrucks);
    zero(cells, {kWeaponsAboard, kInfantryCargoLoad, kPoundsFree, kSquadsFree});
    // Nothing rides once the vehicles are gone: the infantry and weapons
    // Clears must not give back room that no vehicle provides any more.
    zero(cells, {kSquadsAboard, kInfantryCapacity, kSuppliesAboard});
    removeShare(cells, kCombatLoad, kTrucksCombatLoad);
    removeShare(cells, kSuppliesNeeded, kTrucksSupplies);
    removeShare(cells, kTowedUnits, kTrucksTowed);
    removeShare(cells, kTowingFree, kTrucksTowing);
}

void Command16_Click(Cells &cells)
{
    blankCounts(cells, kTowed);
    blankLists(cells, kTowed);
    add(cells, kTowingFree, value(cells, kTowedTowing)); // the towing the guns used comes back
    subtract(cells, kSuppliesNeeded, value(cells, kTowedSupplies));
    subtract(cells, kCombatLoad, value(cells, kTowedCombatLoad));
    subtract(cells, kTowedUnits, value(cells, kTowedTowing));
    zero(cells, {kTowedSupplies, kTowedCombatLoad, kTowedTowing});
}

void Command19_Click(Cells &cells)
{
    blankCounts(cells, kArmour);
    blankLists(cells, kArmour);
    subtract(cells, kSuppliesNeeded, value(cells, kArmourSupplies));
    subtract(cells, kCombatLoad, value(cells, kArmourCombatLoad));
    subtract(cells, kSectionsOnArmour, value(cells, kArmourSections));
    subtract(cells, kTowingFree, value(cells, kArmourTowing));
    blank(cells, {kArmourSupplies, kArmourCombatLoad, kArmourSections, kArmourTowing});
}

// Clears the specialist vehicles the way the armour's button clears the
// armour, so that their rows can be taken back as well.
void Command5_Click(Cells &cells)
{
    blankCounts(cells, kSpecialist);
    blankLists(cells, kSpecialist);
    subtract(cells, kCombatLoad, value(cells, kSpecialistCombatLoad));
    subtract(cells, kSuppliesNeeded, value(cells, kSpecialistSupplies));
    subtract(cells, kTowingFree, value(cells, kSpecialistTowing));
    blank(cells, {kSpecialistCombatLoad, kSpecialistSupplies, kSpecialistTowing});
}

} // namespace quarvel
