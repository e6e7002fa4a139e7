#pragma once

#include "cells/cells.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

// The window's sections, each written once: its rows, the types its lists
// offer, its Clear button and its name as a screen reader says it. The event
// table, the mission gates, start-up, the Clears and the screen-reader names
// are all made from these tables: adding a row is one line of the design
// table and one line here. Each row names the handlers it raises.

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

// A view of a constant table of any length.
template <class T> class Span {
public:
    template <std::size_t N> constexpr Span(const std::array<T, N> &a) : first_(a.data()), size_(N) {}
    constexpr const T *begin() const { return first_; }
    constexpr const T *end() const { return first_ + size_; }
    constexpr std::size_t size() const { return size_; }
    constexpr const T &operator[](std::size_t i) const { return first_[i]; }

private:
    const T *first_;
    std::size_t size_;
};

// A row family's operation, run by a pick from one of its lists.
using Pick = void (*)(Cells &cells, const Row &row);

void pickInfantry(Cells &cells, const Row &row);
void pickWeapon(Cells &cells, const Row &row);
void pickTowed(Cells &cells, const Row &row);
void pickSupplies(Cells &cells, const Row &row);
void pickTruck(Cells &cells, const Row &row);
void pickApc(Cells &cells, const Row &row);
void pickArmour(Cells &cells, const Row &row);
void pickSpecialist(Cells &cells, const Row &row);

struct Section {
    std::string_view name; // as a screen reader says it
    Span<Row> rows;        // as they read on the window, numbered from 1
    Span<std::string_view> types;
    Id clear; // the section's "Clear" button
    Pick pick;
};

// The catalogues are the system's vocabulary: the row families recognise a
// type only by its exact text, so these stay exactly as written.

inline constexpr std::array<Row, 5> kTruckRows{{
    {Id::Text10, Id::Combo33, Gate::OpensList}, // Text10_Change, Combo33_Click
    {Id::Text13, Id::Combo34, Gate::OpensList}, // Text13_Change, Combo34_Click
    {Id::Text30, Id::Combo35, Gate::OpensList}, // Text30_Change, Combo35_Click
    {Id::Text40, Id::Combo36, Gate::OpensList}, // Text40_Change, Combo36_Click
    {Id::Text44, Id::Combo37, Gate::OpensList}, // Text44_Change, Combo37_Click
}};
inline constexpr std::array<std::string_view, 8> kTruckTypes{
    "None",    "ZIL Medium Truck", "Ural-375 Heavy Truck", "Landrover",
    "Trailer", "Mule Train",       "7AP Haflinger",        "Land Rover Ambulance"};

inline constexpr std::array<Row, 5> kArmourRows{{
    {Id::Text20, Id::Combo30, Gate::OpensList}, // Text20_Change, Combo30_Click
    {Id::Text21, Id::Combo31, Gate::OpensList}, // Text21_Change, Combo31_Click
    {Id::Text22, Id::Combo32, Gate::OpensList}, // Text22_Change, Combo32_Click
    {Id::Text52, Id::Combo45, Gate::OpensList}, // Text52_Change, Combo45_Click
    {Id::Text53, Id::Combo46, Gate::OpensList}, // Text53_Change, Combo46_Click
}};
inline constexpr std::array<std::string_view, 12> kArmourTypes{"None",
                                                               "T-55 MBT",
                                                               "AMX-13 Lt Tank",
                                                               "TAM Medium Tank",
                                                               "PT-76 Lt Tank",
                                                               "Ferret Armoured Car",
                                                               "EBR-75 Armoured Car",
                                                               "EE-3 Jacaraca Armoured Car",
                                                               "Fiat 6616 Armoured Car",
                                                               "EE-9 Cascavel Armoured Car",
                                                               "BRDM-1 Armoured Car",
                                                               "ASU-57 Assault Gun"};

