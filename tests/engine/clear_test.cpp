#include "fixture.h"

#include <tuple>
#include <vector>

namespace quarvel {
namespace {

const MemoryCells::Alert kMissionError{" Select Mission Type!", "Mission Error"};

struct Fresh {
    Id button;
    std::size_t missionErrors;
};

// On a fresh window, a Clear shows one "Mission Error" per gated count box
// whose text it changes, and leaves every total at 0; pressed again, none.
TEST(Clear, OnAFreshWindow)
{
    const Fresh cases[] = {{Id::Command2, 6},  {Id::Command8, 0},  {Id::Command11, 9},
                           {Id::Command16, 4}, {Id::Command19, 5}, {Id::Command5, 4}};
    for (const Fresh &c : cases) {
        Started cells;
        cells.press(c.button);
        EXPECT_EQ(cells.alerts(), std::vector<MemoryCells::Alert>(c.missionErrors, kMissionError)) << nameOf(c.button);
        for (Id total : {Id::Label75, Id::Label121, Id::Label108, Id::Label110, Id::Label40, Id::Label33, Id::Label17})
            EXPECT_EQ(value(cells, total), 0) << nameOf(c.button) << " " << nameOf(total);
        cells.clearAlerts();
        cells.press(c.button);
        EXPECT_TRUE(cells.alerts().empty()) << nameOf(c.button);
    }
}

// Pressed twice, a Clear leaves the figures as the first press left them;
// the list-only lists it blanks show no entry.
TEST(Clear, PressedTwice)
{
    Started cells;
    cells.pick(Id::Combo2, "Raid");
    cells.enter(Id::Text10, "1", Id::Combo33, "ZIL Medium Truck");
    cells.enter(Id::Text4, "1", Id::Combo1, "Commando Squad");
    cells.enter(Id::Text16, "2", Id::Combo12, "FFV Carl Gustav");
    cells.enter(Id::Text18, "1", Id::Combo28, "Excavator");
    for (Id button : {Id::Command2, Id::Command8, Id::Command5}) {
        cells.press(button);
        const std::vector<std::string> once = allTexts(cells);
        cells.press(button);
        EXPECT_EQ(changedSince(cells, once), "") << nameOf(button);
    }
    const std::string after = "Label110=2 Label108=5000 Label75=4 Combo25=  Combo28=";
    EXPECT_EQ(texts(cells, after), after);
}

// Each Clear gives back what its own rows booked, and no more: the figures
// read as the trucks alone left them, or, for the trucks' and APCs' own
// Clear, as start-up left them.
TEST(Clear, GivesBackWhatItsRowsBooked)
{
    const struct {
        Id button;
        std::vector<std::tuple<Id, const char *, Id, const char *>> rows;
    } cases[] = {
        {Id::Command2,
         {{Id::Text4, "3", Id::Combo1, "Regular Infantry Squad"}, {Id::Text5, "1", Id::Combo3, "Medic Section"}}},
        {Id::Command8,
         {{Id::Text16, "2", Id::Combo12, "M-69 82mm Mortar"}, {Id::Text29, "45", Id::Combo8, "Combat Supplies"}}},
        {Id::Command16, {{Id::Text32, "1", Id::Combo19, "D-30 122mm Howitzer"}}},
        {Id::Command19,
         {{Id::Text20, "2", Id::Combo30, "T-55 MBT"}, {Id::Text21, "1", Id::Combo31, "EBR-75 Armoured Car"}}},
        {Id::Command5,
         {{Id::Text18, "1", Id::Combo28, "M-44 155mm SP Gun"}, {Id::Text19, "1", Id::Combo29, "TMM SP Bridge"}}},
        {Id::Command11,
         {{Id::Text10, "1", Id::Combo33, "Ural-375 Heavy Truck"}, {Id::Text46, "1", Id::Combo39, "BTR-152 APC"}}},
    };
    const std::vector<Id> summary{Id::Label110, Id::Label108, Id::Label40, Id::Label75, Id::Label121, Id::Label17};
    for (const auto &c : cases) {
        Started cells;
        cells.pick(Id::Combo2, "Deliberate Attack");
        if (c.button != Id::Command11)
            cells.enter(Id::Text10, "2", Id::Combo33, "ZIL Medium Truck");
        const std::string before = texts(cells, summary);
        for (const auto &[count, n, list, type] : c.rows)
            cells.enter(count, n, list, type);
        EXPECT_NE(texts(cells, summary), before) << nameOf(c.button);
        cells.press(c.button);
        EXPECT_EQ(texts(cells, summary), before) << nameOf(c.button);
        EXPECT_TRUE(cells.alerts().empty()) << nameOf(c.button);
    }
}

} // namespace
} // namespace quarvel
