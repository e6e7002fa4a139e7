#include "fixture.h"

#include <vector>

namespace quarvel {
namespace {

const MemoryCells::Alert kMissionError{" Select Mission Type!", "Mission Error"};

// A force entered in every section, under a mission type.
void enterForce(Started &cells)
{
    cells.pick(Id::Combo2, "Deliberate Attack");
    cells.enter(Id::Text10, "2", Id::Combo33, "ZIL Medium Truck");
    cells.enter(Id::Text13, "1", Id::Combo34, "Trailer");
    cells.enter(Id::Text46, "1", Id::Combo39, "BTR-152 APC");
    cells.enter(Id::Text20, "2", Id::Combo30, "T-55 MBT");
    cells.enter(Id::Text12, "1", Id::Combo25, "M-88 ARV");
    cells.enter(Id::Text4, "3", Id::Combo1, "Regular Infantry Squad");
    cells.tick(Id::Check6);
    cells.enter(Id::Text5, "2", Id::Combo3, "Commando Squad");
    cells.enter(Id::Text16, "2", Id::Combo12, "M-69 82mm Mortar");
    cells.enter(Id::Text29, "20", Id::Combo8, "Combat Supplies");
    cells.enter(Id::Text32, "2", Id::Combo19, "D-30 122mm Howitzer");
}

const std::initializer_list<Id> kTotals = {Id::Label75, Id::Label121, Id::Label108, Id::Label110,
                                           Id::Label40, Id::Label33,  Id::Label17};

TEST(Clear, TheEnteredForceAddsUp)
{
    Started cells;
    enterForce(cells);
    EXPECT_TRUE(cells.alerts().empty());
    EXPECT_EQ(texts(cells, kTotals), "Label75=483 Label121=161 Label108=8444 Label110=3 Label40=4 Label33=3 Label17=1");
}

struct Case {
    const char *what;
    Id button;
    const char *totals;
    std::initializer_list<Id> blanked;
    std::initializer_list<Id> zeroed;
};

TEST(Clear, EachButtonTakesItsSectionBackOut)
{
    const Case cases[] = {
        {"infantry",
         Id::Command2,
         "Label75=432 Label121=144 Label108=15504 Label110=6 Label40=4 Label33=3 Label17=1",
         {Id::Text4, Id::Text5, Id::Text2, Id::Combo1, Id::Combo3, Id::Combo9},
         {Id::Label51, Id::Label42, Id::Label43, Id::Label57, Id::Label6, Id::Text1}},
        {"weapons and supplies",
         Id::Command8,
         "Label75=387 Label121=129 Label108=8640 Label110=3 Label40=4 Label33=3 Label17=1",
         {Id::Text16, Id::Text29, Id::Text23, Id::Combo12, Id::Combo8, Id::Combo13, Id::Label49},
         {Id::Label9, Id::Label65, Id::Label181, Id::Label113, Id::Label66, Id::Label4, Id::Label2}},
        {"APCs and trucks",
         Id::Command11,
         "Label75=450 Label121=150 Label108=0 Label110=0 Label40=1 Label33=2 Label17=1",
         {Id::Text46, Id::Text10, Id::Text44, Id::Combo39, Id::Combo33, Id::Label50, Id::Label34, Id::Label46,
          Id::Label18, Id::Label21, Id::Label22, Id::Label25},
         {Id::Label4, Id::Label6, Id::Label108, Id::Label110, Id::Text1, Id::Label51, Id::Label113}},
        {"towed units",
         Id::Command16,
         "Label75=297 Label121=99 Label108=8444 Label110=3 Label40=6 Label33=1 Label17=1",
         {Id::Text32, Id::Text39, Id::Combo19, Id::Combo22},
         {Id::Label170, Id::Label171, Id::Label13}},
        {"armour",
         Id::Command19,
         "Label75=393 Label121=131 Label108=8444 Label110=3 Label40=2 Label33=3 Label17=0",
         {Id::Text20, Id::Text53, Id::Combo30, Id::Combo46, Id::Label77, Id::Label80, Id::Label81, Id::Label60},
         {}},
        {"specialist vehicles",
         Id::Command5,
         "Label75=456 Label121=152 Label108=8444 Label110=3 Label40=3 Label33=3 Label17=1",
         {Id::Text12, Id::Text50, Id::Combo25, Id::Label130, Id::Label55, Id::Label44},
         {}},
    };
    for (const Case &c : cases) {
        Started cells;
        enterForce(cells);
        cells.press(c.button);
        EXPECT_EQ(texts(cells, kTotals), c.totals) << c.what;
        for (Id id : c.blanked)
            EXPECT_EQ(cells.text(id), " ") << c.what << " " << nameOf(id);
        for (Id id : c.zeroed)
            EXPECT_EQ(cells.text(id), "0") << c.what << " " << nameOf(id);
        // Pressed twice, the same figures: what it subtracts now reads 0.
        cells.press(c.button);
        EXPECT_EQ(texts(cells, kTotals), c.totals) << c.what << ", pressed twice";
        EXPECT_TRUE(cells.alerts().empty()) << c.what;
    }
}

// The list-only lists cannot show a blank: they show no entry.
TEST(Clear, ListOnlyListsShowNoEntry)
{
    Started cells;
    enterForce(cells);
    cells.enter(Id::Text18, "1", Id::Combo28, "Excavator");
    cells.press(Id::Command5);
    EXPECT_EQ(texts(cells, {Id::Combo25, Id::Combo28, Id::Combo29}), "Combo25=  Combo28= Combo29=");
}

TEST(Clear, TheInfantryClearUnticksTheMarchingBoxes)
{
    Started cells;
    enterForce(cells);
    ASSERT_TRUE(cells.ticked(Id::Check6));
    cells.press(Id::Command2);
    EXPECT_FALSE(cells.ticked(Id::Check6));
}

// Blanked lists stay open and book again as usual.
TEST(Clear, RowsCanBeEnteredAgain)
{
    Started cells;
    enterForce(cells);
    cells.press(Id::Command11);
    EXPECT_TRUE(cells.enabled(Id::Combo33));
    cells.enter(Id::Text10, "1", Id::Combo33, "ZIL Medium Truck");
    EXPECT_EQ(texts(cells, {Id::Label108, Id::Label110, Id::Label18}), "Label108=5000 Label110=2 Label18=4");
}

struct Fresh {
    Id button;
    std::size_t missionErrors;
};

// On a fresh window, a Clear shows one "Mission Error" per gated count box
// whose text it changes, and leaves every total at 0.
TEST(Clear, OnAFreshWindow)
{
    const Fresh cases[] = {{Id::Command2, 6},  {Id::Command8, 0},  {Id::Command11, 9},
                           {Id::Command16, 4}, {Id::Command19, 5}, {Id::Command5, 4}};
    for (const Fresh &c : cases) {
        Started cells;
        cells.press(c.button);
        EXPECT_EQ(cells.alerts(), std::vector<MemoryCells::Alert>(c.missionErrors, kMissionError)) << nameOf(c.button);
        for (Id total : kTotals)
            EXPECT_EQ(value(cells, total), 0) << nameOf(c.button) << " " << nameOf(total);
        cells.clearAlerts();
        cells.press(c.button); // the boxes hold a blank already: no change, no gate
        EXPECT_TRUE(cells.alerts().empty()) << nameOf(c.button);
    }
}

// With a mission type, blanking a gated box opens its row, typed in or not.
TEST(Clear, BlankingAGatedBoxOpensItsRow)
{
    Started cells;
    cells.pick(Id::Combo2, "Probe");
    cells.press(Id::Command11);
    for (Id list : {Id::Combo33, Id::Combo37, Id::Combo39, Id::Combo42})
        EXPECT_TRUE(cells.enabled(list)) << nameOf(list);
    EXPECT_TRUE(cells.alerts().empty());
}

} // namespace
} // namespace quarvel
