#include "rows/rows.h"
#include "rows/vehicles.h"

namespace quarvel {
namespace {

enum { CombatLoad, Sections, Towing };

constexpr VehicleFamily<5, 11, 8> kArmour{
    {{
        {Id::Text20, Id::Combo30},
        {Id::Text21, Id::Combo31},
        {Id::Text22, Id::Combo32},
        {Id::Text52, Id::Combo45},
        {Id::Text53, Id::Combo46},
    }},
    // combat load, infantry sections carried, towing units
    {{
        {"T-55 MBT", {15, 0.5, 1}},
        {"AMX-13 Lt Tank", {10, 0.5, 1}},
        {"TAM Medium Tank", {10, 0.5, 1}},
        {"PT-76 Lt Tank", {8, 0, 1}},
        {"Ferret Armoured Car", {3, 0, 1}},
        {"EBR-75 Armoured Car", {6, 0.5, 1}},
        {"EE-3 Jacaraca Armoured Car", {4, 0, 1}},
        {"Fiat 6616 Armoured Car", {4, 0, 1}},
        {"EE-9 Cascavel Armoured Car", {7, 0.5, 1}},
        {"BRDM-1 Armoured Car", {5, 0, 1}},
        {"ASU-57 Assault Gun", {6, 0, 1}},
    }},
    {{
        {Id::Label75, CombatLoad, true},
        {Id::Label77, CombatLoad, true},
        {Id::Label17, Sections, false},
        {Id::Label81, Sections, false},
        {Id::Label121, CombatLoad, false},
        {Id::Label80, CombatLoad, false},
        {Id::Label60, Towing, false},
        {Id::Label40, Towing, false},
    }},
};

} // namespace

void pickArmour(Cells &cells, Id list) { bookVehicles(cells, kArmour, list); }

} // namespace quarvel