// Under the window's heading "Vehicles": engineer, recovery, bridging,
// self-propelled artillery and air-defence vehicles.
inline constexpr std::array<Row, 4> kSpecialistRows{{
    {Id::Text12, Id::Combo25, Gate::WarnsOnly}, // Text12_Change, Combo25_Click
    {Id::Text18, Id::Combo28, Gate::OpensList}, // Text18_Change, Combo28_Click
    {Id::Text19, Id::Combo29, Gate::OpensList}, // Text19_Change, Combo29_Click
    {Id::Text50, Id::Combo43, Gate::OpensList}, // Text50_Change, Combo43_Click
}};
inline constexpr std::array<std::string_view, 15> kSpecialistTypes{"None",
                                                                   "Excavator",
                                                                   "M-50 Ontos",
                                                                   "M-44 155mm SP Gun",
                                                                   "M-125 SP Mortar",
                                                                   "M-816 Recovery Truck",
                                                                   "BAT-M Bulldozer",
                                                                   "M-88 ARV",
                                                                   "IMR Combat Engineer Vehicle",
                                                                   "RV-730 Recovery",
                                                                   "SPM-85 SP Mortar",
                                                                   "TMM SP Bridge",
                                                                   "M-820 Mobile Workshop",
                                                                   "ZRK Romb Launcher (SA-8)",
                                                                   "M53/39 30mm SP AA Arty"};

inline constexpr std::array<Row, 4> kApcRows{{
    {Id::Text46, Id::Combo39, Gate::OpensList}, // Text46_Change, Combo39_Click
    {Id::Text47, Id::Combo40, Gate::OpensList}, // Text47_Change, Combo40_Click
    {Id::Text48, Id::Combo41, Gate::OpensList}, // Text48_Change, Combo41_Click
    {Id::Text49, Id::Combo42, Gate::OpensList}, // Text49_Change, Combo42_Click
}};
inline constexpr std::array<std::string_view, 6> kApcTypes{
    "OT-810 APC", "EE-11 Urutu APC", "AMX-VCI APC", "Saracen APC", "BTR-152 APC", "AMX-VCG Engineer Vehicle"};

// Left column top to bottom, then the right column; rows 7 to 9 are open
// from start-up.
inline constexpr std::array<Row, 9> kInfantryRows{{
    {Id::Text4, Id::Combo1, Gate::OpensList, Id::Check1},  // Text4_Change, Combo1_Click
    {Id::Text5, Id::Combo3, Gate::OpensList, Id::Check6},  // Text5_Change, Combo3_Click
    {Id::Text6, Id::Combo4, Gate::OpensList, Id::Check11}, // Text6_Change, Combo4_Click
    {Id::Text7, Id::Combo5, Gate::OpensList, Id::Check12}, // Text7_Change, Combo5_Click
    {Id::Text8, Id::Combo6, Gate::OpensList, Id::Check13}, // Text8_Change, Combo6_Click
    {Id::Text9, Id::Combo7, Gate::OpensList, Id::Check14}, // Text9_Change, Combo7_Click
    {Id::Text11, Id::Combo11, Gate::None, Id::Check4},     // Combo11_Click
    {Id::Text3, Id::Combo10, Gate::None, Id::Check3},      // Combo10_Click
    {Id::Text2, Id::Combo9, Gate::None, Id::Check2},       // Combo9_Click
}};
inline constexpr std::array<std::string_view, 13> kInfantryTypes{"None",
                                                                 "Militia Infantry Squad",
                                                                 "Regular Infantry Squad",
                                                                 "Commando Squad",
                                                                 "Combat Engineer Squad",
                                                                 "Commander",
                                                                 "Officer",
                                                                 "Field CP Section",
                                                                 "TAC HQ Section",
                                                                 "Pioneer Section",
                                                                 "Medic Section",
                                                                 "Replacement Section",
                                                                 "Mechanic Section"};

