#include "fixture.h"

namespace quarvel {
namespace {

struct EveryType {
    Id count, list;
    std::initializer_list<std::pair<Id, const char *>> given;
    std::initializer_list<Id> cells;
    const char *after;
};

// Every type of a family once, under code 2: the family's figures are the
// sums of its types' figures (infantry marching, weapons with room for all,
// guns with just enough towing: none is left, which is no shortage).
TEST(Families, EveryTypeOnce)
{
    using I = Id;
    const EveryType cases[] = {
        {I::Text2,
         I::Combo9,
         {},
         {I::Label57, I::Label6, I::Label43, I::Label42, I::Label51, I::Label108, I::Label110, I::Text1},
         "Label57=7 Label6=17500 Label43=20 Label42=40 Label51=360 Label108=360 Label110=0 Text1="},
        {I::Text16,
         I::Combo12,
         {{I::Label108, "1000"}},
         {I::Label181, I::Label4, I::Label108, I::Label65, I::Label9, I::Label121, I::Label75},
         "Label181=675 Label4=675 Label108=325 Label65=37 Label9=74 Label121=37 Label75=74"},
        {I::Text32,
         I::Combo19,
         {{I::Label40, "7"}},
         {I::Label171, I::Label121, I::Label170, I::Label75, I::Label13, I::Label33, I::Label40},
         "Label171=83 Label121=83 Label170=166 Label75=166 Label13=7 Label33=7 Label40=0"},
        {I::Text10,
         I::Combo33,
         {},
         {I::Label108, I::Label110, I::Label75, I::Label21, I::Label18, I::Label121, I::Label40, I::Label25, I::Label33,
          I::Label22},
         "Label108=16900 Label110=6 Label75=38 Label21=38 Label18=19 Label121=19 Label40=4 Label25=4 Label33=1 "
         "Label22=1"},
        {I::Text46,
         I::Combo39,
         {},
         {I::Label108, I::Label110, I::Label75, I::Label50, I::Label34, I::Label121, I::Label40, I::Label46},
         "Label108=17500 Label110=7 Label75=44 Label50=44 Label34=22 Label121=22 Label40=6 Label46=6"},
        {I::Text20,
         I::Combo30,
         {},
         {I::Label75, I::Label77, I::Label17, I::Label81, I::Label121, I::Label80, I::Label60, I::Label40},
         "Label75=156 Label77=156 Label17=2.5 Label81=2.5 Label121=78 Label80=78 Label60=11 Label40=11"},
        {I::Text12,
         I::Combo25,
         {},
         {I::Label130, I::Label121, I::Label55, I::Label75, I::Label44, I::Label40},
         "Label130=116 Label121=116 Label55=232 Label75=232 Label44=12 Label40=12"},
    };
    for (const EveryType &c : cases) {
        Started cells;
        cells.given({{Id::Label1, "2"}});
        cells.given(c.given);
        if (c.list == Id::Combo9)
            cells.tick(Id::Check2);
        for (const std::string &type : cells.entries(c.list))
            cells.enter(c.count, "1", c.list, type.c_str());
        EXPECT_EQ(texts(cells, c.cells), c.after) << nameOf(c.list);
        EXPECT_TRUE(cells.alerts().empty()) << nameOf(c.list);
    }
}

struct Pick {
    const char *what;
    std::initializer_list<std::pair<Id, const char *>> given;
    Id count, list;
    const char *n, *type;
    std::initializer_list<Id> cells;
    const char *after;
};

// Picks that fit: counts as typed, fractions and negatives included, whole
// units riding, the squads worked out from the pounds left.
TEST(Families, PicksThatFit)
{
    using I = Id;
    const Pick cases[] = {
        {"two squads ride",
         {{I::Label110, "4"}, {I::Label108, "10000"}},
         I::Text2,
         I::Combo9,
         "2",
         "Regular Infantry Squad",
         {I::Label110, I::Label108, I::Text1},
         "Label110=2 Label108=5160 Text1=2"},
        {"2.5 squads book it all, two ride",
         {{I::Label110, "10"}, {I::Label108, "20000"}},
         I::Text2,
         I::Combo9,
         "2.5",
         "Regular Infantry Squad",
         {I::Label57, I::Text1, I::Label110, I::Label108},
         "Label57=2.5 Text1=2 Label110=8 Label108=15200"},
        {"half a squad fits in half a squad",
         {{I::Label110, "0.5"}, {I::Label108, "10000"}},
         I::Text2,
         I::Combo9,
         "1",
         "Pioneer Section",
         {I::Label110, I::Label108},
         "Label110=0 Label108=8800"},
        {"officers take no room, even overdrawn",
         {{I::Label110, "-1"}},
         I::Text2,
         I::Combo9,
         "2",
         "Officer",
         {I::Label110, I::Text1},
         "Label110=-1 Text1=0"},
        {"a negative count rides none",
         {{I::Label110, "3"}, {I::Label108, "9000"}},
         I::Text2,
         I::Combo9,
         "-2",
         "Militia Infantry Squad",
         {I::Label108, I::Text1},
         "Label108=8900 Text1=0"},
        {"2.5 mortars: load for 2.5, two aboard",
         {{I::Label108, "1000"}},
         I::Text16,
         I::Combo12,
         "2.5",
         "M-69 82mm Mortar",
         {I::Label121, I::Label181, I::Label108, I::Label4},
         "Label121=40 Label181=245 Label108=804 Label4=196"},
        {"a unit that weighs what is left fits",
         {{I::Label108, "98"}},
         I::Text16,
         I::Combo12,
         "1",
         "M-69 82mm Mortar",
         {I::Label108, I::Label110},
         "Label108=0 Label110=0"},
        {"an empty count books nothing but rewrites",
         {{I::Label108, "3800"}},
         I::Text16,
         I::Combo12,
         "",
         "Demo Charge",
         {I::Label181, I::Label2, I::Label110},
         "Label181=0 Label2=70 Label110=1.5"},
        {"supplies beyond the combat load ride",
         {{I::Label121, "4"}, {I::Label108, "5000"}},
         I::Text29,
         I::Combo8,
         "10",
         "Combat Supplies",
         {I::Label66, I::Label113, I::Label108},
         "Label66=1000 Label113=600 Label108=4400"},
        {"supplies within the combat load take no room",
         {{I::Label121, "5"}, {I::Label108, "1000"}},
         I::Text29,
         I::Combo8,
         "2",
         "Combat Supplies",
         {I::Label113, I::Label108},
         "Label113=0 Label108=1000"},
        {"a combat load grown since frees room",
         {{I::Label66, "1000"}, {I::Label113, "600"}, {I::Label121, "8"}, {I::Label108, "2000"}},
         I::Text29,
         I::Combo8,
         "",
         "Combat Supplies",
         {I::Label113, I::Label108},
         "Label113=200 Label108=2400"},
        {"1.5 guns",
         {{I::Label1, "2"}, {I::Label40, "4"}},
         I::Text32,
         I::Combo19,
         "1.5",
         "ZPU-4 AAMG",
         {I::Label121, I::Label75, I::Label40},
         "Label121=9 Label75=18 Label40=2.5"},
        {"2.5 trucks",
         {{I::Label1, "2"}},
         I::Text10,
         I::Combo33,
         "2.5",
         "Ural-375 Heavy Truck",
         {I::Label108, I::Label110, I::Label75, I::Label121},
         "Label108=18750 Label110=7.5 Label75=25 Label121=12.5"},
    };
    for (const Pick &c : cases) {
        Started cells;
        cells.given(c.given);
        cells.enter(c.count, c.n, c.list, c.type);
        EXPECT_EQ(texts(cells, c.cells), c.after) << c.what;
        EXPECT_TRUE(cells.alerts().empty()) << c.what;
    }
}

} // namespace
} // namespace quarvel
