#include "fixture.h"

namespace quarvel {
namespace {

// Every row of every family, picked with counts a planner can type, ends
// with number text in every cell: no "inf", no "nan", nothing that reads
// back otherwise, and an overflowed total stays the largest value, never 0.
TEST(HugeCounts, EveryCellKeepsNumberText)
{
    const std::pair<Id, Id> rows[] = {
        {Id::Text10, Id::Combo33}, {Id::Text46, Id::Combo39}, {Id::Text20, Id::Combo30}, {Id::Text12, Id::Combo25},
        {Id::Text4, Id::Combo1},   {Id::Text16, Id::Combo12}, {Id::Text32, Id::Combo19}, {Id::Text29, Id::Combo8},
    };
    for (const char *count : {"1e15", "1e308", "-1e308", "1.79769313486232E+308", "1e400"}) {
        for (bool marching : {false, true}) {
            Started cells;
            cells.pick(Id::Combo2, "Deliberate Attack");
            if (marching)
                cells.tick(Id::Check1);
            for (int twice = 0; twice < 2; ++twice) {
                for (const auto &[box, list] : rows) {
                    cells.setText(box, count);
                    const auto &entries = cells.entries(list);
                    for (std::size_t i = 0; i < entries.size(); i += 3)
                        cells.pick(list, entries[i]);
                    ASSERT_EQ(malformedCells(cells), "") << count << " " << nameOf(list);
                }
            }
            if (std::string(count) == "1e308") {
                EXPECT_EQ(cells.text(Id::Label25), "1.79769313486232E+308");
            }
        }
    }
}

// The Overview's 1E+15 trucks, then as many riding squads: a pass cannot
// take one squad or 2500 pounds off figures that large (each pass's own
// write rounds the step away), so every pass leaves them as they are.
TEST(HugeCounts, RidingSquadsOnHugeTransport)
{
    Started cells;
    cells.pick(Id::Combo2, "Deliberate Attack");
    cells.enter(Id::Text10, "1e15", Id::Combo33, "ZIL Medium Truck");
    cells.enter(Id::Text4, "1e15", Id::Combo1, "Regular Infantry Squad");
    EXPECT_EQ(texts(cells, {Id::Label110, Id::Label108, Id::Label75, Id::Label121, Id::Text1}),
              "Label110=2E+15 Label108=5.08E+18 Label75=2.1E+16 Label121=7E+15 Text1=1E+15");
    EXPECT_TRUE(cells.alerts().empty());
}

} // namespace
} // namespace quarvel
