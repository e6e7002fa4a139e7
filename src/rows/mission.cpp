#include "rows/mission.h"

#include "rows/cellnames.h"

namespace quarvel {

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
