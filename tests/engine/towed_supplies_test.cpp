#include "fixture.h"

namespace quarvel {
namespace {

// Every gun once under code 2, with just enough towing: the loads and the
// towing are the sums of the types' figures, and none is left.
TEST(Towed, EveryTypeOnce)
{
    Started cells;
    cells.given({{Id::Label1, "2"}, {Id::Label40, "8.5"}});
    for (const std::string &type : cells.entries(Id::Combo19))
        cells.enter(Id::Text32, "1", Id::Combo19, type.c_str());
    cells.enter(Id::Text32, "1.5", Id::Combo19, "ZPU-4 AAMG");
    EXPECT_EQ(
        texts(cells, {Id::Label171, Id::Label121, Id::Label170, Id::Label75, Id::Label13, Id::Label33, Id::Label40}),
        "Label171=92 Label121=92 Label170=184 Label75=184 Label13=8.5 Label33=8.5 Label40=0");
    EXPECT_TRUE(cells.alerts().empty());
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
        {"a combat load grown since takes cargo off",
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

// Bookings add up: ten and ten take the cargo of twenty.
TEST(Supplies, BookingsAddUp)
{
    Started cells;
    cells.given({{Id::Label121, "4"}, {Id::Label108, "5000"}});
    cells.enter(Id::Text29, "10", Id::Combo8, "Combat Supplies");
    cells.enter(Id::Text29, "10", Id::Combo8, "Combat Supplies");
    EXPECT_EQ(texts(cells, {Id::Label66, Id::Label113, Id::Label108}), "Label66=2000 Label113=1600 Label108=3400");
}

} // namespace
} // namespace quarvel
