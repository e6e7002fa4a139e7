#include "commands/reference.h"

#include "cells/number.h"
#include "rows/cellnames.h"
#include "rows/mission.h"
#include "rows/sections.h"

#include <array>

namespace quarvel {
namespace {

// A figure of a type table, under the caption its column reads.
template <class Type> struct Figure {
    const char *caption;
    double Type::*value;
};

std::string escaped(std::string_view text)
{
    std::string out;
    for (char c : text)
        out += c == '<' ? "&lt;" : c == '>' ? "&gt;" : c == '&' ? "&amp;" : std::string(1, c);
    return out;
}

template <class Type, std::size_t N, std::size_t F>
void table(std::string &html, const Section &section, const std::array<Type, N> &types,
           const std::array<Figure<Type>, F> &figures)
{
    html += "<h3>" + escaped(section.name) + "</h3>\n<table><tr><th align=left>Type</th>";
    for (const Figure<Type> &figure : figures)
        html += std::string("<th align=left>") + figure.caption + "</th>";
    html += "</tr>\n";
    for (const Type &type : types) {
        html += "<tr><td>" + escaped(type.name) + "</td>";
        for (const Figure<Type> &figure : figures)
            html += "<td>" + numberText(type.*figure.value) + "</td>";
        html += "</tr>\n";
    }
    html += "</table>\n";
}

} // namespace

std::string typeReference()
{
    std::string html =
        "<h3>Mission Type</h3>\n<table><tr><th align=left>Type</th><th align=left>mission code</th></tr>\n";
    for (const Mission &mission : kMissions)
        html += "<tr><td>" + escaped(mission.name) + "</td><td>" + std::string(mission.code) + "</td></tr>\n";
    html += "</table>\n";
    table(html, kTrucks, kTruckTypes,
          toArray<Figure<TruckType>>({{"pounds of cargo", &TruckType::cargo},
                                      {"squads", &TruckType::squads},
                                      {"combat load", &TruckType::combatLoad},
                                      {"towing", &TruckType::towing},
                                      {"towed units", &TruckType::towed}}));
    table(html, kArmour, kArmourTypes,
          toArray<Figure<ArmourType>>({{"combat load", &ArmourType::combatLoad},
                                       {"infantry sections", &ArmourType::sections},
                                       {"towing", &ArmourType::towing}}));
    table(html, kSpecialist, kSpecialistTypes,
          toArray<Figure<SpecialistType>>(
              {{"combat load", &SpecialistType::combatLoad}, {"towing", &SpecialistType::towing}}));
    table(html, kApcs, kApcTypes,
          toArray<Figure<ApcType>>({{"pounds of cargo", &ApcType::cargo},
                                    {"squads", &ApcType::squads},
                                    {"combat load", &ApcType::combatLoad},
                                    {"towing", &ApcType::towing}}));
    table(html, kInfantry, kInfantryTypes,
          toArray<Figure<InfantryType>>({{"squads of transport", &InfantryType::squads},
                                         {"pounds as cargo", &InfantryType::cargoLoad},
                                         {"combat load", &InfantryType::combatLoad},
                                         {"pounds of cargo it carries", &InfantryType::cargoCapacity}}));
    table(html, kWeapons, kWeaponTypes,
          toArray<Figure<WeaponType>>(
              {{"pounds as cargo", &WeaponType::weight}, {"combat load", &WeaponType::combatLoad}}));
    // The supplies have no table of their own: a unit is kSupplyPounds.
    struct SupplyType {
        std::string_view name;
        double pounds;
    };
    table(html, kSupplies, toArray<SupplyType>({{kSupplyCatalogue[0], kSupplyPounds}}),
          toArray<Figure<SupplyType>>({{"pounds as cargo", &SupplyType::pounds}}));
    table(html, kTowed, kTowedTypes,
          toArray<Figure<TowedType>>({{"combat load", &TowedType::combatLoad}, {"towing needed", &TowedType::towing}}));
    return html;
}

} // namespace quarvel
