#include "fixture.h"

namespace quarvel {
namespace {

// Every type once, marching, under code 2: the section's figures are the
// sums of the types' figures.
TEST(Infantry, EveryTypeOnce)
{
    Started cells;
    cells.given({{Id::Label1, "2"}});
    cells.tick(Id::Check2);
    for (const std::string &type : cells.entries(Id::Combo9))
        cells.enter(Id::Text2, "1", Id::Combo9, type.c_str());
    EXPECT_EQ(texts(cells, {Id::Label57, Id::Label6, Id::Label43, Id::Label42, Id::Label51, Id::Label121, Id::Label75,
                            Id::Label108, Id::Label110, Id::Text1}),
              "Label57=7 Label6=17500 Label43=20 Label42=40 Label51=360 Label121=20 Label75=40 Label108=360 "
              "Label110=0 Text1=");
    EXPECT_TRUE(cells.alerts().empty());
}

TEST(Infantry, RidersTakeTheRoomTheyNeed)
{
    const PickCase cases[] = {
        {"two passes",
         {{Id::Label110, "4"}, {Id::Label108, "10000"}},
         "2",
         "Regular Infantry Squad",
         {Id::Label110, Id::Label108, Id::Text1},
         "Label110=2 Label108=5160 Text1=2"},
        {"a fraction books it all but rides whole units",
         {{Id::Label110, "10"}, {Id::Label108, "20000"}},
         "2.5",
         "Regular Infantry Squad",
         {Id::Label57, Id::Label6, Id::Text1, Id::Label110, Id::Label108},
         "Label57=2.5 Label6=6250 Text1=2 Label110=8 Label108=15200"},
        {"half a squad fits in half a squad",
         {{Id::Label110, "0.5"}, {Id::Label108, "10000"}},
         "1",
         "Pioneer Section",
         {Id::Label110, Id::Label108, Id::Text1},
         "Label110=0 Label108=8800 Text1=0.5"},
        {"officers take no room, even overdrawn",
         {{Id::Label110, "-1"}},
         "2",
         "Officer",
         {Id::Label110, Id::Label108, Id::Text2},
         "Label110=-1 Label108=0 Text2=2"},
        {"None with no transport", {}, "3", "None", {Id::Label110, Id::Text2}, "Label110=0 Text2=3"},
        {"a negative count rides none",
         {{Id::Label110, "3"}, {Id::Label108, "9000"}},
         "-2",
         "Militia Infantry Squad",
         {Id::Label108, Id::Label110, Id::Text1},
         "Label108=8900 Label110=3 Text1=0"},
        {"a marching row ignores a raised flag",
         {{Id::Label49, "2"}},
         "4",
         "Commando Squad",
         {Id::Label49, Id::Label121},
         "Label49=2 Label121=16"},
    };
    for (const PickCase &c : cases) {
        Started cells;
        cells.given(c.given);
        if (std::string(c.what).find("marching") != std::string::npos)
            cells.tick(Id::Check2);
        cells.enter(Id::Text2, c.count, Id::Combo9, c.type);
        EXPECT_EQ(texts(cells, c.cells), c.after) << c.what;
        EXPECT_TRUE(cells.alerts().empty()) << c.what;
    }
}

// A refused row's count box is written "0": for rows 1 to 6 that runs its
// gate, which leaves the row open.
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

} // namespace
} // namespace quarvel
