#pragma once

#include "cells/controlid.h"
#include "cells/tables.h"

// The cells that carry the system's figures, by what they hold. Each keeps
// the control's own name beside it, so that either can be looked up.

namespace quarvel {

// Pounds in a supply unit and in a squad.
inline constexpr double kSupplyPounds = 100;
inline constexpr double kSquadPounds = 2500;

// The mission code of the mission type: 0 until one is chosen, then 1 to 3.
inline constexpr Id kMissionCode = Id::Label1;

// The summary: "You can Carry N Squad/s OR N Pounds of Cargo", "You can Tow
// N Weapons from the "Towed" Section", "You Will Need N Combat Supplies for
// the Mission", "Of Those, N Supplies can be carried as the Combat Load".
inline constexpr Id kSquadsFree = Id::Label110;
inline constexpr Id kPoundsFree = Id::Label108;
inline constexpr Id kTowingFree = Id::Label40;
inline constexpr Id kSuppliesNeeded = Id::Label75;
inline constexpr Id kCombatLoad = Id::Label121;
// Each sentence's labels as they read, its numbers among them.
inline constexpr auto kCarrySentence =
    toArray<Id>({Id::Label109, kSquadsFree, Id::Label68, Id::Label107, kPoundsFree, Id::Label70});
inline constexpr auto kTowSentence = toArray<Id>({Id::Label39, kTowingFree, Id::Label106});
inline constexpr auto kNeedSentence = toArray<Id>({Id::Label74, kSuppliesNeeded, Id::Label111});
inline constexpr auto kLoadSentence = toArray<Id>({Id::Label112, kCombatLoad, Id::Label93});
inline constexpr Span<Id> kSummarySentences[] = {kCarrySentence, kTowSentence, kNeedSentence, kLoadSentence};

// Further totals of the whole force.
inline constexpr Id kTowedUnits = Id::Label33;
inline constexpr Id kSectionsOnArmour = Id::Label17;

// Raised above 0 while a pick runs out of cargo room; a pick that ends with
// it raised is refused.
inline constexpr Id kShortageFlag = Id::Label49;

// Each section's share of the totals, which its Clear takes back out.
inline constexpr Id kInfantryCombatLoad = Id::Label43;
inline constexpr Id kInfantrySupplies = Id::Label42;
inline constexpr Id kInfantryCapacity = Id::Label51; // pounds the infantry carries itself
inline constexpr Id kInfantrySquads = Id::Label57;
inline constexpr Id kInfantryCargoLoad = Id::Label6; // pounds the infantry weighs as cargo
inline constexpr Id kSquadsAboard = Id::Text1;       // squads of infantry riding the transport

inline constexpr Id kWeaponsCombatLoad = Id::Label65;
inline constexpr Id kWeaponsSupplies = Id::Label9;
inline constexpr Id kWeaponsCargoLoad = Id::Label181;
inline constexpr Id kLastWeaponWeight = Id::Label2; // pounds of one unit of the type picked last
inline constexpr Id kWeaponsAboard = Id::Label4;    // pounds the weapons put aboard

inline constexpr Id kSupplyWeight = Id::Label66;    // pounds of all supplies booked
inline constexpr Id kSuppliesAboard = Id::Label113; // pounds of them riding as cargo

inline constexpr Id kTowedCombatLoad = Id::Label171;
inline constexpr Id kTowedSupplies = Id::Label170;
inline constexpr Id kTowedTowing = Id::Label13; // towing the guns take

inline constexpr Id kTrucksCombatLoad = Id::Label18;
inline constexpr Id kTrucksSupplies = Id::Label21;
inline constexpr Id kTrucksTowed = Id::Label22;
inline constexpr Id kTrucksTowing = Id::Label25;

inline constexpr Id kApcsCombatLoad = Id::Label34;
inline constexpr Id kApcsSupplies = Id::Label50;
inline constexpr Id kApcsTowing = Id::Label46;

inline constexpr Id kArmourCombatLoad = Id::Label80;
inline constexpr Id kArmourSupplies = Id::Label77;
inline constexpr Id kArmourSections = Id::Label81;
inline constexpr Id kArmourTowing = Id::Label60;

inline constexpr Id kSpecialistCombatLoad = Id::Label130;
inline constexpr Id kSpecialistSupplies = Id::Label55;
inline constexpr Id kSpecialistTowing = Id::Label44;

} // namespace quarvel
