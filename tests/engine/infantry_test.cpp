#include "fixture.h"

namespace quarvel {
namespace {

struct Case {
    const char *what;
    std::initializer_list<std::pair<Id, const char *>> given;
    bool marching;
    const char *count, *type;
    std::initializer_list<Id> cells;
    const char *after;
};

TEST(Infantry, BooksTheRowAndPutsItAboard)
{
    const Case cases[] = {
        {"marching: statistics only",
         {{Id::Label1, "3"}},
         true,
         "2",
         "Regular Infantry Squad",
         {Id::Label75, Id::Label42, Id::Label121, Id::Label43, Id::Label51, Id::Label108, Id::Label57, Id::Label6,
          Id::Label110, Id::Text1},
         "Label75=18 Label42=18 Label121=6 Label43=6 Label51=160 Label108=160 Label57=2 Label6=5000 Label110=0 "
         "Text1="},
        {"riding, two passes",
         {{Id::Label1, "3"}, {Id::Label110, "4"}, {Id::Label108, "10000"}},
         false,
         "2",
         "Regular Infantry Squad",
         {Id::Label110, Id::Label108, Id::Text1},
         "Label110=2 Label108=5160 Text1=2"},
        {"half a squad fits in half a squad",
         {{Id::Label1, "1"}, {Id::Label110, "0.5"}, {Id::Label108, "10000"}},
         false,
         "1",
         "Pioneer Section",
         {Id::Label110, Id::Label108, Id::Text1},
         "Label110=0 Label108=8800 Text1=0.5"},
        {"officers take no room, even with the squads overdrawn",
         {{Id::Label1, "1"}, {Id::Label110, "-1"}},
         false,
         "2",
         "Officer",
         {Id::Label110, Id::Label108, Id::Text1, Id::Text2},
         "Label110=-1 Label108=0 Text1=0 Text2=2"},
        {"None books nothing and refuses nothing",
         {{Id::Label1, "1"}},
         false,
         "3",
         "None",
         {Id::Label75, Id::Label121, Id::Label57, Id::Text1, Id::Text2},
         "Label75=0 Label121=0 Label57=0 Text1=0 Text2=3"},
        {"a marching row never warns",
         {{Id::Label1, "1"}, {Id::Label49, "2"}},
         true,
         "4",
         "Commando Squad",
         {Id::Label49, Id::Label121},
         "Label49=2 Label121=16"},
        {"a fractional count books it all but rides whole units",
         {{Id::Label1, "2"}, {Id::Label110, "10"}, {Id::Label108, "20000"}},
         false,
         "2.5",
         "Regular Infantry Squad",
         {Id::Label57, Id::Label6, Id::Text1, Id::Label121, Id::Label75, Id::Label110, Id::Label108},
         "Label57=2.5 Label6=6250 Text1=2 Label121=7.5 Label75=15 Label110=8 Label108=15200"},
        {"no mission type: no supplies needed",
         {{Id::Label110, "3"}, {Id::Label108, "9000"}},
         false,
         "1",
         "Combat Engineer Squad",
         {Id::Label75, Id::Label42, Id::Label121, Id::Label110, Id::Label108},
         "Label75=0 Label42=0 Label121=4 Label110=2 Label108=6580"},
        {"an unmatched text counts as 0",
         {{Id::Label1, "1"}, {Id::Label110, "3"}, {Id::Label108, "9000"}},
         false,
         "2",
         "regular infantry squad",
         {Id::Label75, Id::Label110, Id::Label108, Id::Label57},
         "Label75=0 Label110=3 Label108=9000 Label57=0"},
        {"a negative count takes statistics back and rides none",
         {{Id::Label1, "1"}, {Id::Label110, "3"}, {Id::Label108, "9000"}},
         false,
         "-2",
         "Militia Infantry Squad",
         {Id::Label75, Id::Label108, Id::Label110, Id::Text1},
         "Label75=-4 Label108=8900 Label110=3 Text1=0"},
    };
    for (const Case &c : cases) {
        Started cells;
        cells.given(c.given);
        if (c.marching)
            cells.tick(Id::Check2);
        cells.enter(Id::Text2, c.count, Id::Combo9, c.type);
        EXPECT_EQ(texts(cells, c.cells), c.after) << c.what;
        EXPECT_TRUE(cells.alerts().empty()) << c.what;
    }
}

// The nine rows differ only in their controls.
TEST(Infantry, EveryRowBooksAlike)
{
    const Id rows[][3] = {{Id::Check1, Id::Text4, Id::Combo1},   {Id::Check6, Id::Text5, Id::Combo3},
                          {Id::Check11, Id::Text6, Id::Combo4},  {Id::Check12, Id::Text7, Id::Combo5},
                          {Id::Check13, Id::Text8, Id::Combo6},  {Id::Check14, Id::Text9, Id::Combo7},
                          {Id::Check4, Id::Text11, Id::Combo11}, {Id::Check3, Id::Text3, Id::Combo10},
                          {Id::Check2, Id::Text2, Id::Combo9}};
    for (const auto &row : rows) {
        for (bool marching : {false, true}) {
            Started cells;
            cells.given({{Id::Label1, "2"}, {Id::Label110, "3"}, {Id::Label108, "8000"}});
            cells.setEnabled(row[2], true);
            if (marching)
                cells.tick(row[0]);
            cells.enter(row[1], "3", row[2], "Medic Section");
            EXPECT_EQ(texts(cells, {Id::Label75, Id::Label110, Id::Label108, Id::Text1}),
                      marching ? "Label75=6 Label110=3 Label108=8000 Text1="
                               : "Label75=6 Label110=1.5 "
                                 "Label108=4250 Text1=1.5")
                << nameOf(row[2]);
            EXPECT_TRUE(cells.alerts().empty());
        }
    }
}

// After a shortage the row's count box is written "0": for rows 1 to 6 that
// runs its gate, which leaves the row open.
TEST(Infantry, TheCountResetRunsTheGate)
{
    Started cells;
    cells.pick(Id::Combo2, "Probe");
    cells.type(Id::Text9, "2");
    cells.pick(Id::Combo7, "Regular Infantry Squad");
    EXPECT_EQ(cells.text(Id::Text9), "0");
    EXPECT_TRUE(cells.enabled(Id::Combo7));
    EXPECT_EQ(cells.alerts().size(), 1u);
}

// The mission code counts at the moment of the pick.
TEST(Infantry, TheMissionCodeIsReadAtThePick)
{
    Started cells;
    cells.tick(Id::Check2);
    cells.pick(Id::Combo2, "Deliberate Attack");
    cells.enter(Id::Text2, "1", Id::Combo9, "Commando Squad");
    cells.pick(Id::Combo2, "Raid");
    cells.enter(Id::Text2, "1", Id::Combo9, "Commando Squad");
    EXPECT_EQ(texts(cells, {Id::Label75, Id::Label42, Id::Label121}), "Label75=16 Label42=16 Label121=8");
}

} // namespace
} // namespace quarvel
