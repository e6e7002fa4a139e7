#include "fixture.h"

namespace quarvel {
namespace {

// Every type once under code 2, with room for all: the weights and loads
// are the sums of the types' figures.
TEST(Weapons, EveryTypeOnce)
{
    Started cells;
    cells.given({{Id::Label1, "2"}, {Id::Label108, "1000"}});
    for (const std::string &type : cells.entries(Id::Combo12))
        cells.enter(Id::Text16, "1", Id::Combo12, type.c_str());
    EXPECT_EQ(
        texts(cells, {Id::Label181, Id::Label4, Id::Label108, Id::Label65, Id::Label9, Id::Label121, Id::Label75}),
        "Label181=675 Label4=675 Label108=325 Label65=37 Label9=74 Label121=37 Label75=74");
    EXPECT_TRUE(cells.alerts().empty());
}

TEST(Weapons, UnitsGoAboardWhileTheyFit)
{
    const PickCase cases[] = {
        {"an empty count books nothing but rewrites",
         {{Id::Label108, "3750"}},
         "",
         "RPG-7",
         {Id::Label121, Id::Label181, Id::Label2, Id::Label110, Id::Label4},
         "Label121=0 Label181=0 Label2=15 Label110=1.5 Label4=Casualty Sections  can be Carried"},
        {"2.5 mortars: load for 2.5, two aboard",
         {{Id::Label108, "1000"}},
         "2.5",
         "M-69 82mm Mortar",
         {Id::Label121, Id::Label181, Id::Label108, Id::Label4},
         "Label121=40 Label181=245 Label108=804 Label4=196"},
        {"a unit that weighs what is left still fits",
         {{Id::Label108, "98"}},
         "1",
         "M-69 82mm Mortar",
         {Id::Label108, Id::Label110, Id::Label4},
         "Label108=0 Label110=0 Label4=98"},
        {"the squads from the pounds left, floored to halves",
         {{Id::Label108, "3800"}},
         "1",
         "Demo Charge",
         {Id::Label108, Id::Label110},
         "Label108=3730 Label110=1"},
        {"none writes an empty weight and rides nothing",
         {{Id::Label108, "500"}},
         "4",
         "none",
         {Id::Label2, Id::Label108, Id::Label4},
         "Label2= Label108=500 Label4=0"},
    };
    for (const PickCase &c : cases) {
        Started cells;
        cells.given(c.given);
        cells.enter(Id::Text16, c.count, Id::Combo12, c.type);
        EXPECT_EQ(texts(cells, c.cells), c.after) << c.what;
        EXPECT_TRUE(cells.alerts().empty()) << c.what;
    }
}

} // namespace
} // namespace quarvel
