#include "fixture.h"

namespace quarvel {
namespace {

TEST(Weapons, BooksTheRowAndPutsTheUnitsAboard)
{
    const PickCase cases[] = {
        {"an empty count books nothing but rewrites",
         {{Id::Label108, "3750"}},
         "",
         "RPG-7",
         {Id::Label121, Id::Label75, Id::Label9, Id::Label65, Id::Label181, Id::Label2, Id::Label110, Id::Label4},
         "Label121=0 Label75=0 Label9=0 Label65=0 Label181=0 Label2=15 Label110=1.5 "
         "Label4=Casualty Sections  can be Carried"},
        {"2.5 mortars: load for 2.5, two aboard",
         {{Id::Label108, "1000"}},
         "2.5",
         "M-69 82mm Mortar",
         {Id::Label121, Id::Label65, Id::Label181, Id::Label108, Id::Label4},
         "Label121=40 Label65=40 Label181=245 Label108=804 Label4=196"},
        {"machine guns under code 3",
         {{Id::Label1, "3"}, {Id::Label108, "1000"}},
         "2",
         "FN 7.62mm MG",
         {Id::Label121, Id::Label65, Id::Label75, Id::Label9},
         "Label121=10 Label65=10 Label75=30 Label9=30"},
        {"no mission type: no supplies needed",
         {{Id::Label108, "1000"}},
         "2",
         "FN 7.62mm MG",
         {Id::Label121, Id::Label75, Id::Label9},
         "Label121=10 Label75=0 Label9=0"},
        {"munitions change only the cargo figures",
         {{Id::Label1, "2"}, {Id::Label108, "1000"}},
         "3",
         "Claymore Mine",
         {Id::Label121, Id::Label75, Id::Label181, Id::Label108, Id::Label4},
         "Label121=0 Label75=0 Label181=18 Label108=982 Label4=18"},
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

TEST(Weapons, EveryRowBooksAlike)
{
    const Id rows[][2] = {{Id::Text23, Id::Combo13}, {Id::Text24, Id::Combo14}, {Id::Text25, Id::Combo15},
                          {Id::Text26, Id::Combo16}, {Id::Text27, Id::Combo17}, {Id::Text28, Id::Combo18},
                          {Id::Text14, Id::Combo24}, {Id::Text15, Id::Combo23}, {Id::Text16, Id::Combo12}};
    for (const auto &row : rows) {
        Started cells;
        cells.given({{Id::Label1, "2"}, {Id::Label108, "6000"}});
        cells.enter(row[0], "4", row[1], "M-90 60mm Mortar");
        EXPECT_EQ(texts(cells, {Id::Label75, Id::Label121, Id::Label108, Id::Label110, Id::Label4}),
                  "Label75=64 Label121=32 Label108=5736 Label110=2 Label4=264")
            << nameOf(row[1]);
    }
}

// Label4 carries the weight aboard from row to row until a Clear; Label2 the
// weight of the type picked last.
TEST(Weapons, WeightAboardAccumulatesAcrossRows)
{
    Started cells;
    cells.given({{Id::Label108, "300"}});
    cells.enter(Id::Text23, "2", Id::Combo13, "Smoke Munition");
    cells.enter(Id::Text24, "6", Id::Combo14, "RPG-7");
    EXPECT_EQ(texts(cells, {Id::Label108, Id::Label4, Id::Label2}), "Label108=10 Label4=290 Label2=15");
}

} // namespace
} // namespace quarvel
