#include "fixture.h"

namespace quarvel {
namespace {

const MemoryCells::Alert kTowing{"You Need More Vehicles For Towing", "Transport Error"};
const MemoryCells::Alert kCargo{"*-*Not Enough Transport to carry Cargo: Hit Reset to redo!", "Transport Error"};

TEST(Towed, BooksTheGunsAgainstTheTowingLeft)
{
    const PickCase cases[] = {
        {"howitzers under code 2",
         {{Id::Label1, "2"}, {Id::Label40, "5"}},
         "2",
         "D-30 122mm Howitzer",
         {Id::Label171, Id::Label121, Id::Label170, Id::Label75, Id::Label13, Id::Label33, Id::Label40},
         "Label171=62 Label121=62 Label170=124 Label75=124 Label13=2 Label33=2 Label40=3",
         false},
        {"no towing at all",
         {{Id::Label1, "1"}},
         "1",
         "ZPU-4 AAMG",
         {Id::Label40, Id::Text32, Id::Label171, Id::Label13, Id::Label33},
         "Label40=0 Text32=0 Label171=6 Label13=1 Label33=1",
         true},
        {"exactly enough",
         {{Id::Label1, "1"}, {Id::Label40, "2"}},
         "2",
         "S-60 57mm AAA",
         {Id::Label40},
         "Label40=0",
         false},
        {"one short: the towing comes back, the loads stay",
         {{Id::Label1, "1"}, {Id::Label40, "1"}},
         "2",
         "ZU-23-2 AAA",
         {Id::Label40, Id::Text32, Id::Label171, Id::Label121, Id::Label75, Id::Label13, Id::Label33},
         "Label40=1 Text32=0 Label171=14 Label121=14 Label75=14 Label13=2 Label33=2",
         true},
        {"an unknown gun with the towing already short",
         {{Id::Label1, "1"}, {Id::Label40, "-1"}},
         "3",
         "Bofors",
         {Id::Label40, Id::Text32, Id::Label13},
         "Label40=2 Text32=0 Label13=0",
         true},
        {"one and a half guns",
         {{Id::Label1, "1"}, {Id::Label40, "4"}},
         "1.5",
         "ZPU-4 AAMG",
         {Id::Label171, Id::Label121, Id::Label40},
         "Label171=9 Label121=9 Label40=2.5",
         false},
        {"an empty count rewrites the totals",
         {{Id::Label1, "1"}, {Id::Label40, "4"}},
         "",
         "ZPU-4 AAMG",
         {Id::Label171, Id::Label170, Id::Label13, Id::Label33, Id::Label40},
         "Label171=0 Label170=0 Label13=0 Label33=0 Label40=4",
         false},
    };
    for (const PickCase &c : cases) {
        Started cells;
        cells.given(c.given);
        cells.setEnabled(Id::Combo19, true);
        cells.enter(Id::Text32, c.count, Id::Combo19, c.type);
        EXPECT_EQ(texts(cells, c.cells), c.after) << c.what;
        EXPECT_EQ(cells.alerts(),
                  c.shortage ? std::vector<MemoryCells::Alert>{kTowing} : std::vector<MemoryCells::Alert>{})
            << c.what;
    }
}

TEST(Supplies, CarriesWhatTheCombatLoadDoesNot)
{
    const PickCase cases[] = {
        {"ten units, four carried as combat load",
         {{Id::Label121, "4"}, {Id::Label108, "5000"}},
         "10",
         "Combat Supplies",
         {Id::Label66, Id::Label113, Id::Label108, Id::Label110},
         "Label66=1000 Label113=600 Label108=4400 Label110=1.5",
         false},
        {"fewer units than the combat load free pounds",
         {{Id::Label121, "5"}, {Id::Label108, "1000"}},
         "2",
         "Combat Supplies",
         {Id::Label113, Id::Label108},
         "Label113=-300 Label108=1300",
         false},
        {"a shortage gives the supplies' cargo back",
         {{Id::Label108, "500"}, {Id::Label66, "0"}, {Id::Label121, "4"}, {Id::Label49, "2"}},
         "10",
         "Combat Supplies",
         {Id::Label66, Id::Label113, Id::Label108, Id::Label110, Id::Label49},
         "Label66=1000 Label113=600 Label108=500 Label110=0 Label49=3",
         true},
        {"exactly enough",
         {{Id::Label108, "600"}, {Id::Label121, "4"}},
         "10",
         "Combat Supplies",
         {Id::Label108, Id::Label110},
         "Label108=0 Label110=0",
         false},
        {"no transport, no combat load",
         {},
         "5",
         "Combat Supplies",
         {Id::Label108, Id::Label110, Id::Label49, Id::Text29},
         "Label108=0 Label110=0 Label49=1 Text29=5",
         true},
        {"an empty count frees the combat load's pounds",
         {{Id::Label121, "3"}},
         "",
         "Combat Supplies",
         {Id::Label108, Id::Label113, Id::Label66},
         "Label108=300 Label113=-300 Label66=0",
         false},
    };
    for (const PickCase &c : cases) {
        Started cells;
        cells.given(c.given);
        cells.enter(Id::Text29, c.count, Id::Combo8, c.type);
        EXPECT_EQ(texts(cells, c.cells), c.after) << c.what;
        EXPECT_EQ(cells.alerts(),
                  c.shortage ? std::vector<MemoryCells::Alert>{kCargo} : std::vector<MemoryCells::Alert>{})
            << c.what;
    }
}

// A second booking that does not fit gives back every supply booked here
// beyond the combat load, the first booking's too.
TEST(Supplies, AShortageGivesBackEveryBooking)
{
    Started cells;
    cells.given({{Id::Label108, "1000"}, {Id::Label66, "0"}});
    cells.enter(Id::Text29, "5", Id::Combo8, "Combat Supplies");
    EXPECT_EQ(texts(cells, {Id::Label108, Id::Label66}), "Label108=500 Label66=500");
    cells.enter(Id::Text29, "6", Id::Combo8, "Combat Supplies");
    EXPECT_EQ(texts(cells, {Id::Label108, Id::Label66, Id::Label49}), "Label108=1000 Label66=1100 Label49=1");
}

// The raised flag waits for the next weapons or unticked infantry pick,
// whose own shortage handling lowers it.
TEST(Supplies, TheFlagTravelsToTheNextConsumingRow)
{
    Started cells;
    cells.enter(Id::Text29, "1", Id::Combo8, "Combat Supplies");
    EXPECT_EQ(cells.text(Id::Label49), "1");
    cells.tick(Id::Check2);
    cells.enter(Id::Text2, "1", Id::Combo9, "Officer"); // marching: no report
    EXPECT_EQ(cells.text(Id::Label49), "1");
    cells.enter(Id::Text11, "0", Id::Combo11, "Officer"); // riding: reports
    EXPECT_EQ(texts(cells, {Id::Label49, Id::Text11}), "Label49=0 Text11=0");
    cells.enter(Id::Text29, "1", Id::Combo8, "Combat Supplies");
    cells.enter(Id::Text23, "0", Id::Combo13, "RPG-7");
    EXPECT_EQ(texts(cells, {Id::Label49, Id::Text23}), "Label49=0 Text23=0");
    EXPECT_EQ(cells.alerts(), (std::vector<MemoryCells::Alert>{kCargo, kCargo, kCargo, kCargo}));
}

} // namespace
} // namespace quarvel
