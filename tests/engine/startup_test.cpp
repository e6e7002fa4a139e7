#include "cells/design.h"
#include "fixture.h"

#include <algorithm>
#include <vector>

namespace quarvel {
namespace {

struct Catalogue {
    Id list;
    std::size_t entries;
    const char *first, *last;
    bool enabled;
};

TEST(FormLoad, EveryListHoldsItsCatalogue)
{
    Started cells;
    const Catalogue cases[] = {
        {Id::Combo2, 7, "None", "Raid", true},
        {Id::Combo1, 13, "None", "Mechanic Section", false},
        {Id::Combo7, 13, "None", "Mechanic Section", false},
        {Id::Combo9, 13, "None", "Mechanic Section", true},
        {Id::Combo11, 13, "None", "Mechanic Section", true},
        {Id::Combo12, 14, "none", "M-69 82mm Mortar", true},
        {Id::Combo18, 14, "none", "M-69 82mm Mortar", true},
        {Id::Combo19, 7, "ZPU-4 AAMG", "L-6 Wombat 120mm RR", false},
        {Id::Combo33, 8, "None", "Land Rover Ambulance", false},
        {Id::Combo39, 6, "OT-810 APC", "AMX-VCG Engineer Vehicle", false},
        {Id::Combo46, 12, "None", "ASU-57 Assault Gun", false},
        {Id::Combo25, 15, "None", "M53/39 30mm SP AA Arty", true},
        {Id::Combo43, 15, "None", "M53/39 30mm SP AA Arty", false},
        {Id::Combo8, 1, "Combat Supplies", "Combat Supplies", true},
        {Id::Combo26, 9, "1", "9", true},
    };
    for (const Catalogue &c : cases) {
        const auto &entries = cells.entries(c.list);
        ASSERT_EQ(entries.size(), c.entries) << nameOf(c.list);
        EXPECT_EQ(entries.front(), c.first) << nameOf(c.list);
        EXPECT_EQ(entries.back(), c.last) << nameOf(c.list);
        EXPECT_EQ(cells.enabled(c.list), c.enabled) << nameOf(c.list);
    }
    EXPECT_EQ(cells.entries(Id::Combo13), cells.entries(Id::Combo12));
    EXPECT_EQ(cells.entries(Id::Combo3), cells.entries(Id::Combo1));
}

TEST(FormLoad, LeavesEveryTextAsDesigned)
{
    Started cells;
    for (const ControlDesign &d : kDesign)
        EXPECT_EQ(cells.text(d.id), d.kind == Kind::CheckBox ? "0" : d.text) << d.name;
    EXPECT_EQ(value(cells, Id::Label1), 0);
    EXPECT_TRUE(cells.alerts().empty());
}

} // namespace
} // namespace quarvel
