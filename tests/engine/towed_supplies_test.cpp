#include "fixture.h"

namespace quarvel {
namespace {

TEST(Towed, BooksTheGunsAgainstTheTowingLeft)
{
    const PickCase cases[] = {
        {"howitzers under code 2",
         {{Id::Label1, "2"}, {Id::Label40, "5"}},
         "2",
         "D-30 122mm Howitzer",
         {Id::Label171, Id::Label121, Id::Label170, Id::Label75, Id::Label13, Id::Label33, Id::Label40},
         "Label171=62 Label121=62 Label170=124 Label75=124 Label13=2 Label33=2 Label40=3"},
        {"exactly enough", {{Id::Label1, "1"}, {Id::Label40, "2"}}, "2", "S-60 57mm AAA", {Id::Label40}, "Label40=0"},
        {"one and a half guns",
         {{Id::Label1, "1"}, {Id::Label40, "4"}},
         "1.5",
         "ZPU-4 AAMG",
         {Id::Label171, Id::Label121, Id::Label40},
         "Label171=9 Label121=9 Label40=2.5"},
        {"an empty count rewrites the totals",
         {{Id::Label1, "1"}, {Id::Label40, "4"}},
         "",
         "ZPU-4 AAMG",
         {Id::Label171, Id::Label170, Id::Label13, Id::Label33, Id::Label40},
         "Label171=0 Label170=0 Label13=0 Label33=0 Label40=4"},
    };
    for (const PickCase &c : cases) {
        Started cells;
        cells.given(c.given);
        cells.setEnabled(Id::Combo19, true);
        cells.enter(Id::Text32, c.count, Id::Combo19, c.type);
        EXPECT_EQ(texts(cells, c.cells), c.after) << c.what;
        EXPECT_TRUE(cells.alerts().empty()) << c.what;
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
         "Label66=1000 Label113=600 Label108=4400 Label110=1.5"},
        {"fewer units than the combat load take no cargo and free none",
         {{Id::Label121, "5"}, {Id::Label108, "1000"}},
         "2",
         "Combat Supplies",
         {Id::Label66, Id::Label113, Id::Label108},
         "Label66=200 Label113=0 Label108=1000"},
        {"exactly enough",
         {{Id::Label108, "600"}, {Id::Label121, "4"}},
         "10",
         "Combat Supplies",
         {Id::Label108, Id::Label110},
         "Label108=0 Label110=0"},
        {"a combat load grown since the last booking takes cargo off",
         {{Id::Label66, "1000"}, {Id::Label113, "600"}, {Id::Label121, "8"}, {Id::Label108, "2000"}},
         "",
         "Combat Supplies",
         {Id::Label66, Id::Label113, Id::Label108},
         "Label66=1000 Label113=200 Label108=2400"},
    };
    for (const PickCase &c : cases) {
        Started cells;
        cells.given(c.given);
        cells.enter(Id::Text29, c.count, Id::Combo8, c.type);
        EXPECT_EQ(texts(cells, c.cells), c.after) << c.what;
        EXPECT_TRUE(cells.alerts().empty()) << c.what;
    }
}

// Two bookings take the cargo of both at once, whatever the order.
TEST(Supplies, BookingsAddUp)
{
    Started cells;
    cells.given({{Id::Label121, "4"}, {Id::Label108, "5000"}});
    cells.enter(Id::Text29, "2", Id::Combo8, "Combat Supplies");
    EXPECT_EQ(texts(cells, {Id::Label113, Id::Label108}), "Label113=0 Label108=5000");
    cells.enter(Id::Text29, "10", Id::Combo8, "Combat Supplies");
    cells.enter(Id::Text29, "10", Id::Combo8, "Combat Supplies");
    EXPECT_EQ(texts(cells, {Id::Label66, Id::Label113, Id::Label108}), "Label66=2200 Label113=1800 Label108=3200");
}

} // namespace
} // namespace quarvel
