#include "app/startup.h"

#include <array>
#include <initializer_list>
#include <string_view>

namespace quarvel {
namespace {

// The catalogues: the system's vocabulary. The row families recognise a type
// only by its exact text, so these stay exactly as written.
constexpr std::array<std::string_view, 7> kMissionTypes{
    "None", "Recon", "Probe", "Advance To Contact", "Artillery Barrage", "Deliberate Attack", "Raid"};

constexpr std::array<std::string_view, 13> kInfantry{"None",
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

constexpr std::array<std::string_view, 14> kWeapons{"none",
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

constexpr std::array<std::string_view, 7> kTowed{"ZPU-4 AAMG",         "Oerlikon 20 mm AAA",   "S-60 57mm AAA",
                                                 "ZU-23-2 AAA",        "OTO Malera 105mm PAK", "D-30 122mm Howitzer",
                                                 "L-6 Wombat 120mm RR"};

constexpr std::array<std::string_view, 8> kTowing{
    "None",    "ZIL Medium Truck", "Ural-375 Heavy Truck", "Landrover",
    "Trailer", "Mule Train",       "7AP Haflinger",        "Land Rover Ambulance"};

constexpr std::array<std::string_view, 6> kApcs{"OT-810 APC",  "EE-11 Urutu APC", "AMX-VCI APC",
                                                "Saracen APC", "BTR-152 APC",     "AMX-VCG Engineer Vehicle"};

constexpr std::array<std::string_view, 12> kArmour{"None",
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

constexpr std::array<std::string_view, 15> kSpecialist{"None",
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

constexpr std::array<std::string_view, 1> kSupplies{"Combat Supplies"};

constexpr std::array<std::string_view, 9> kAirSupport{"1", "2", "3", "4", "5", "6", "7", "8", "9"};

template <std::size_t N>
void fill(Cells &cells, std::initializer_list<Id> lists, const std::array<std::string_view, N> &catalogue)
{
    for (Id list : lists)
        for (std::string_view entry : catalogue)
            cells.addEntry(list, entry);
}

} // namespace

void Form_Load(Cells &cells, Id)
{
    for (Id list :
         {Id::Combo1,  Id::Combo3,  Id::Combo4,  Id::Combo5,  Id::Combo6,  Id::Combo7,  Id::Combo33, Id::Combo34,
          Id::Combo35, Id::Combo36, Id::Combo37, Id::Combo39, Id::Combo40, Id::Combo41, Id::Combo42, Id::Combo30,
          Id::Combo31, Id::Combo32, Id::Combo45, Id::Combo46, Id::Combo19, Id::Combo20, Id::Combo21, Id::Combo22})
        cells.setEnabled(list, false);

    fill(cells, {Id::Combo26}, kAirSupport);
    fill(cells, {Id::Combo8}, kSupplies);
    fill(cells, {Id::Combo43, Id::Combo25, Id::Combo28, Id::Combo29}, kSpecialist);
    fill(cells, {Id::Combo30, Id::Combo31, Id::Combo32, Id::Combo45, Id::Combo46}, kArmour);
    fill(cells, {Id::Combo39, Id::Combo40, Id::Combo41, Id::Combo42}, kApcs);
    fill(cells, {Id::Combo1}, kInfantry);
    fill(cells, {Id::Combo2}, kMissionTypes);
    fill(cells, {Id::Combo3, Id::Combo4, Id::Combo5, Id::Combo6, Id::Combo7, Id::Combo9, Id::Combo10, Id::Combo11},
         kInfantry);
    fill(cells,
         {Id::Combo13, Id::Combo14, Id::Combo15, Id::Combo16, Id::Combo17, Id::Combo18, Id::Combo24, Id::Combo23,
          Id::Combo12},
         kWeapons);
    fill(cells, {Id::Combo19, Id::Combo20, Id::Combo21, Id::Combo22}, kTowed);
    fill(cells, {Id::Combo33, Id::Combo34, Id::Combo35, Id::Combo36, Id::Combo37}, kTowing);
}

} // namespace quarvel
