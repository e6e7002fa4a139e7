#include "fixture.h"

namespace quarvel {
namespace {

struct EveryType {
    Id count, list;
    const char *given, *after;
};

// Every type of a family once, under code 2: the family's figures are the
// sums of its types' figures (infantry marching, weapons with room for all,
// guns with just enough towing: none is left, which is no shortage).
TEST(Families, EveryTypeOnce)
{
    const EveryType cases[] = {
        {Id::Text2, Id::Combo9, "",
         "Label57=7 Label6=17500 Label43=20 Label42=40 Label51=360 Label108=360 Label110=0 Text1="},
        {Id::Text16, Id::Combo12, "Label108=1000",
         "Label181=675 Label4=675 Label108=325 Label65=37 Label9=74 Label121=37 Label75=74"},
        {Id::Text32, Id::Combo19, "Label40=7",
         "Label171=83 Label121=83 Label170=166 Label75=166 Label13=7 Label33=7 Label40=0"},
        {Id::Text10, Id::Combo33, "",
         "Label108=16900 Label110=6 Label75=38 Label21=38 Label18=19 Label121=19 Label40=4 Label25=4 Label33=1 "
         "Label22=1"},
        {Id::Text46, Id::Combo39, "",
         "Label108=17500 Label110=7 Label75=44 Label50=44 Label34=22 Label121=22 Label40=6 Label46=6"},
        {Id::Text20, Id::Combo30, "",
         "Label75=156 Label77=156 Label17=2.5 Label81=2.5 Label121=78 Label80=78 Label60=11 Label40=11"},
        {Id::Text12, Id::Combo25, "", "Label130=116 Label121=116 Label55=232 Label75=232 Label44=12 Label40=12"},
    };
    for (const EveryType &c : cases) {
        Started cells;
        cells.given("Label1=2");
        cells.given(c.given);
        if (c.list == Id::Combo9)
            cells.tick(Id::Check2);
        for (const std::string &type : cells.entries(c.list))
            cells.enter(c.count, "1", c.list, type.c_str());
        EXPECT_EQ(texts(cells, c.after), c.after) << nameOf(c.list);
        EXPECT_TRUE(cells.alerts().empty()) << nameOf(c.list);
    }
}

struct Pick {
    const char *what, *given;
    Id count, list;
    const char *n, *type, *after;
};

// Picks that fit: counts as typed, fractions and negatives included, whole
// units riding, the squads worked out from the pounds left.
TEST(Families, PicksThatFit)
{
    const Pick cases[] = {
        {"two squads ride", "Label110=4 Label108=10000", Id::Text2, Id::Combo9, "2", "Regular Infantry Squad",
         "Label110=2 Label108=5160 Text1=2"},
        {"2.5 squads book it all, two ride", "Label110=10 Label108=20000", Id::Text2, Id::Combo9, "2.5",
         "Regular Infantry Squad", "Label57=2.5 Text1=2 Label110=8 Label108=15200"},
        {"half a squad fits in half a squad", "Label110=0.5 Label108=10000", Id::Text2, Id::Combo9, "1",
         "Pioneer Section", "Label110=0 Label108=8800"},
        {"officers take no room, even overdrawn", "Label110=-1", Id::Text2, Id::Combo9, "2", "Officer",
         "Label110=-1 Text1=0"},
        {"a negative count rides none", "Label110=3 Label108=9000", Id::Text2, Id::Combo9, "-2",
         "Militia Infantry Squad", "Label108=8900 Text1=0"},
        {"2.5 mortars: load for 2.5, two aboard", "Label108=1000", Id::Text16, Id::Combo12, "2.5", "M-69 82mm Mortar",
         "Label121=40 Label181=245 Label108=804 Label4=196"},
        {"a unit that weighs what is left fits", "Label108=98", Id::Text16, Id::Combo12, "1", "M-69 82mm Mortar",
         "Label108=0 Label110=0"},
        {"an empty count books nothing but rewrites", "Label108=3800", Id::Text16, Id::Combo12, "", "Demo Charge",
         "Label181=0 Label2=70 Label110=1.5"},
        {"supplies beyond the combat load ride", "Label121=4 Label108=5000", Id::Text29, Id::Combo8, "10",
         "Combat Supplies", "Label66=1000 Label113=600 Label108=4400"},
        {"supplies within the combat load take no room", "Label121=5 Label108=1000", Id::Text29, Id::Combo8, "2",
         "Combat Supplies", "Label113=0 Label108=1000"},
        {"a combat load grown since frees room", "Label66=1000 Label113=600 Label121=8 Label108=2000", Id::Text29,
         Id::Combo8, "", "Combat Supplies", "Label113=200 Label108=2400"},
        {"1.5 guns", "Label1=2 Label40=4", Id::Text32, Id::Combo19, "1.5", "ZPU-4 AAMG",
         "Label121=9 Label75=18 Label40=2.5"},
        {"2.5 trucks", "Label1=2", Id::Text10, Id::Combo33, "2.5", "Ural-375 Heavy Truck",
         "Label108=18750 Label110=7.5 Label75=25 Label121=12.5"},
    };
    for (const Pick &c : cases) {
        Started cells;
        cells.given(c.given);
        cells.enter(c.count, c.n, c.list, c.type);
        EXPECT_EQ(texts(cells, c.after), c.after) << c.what;
        EXPECT_TRUE(cells.alerts().empty()) << c.what;
    }
}

} // namespace
} // namespace quarvel
