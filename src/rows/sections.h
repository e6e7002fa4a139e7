#pragma once

#include "cells/cells.h"
#include "cells/tables.h"
#include "rows/apcs.h"
#include "rows/armour.h"
#include "rows/infantry.h"
#include "rows/specialist.h"
#include "rows/towed.h"
#include "rows/trucks.h"
#include "rows/weapons.h"

#include <optional>
#include <string_view>

// The window's sections, each written once: its rows, the types its lists
// offer, its Clear button and its name as a screen reader says it. The event
// table, the mission gates, start-up, the Clears and the screen-reader names
// are all made from these tables: adding a row is one line of the design
// table and one line here, adding a type one line of its family's table.
// Each row names the handlers it raises.

namespace quarvel {

// What typing into a row's count box runs.
enum class Gate : unsigned char {
    None,      // nothing: the row is open from start-up
    OpensList, // the mission gate, which opens the row's list
    WarnsOnly, // the mission gate, for a row whose list is open throughout
};

struct Row {
    Id count, list;
    Gate gate = Gate::None;
    std::optional<Id> marching = std::nullopt;
};

// A row family's operation, run by a pick from one of its lists. Returns
// false when the pick is refused: the transport cannot take it, and nothing
// is booked.
using Pick = bool (*)(Cells &cells, const Row &row);

bool pickInfantry(Cells &cells, const Row &row);
bool pickWeapon(Cells &cells, const Row &row);
bool pickTowed(Cells &cells, const Row &row);
bool pickSupplies(Cells &cells, const Row &row);
bool pickTruck(Cells &cells, const Row &row);
bool pickApc(Cells &cells, const Row &row);
bool pickArmour(Cells &cells, const Row &row);
bool pickSpecialist(Cells &cells, const Row &row);

struct Section {
    std::string_view name;        // as a screen reader says it
    Id heading;                   // the label that heads it on the window
    Span<Row> rows;               // as they read on the window, numbered from 1
    Span<std::string_view> types; // what each of its lists offers
    Id clear;                     // the section's "Clear" button
    Pick pick;
};

// A list offers its family's types in their table's order, after the entry
// that picks none where it has one: "None", or the weapons' "none".
inline constexpr std::string_view kNoType = "None", kNoWeapon = "none";
constexpr bool picksNoType(std::string_view entry) { return entry == kNoType || entry == kNoWeapon; }

inline constexpr auto kTruckRows = toArray<Row>({
    {Id::Text10, Id::Combo33, Gate::OpensList}, // Text10_Change, Combo33_Click
    {Id::Text13, Id::Combo34, Gate::OpensList}, // Text13_Change, Combo34_Click
    {Id::Text30, Id::Combo35, Gate::OpensList}, // Text30_Change, Combo35_Click
    {Id::Text40, Id::Combo36, Gate::OpensList}, // Text40_Change, Combo36_Click
    {Id::Text44, Id::Combo37, Gate::OpensList}, // Text44_Change, Combo37_Click
});
inline constexpr auto kTruckCatalogue = namesOf(kNoType, kTruckTypes);

inline constexpr auto kArmourRows = toArray<Row>({
    {Id::Text20, Id::Combo30, Gate::OpensList}, // Text20_Change, Combo30_Click
    {Id::Text21, Id::Combo31, Gate::OpensList}, // Text21_Change, Combo31_Click
    {Id::Text22, Id::Combo32, Gate::OpensList}, // Text22_Change, Combo32_Click
    {Id::Text52, Id::Combo45, Gate::OpensList}, // Text52_Change, Combo45_Click
    {Id::Text53, Id::Combo46, Gate::OpensList}, // Text53_Change, Combo46_Click
});
inline constexpr auto kArmourCatalogue = namesOf(kNoType, kArmourTypes);

// Under the window's heading "Vehicles": engineer, recovery, bridging,
// self-propelled artillery and air-defence vehicles.
inline constexpr auto kSpecialistRows = toArray<Row>({
    {Id::Text12, Id::Combo25, Gate::WarnsOnly}, // Text12_Change, Combo25_Click
    {Id::Text18, Id::Combo28, Gate::OpensList}, // Text18_Change, Combo28_Click
    {Id::Text19, Id::Combo29, Gate::OpensList}, // Text19_Change, Combo29_Click
    {Id::Text50, Id::Combo43, Gate::OpensList}, // Text50_Change, Combo43_Click
});
inline constexpr auto kSpecialistCatalogue = namesOf(kNoType, kSpecialistTypes);

inline constexpr auto kApcRows = toArray<Row>({
    {Id::Text46, Id::Combo39, Gate::OpensList}, // Text46_Change, Combo39_Click
    {Id::Text47, Id::Combo40, Gate::OpensList}, // Text47_Change, Combo40_Click
    {Id::Text48, Id::Combo41, Gate::OpensList}, // Text48_Change, Combo41_Click
    {Id::Text49, Id::Combo42, Gate::OpensList}, // Text49_Change, Combo42_Click
});
inline constexpr auto kApcCatalogue = namesOf(kApcTypes);

// Left column top to bottom, then the right column; rows 7 to 9 are open
// from start-up.
inline constexpr auto kInfantryRows = toArray<Row>({
    {Id::Text4, Id::Combo1, Gate::OpensList, Id::Check1},  // Text4_Change, Combo1_Click
    {Id::Text5, Id::Combo3, Gate::OpensList, Id::Check6},  // Text5_Change, Combo3_Click
    {Id::Text6, Id::Combo4, Gate::OpensList, Id::Check11}, // Text6_Change, Combo4_Click
    {Id::Text7, Id::Combo5, Gate::OpensList, Id::Check12}, // Text7_Change, Combo5_Click
    {Id::Text8, Id::Combo6, Gate::OpensList, Id::Check13}, // Text8_Change, Combo6_Click
    {Id::Text9, Id::Combo7, Gate::OpensList, Id::Check14}, // Text9_Change, Combo7_Click
    {Id::Text11, Id::Combo11, Gate::None, Id::Check4},     // Combo11_Click
    {Id::Text3, Id::Combo10, Gate::None, Id::Check3},      // Combo10_Click
    {Id::Text2, Id::Combo9, Gate::None, Id::Check2},       // Combo9_Click
});
inline constexpr auto kInfantryCatalogue = namesOf(kNoType, kInfantryTypes);

// Left column top to bottom, then the right column.
inline constexpr auto kWeaponRows = toArray<Row>({
    {Id::Text23, Id::Combo13}, // Combo13_Click
    {Id::Text24, Id::Combo14}, // Combo14_Click
    {Id::Text25, Id::Combo15}, // Combo15_Click
    {Id::Text26, Id::Combo16}, // Combo16_Click
    {Id::Text27, Id::Combo17}, // Combo17_Click
    {Id::Text28, Id::Combo18}, // Combo18_Click
    {Id::Text14, Id::Combo24}, // Combo24_Click
    {Id::Text15, Id::Combo23}, // Combo23_Click
    {Id::Text16, Id::Combo12}, // Combo12_Click
});
inline constexpr auto kWeaponCatalogue = namesOf(kNoWeapon, kWeaponTypes);

inline constexpr auto kSupplyRows = toArray<Row>({
    {Id::Text29, Id::Combo8}, // Combo8_Click
});
inline constexpr auto kSupplyCatalogue = toArray<std::string_view>({"Combat Supplies"});

inline constexpr auto kTowedRows = toArray<Row>({
    {Id::Text32, Id::Combo19, Gate::OpensList}, // Text32_Change, Combo19_Click
    {Id::Text33, Id::Combo20, Gate::OpensList}, // Text33_Change, Combo20_Click
    {Id::Text34, Id::Combo21, Gate::OpensList}, // Text34_Change, Combo21_Click
    {Id::Text39, Id::Combo22, Gate::OpensList}, // Text39_Change, Combo22_Click
});
inline constexpr auto kTowedCatalogue = namesOf(kTowedTypes);

inline constexpr Section kTrucks{"Trucks", Id::Label134, kTruckRows, kTruckCatalogue, Id::Command11, pickTruck};
inline constexpr Section kArmour{"Armour", Id::Label48, kArmourRows, kArmourCatalogue, Id::Command19, pickArmour};
inline constexpr Section kSpecialist{"Specialist vehicles", Id::Label62,  kSpecialistRows,
                                     kSpecialistCatalogue,  Id::Command5, pickSpecialist};
inline constexpr Section kApcs{"APCs", Id::Label59, kApcRows, kApcCatalogue, Id::Command11, pickApc};
inline constexpr Section kInfantry{"Infantry",         Id::Label8,   kInfantryRows,
                                   kInfantryCatalogue, Id::Command2, pickInfantry};
inline constexpr Section kWeapons{"Weapons", Id::Label132, kWeaponRows, kWeaponCatalogue, Id::Command8, pickWeapon};
inline constexpr Section kSupplies{"Combat supplies", Id::Label64,  kSupplyRows,
                                   kSupplyCatalogue,  Id::Command8, pickSupplies};
inline constexpr Section kTowed{"Towed units", Id::Label14, kTowedRows, kTowedCatalogue, Id::Command16, pickTowed};

// In the order they read on the window. Sections that share a Clear button
// are cleared together.
inline constexpr auto kSections =
    toArray<const Section *>({&kTrucks, &kArmour, &kSpecialist, &kApcs, &kInfantry, &kWeapons, &kSupplies, &kTowed});

// Whether every row names controls of the kinds the design table gives them:
// an empty row, {Form1, Form1}, or a control out of place stops the build.
constexpr bool rowsMatchDesign()
{
    auto is = [](Id id, Kind kind) { return kDesign[index(id)].kind == kind; };
    for (const Section *section : kSections) {
        if (!is(section->clear, Kind::Button) || !is(section->heading, Kind::Label))
            return false;
        for (const Row &row : section->rows)
            if (!is(row.count, Kind::TextBox) || !is(row.list, Kind::List) ||
                (row.marching && !is(*row.marching, Kind::CheckBox)))
                return false;
    }
    return true;
}
static_assert(rowsMatchDesign(), "a row names a control of the wrong kind");

} // namespace quarvel
