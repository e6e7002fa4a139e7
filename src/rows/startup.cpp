#include "rows/startup.h"

#include "rows/mission.h"
#include "rows/sections.h"

#include <string_view>

namespace quarvel {
namespace {

constexpr auto kMissionList = namesOf("None", kMissions);

constexpr auto kAirSupport = toArray<std::string_view>({"1", "2", "3", "4", "5", "6", "7", "8", "9"});

template <class Catalogue> void fill(Cells &cells, Id list, const Catalogue &catalogue)
{
    for (std::string_view entry : catalogue)
        cells.addEntry(list, entry);
}

} // namespace

void Form_Load(Cells &cells)
{
    for (const Section *section : kSections)
        for (const Row &row : section->rows)
            if (row.gate == Gate::OpensList)
                cells.setEnabled(row.list, false);

    fill(cells, Id::Combo2, kMissionList);
    fill(cells, Id::Combo26, kAirSupport);
    for (const Section *section : kSections)
        for (const Row &row : section->rows)
            fill(cells, row.list, section->types);
}

} // namespace quarvel