// Left column top to bottom, then the right column.
inline constexpr std::array<Row, 9> kWeaponRows{{
    {Id::Text23, Id::Combo13}, // Combo13_Click
    {Id::Text24, Id::Combo14}, // Combo14_Click
    {Id::Text25, Id::Combo15}, // Combo15_Click
    {Id::Text26, Id::Combo16}, // Combo16_Click
    {Id::Text27, Id::Combo17}, // Combo17_Click
    {Id::Text28, Id::Combo18}, // Combo18_Click
    {Id::Text14, Id::Combo24}, // Combo24_Click
    {Id::Text15, Id::Combo23}, // Combo23_Click
    {Id::Text16, Id::Combo12}, // Combo12_Click
}};
inline constexpr std::array<std::string_view, 14> kWeaponTypes{"none",
                                                               "SA-7 SAM",
                                                               "RPG-7",
                                                               "Bangalore Torpedo",
                                                               "Illumination Munition",
                                                               "Smoke Munition",
                                                               "Demo Charge",
                                                               "Claymore Mine",
                                                               "AT-3 Sagger ATGM",
                                                               "SA-8 Gecko SAM",
                                                               "FN 7.62mm MG",
                                                               "FFV Carl Gustav",
                                                               "M-90 60mm Mortar",
                                                               "M-69 82mm Mortar"};

inline constexpr std::array<Row, 1> kSupplyRows{{
    {Id::Text29, Id::Combo8}, // Combo8_Click
}};
inline constexpr std::array<std::string_view, 1> kSupplyTypes{"Combat Supplies"};

inline constexpr std::array<Row, 4> kTowedRows{{
    {Id::Text32, Id::Combo19, Gate::OpensList}, // Text32_Change, Combo19_Click
    {Id::Text33, Id::Combo20, Gate::OpensList}, // Text33_Change, Combo20_Click
    {Id::Text34, Id::Combo21, Gate::OpensList}, // Text34_Change, Combo21_Click
    {Id::Text39, Id::Combo22, Gate::OpensList}, // Text39_Change, Combo22_Click
}};
inline constexpr std::array<std::string_view, 7> kTowedTypes{
    "ZPU-4 AAMG",           "Oerlikon 20 mm AAA",  "S-60 57mm AAA",      "ZU-23-2 AAA",
    "OTO Malera 105mm PAK", "D-30 122mm Howitzer", "L-6 Wombat 120mm RR"};

inline constexpr Section kTrucks{"Trucks", kTruckRows, kTruckTypes, Id::Command11, pickTruck};
inline constexpr Section kArmour{"Armour", kArmourRows, kArmourTypes, Id::Command19, pickArmour};
inline constexpr Section kSpecialist{"Specialist vehicles", kSpecialistRows, kSpecialistTypes, Id::Command5,
                                     pickSpecialist};
inline constexpr Section kApcs{"APCs", kApcRows, kApcTypes, Id::Command11, pickApc};
inline constexpr Section kInfantry{"Infantry", kInfantryRows, kInfantryTypes, Id::Command2, pickInfantry};
inline constexpr Section kWeapons{"Weapons", kWeaponRows, kWeaponTypes, Id::Command8, pickWeapon};
inline constexpr Section kSupplies{"Combat supplies", kSupplyRows, kSupplyTypes, Id::Command8, pickSupplies};
inline constexpr Section kTowed{"Towed units", kTowedRows, kTowedTypes, Id::Command16, pickTowed};

// In the order they read on the window. Sections that share a Clear button
// are cleared together.
inline constexpr std::array<const Section *, 8> kSections{&kTrucks,   &kArmour,  &kSpecialist, &kApcs,
                                                          &kInfantry, &kWeapons, &kSupplies,   &kTowed};

// Where a control stands among the sections' rows.
struct Place {
    const Section *section = nullptr; // null: in no row
    const Row *row = nullptr;
};

} // namespace quarvel
