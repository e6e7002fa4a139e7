#include "rows/mission.h"

#include <array>
#include <optional>

namespace quarvel {
namespace {

struct Mission {
    std::string_view name;
    std::string_view code;
};

constexpr std::array<Mission, 6> kMissions{{
    {"Recon", "1"},
    {"Probe", "1"},
    {"Advance To Contact", "2"},
    {"Artillery Barrage", "3"},
    {"Deliberate Attack", "3"},
    {"Raid", "1"},
}};

struct Gate {
    Id countBox;
    std::optional<Id> list; // Text12's row is open throughout
};

constexpr std::array<Gate, 28> kGates{{
    {Id::Text4, Id::Combo1},   {Id::Text5, Id::Combo3},   {Id::Text6, Id::Combo4},    {Id::Text7, Id::Combo5},
    {Id::Text8, Id::Combo6},   {Id::Text9, Id::Combo7},   {Id::Text32, Id::Combo19},  {Id::Text33, Id::Combo20},
    {Id::Text34, Id::Combo21}, {Id::Text39, Id::Combo22}, {Id::Text12, std::nullopt}, {Id::Text18, Id::Combo28},
    {Id::Text19, Id::Combo29}, {Id::Text50, Id::Combo43}, {Id::Text20, Id::Combo30},  {Id::Text21, Id::Combo31},
    {Id::Text22, Id::Combo32}, {Id::Text52, Id::Combo45}, {Id::Text53, Id::Combo46},  {Id::Text10, Id::Combo33},
    {Id::Text13, Id::Combo34}, {Id::Text30, Id::Combo35}, {Id::Text40, Id::Combo36},  {Id::Text44, Id::Combo37},
    {Id::Text46, Id::Combo39}, {Id::Text47, Id::Combo40}, {Id::Text48, Id::Combo41},  {Id::Text49, Id::Combo42},
}};

} // namespace

void pickMissionType(Cells &cells, Id list)
{
    if (const Mission *mission = findType(kMissions, cells.text(list)))
        cells.setText(Id::Label1, mission->code);
}

void gate(Cells &cells, Id countBox)
{
    if (value(cells, Id::Label1) == 0) {
        cells.alert(" Select Mission Type!", "Mission Error");
        return;
    }
    for (const Gate &g : kGates)
        if (g.countBox == countBox && g.list)
            cells.setEnabled(*g.list, true);
}

} // namespace quarvel
