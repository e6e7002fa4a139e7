#include "rows/mission.h"

#include "rows/cellnames.h"

#include <array>

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

} // namespace

void pickMissionType(Cells &cells, Id list)
{
    if (const Mission *mission = findType(kMissions, cells.text(list)))
        cells.setText(kMissionCode, mission->code);
}

void gate(Cells &cells, const Row &row)
{
    if (value(cells, kMissionCode) == 0)
        cells.alert(" Select Mission Type!", "Mission Error");
    else if (row.gate == Gate::OpensList)
        cells.setEnabled(row.list, true);
}

} // namespace quarvel
