#include "fixture.h"

namespace quarvel {
namespace {

struct EveryType {
    Id count, list;
    std::initializer_list<Id> cells;
    const char *after;
};

// Every type of a vehicle family once, under code 2: the family's figures
// are the sums of its types' figures.
TEST(Vehicles, EveryTypeOnce)
{
    const EveryType cases[] = {
        {Id::Text10,
         Id::Combo33,
         {Id::Label108, Id::Label110, Id::Label75, Id::Label21, Id::Label18, Id::Label121, Id::Label40, Id::Label25,
          Id::Label33, Id::Label22},
         "Label108=16900 Label110=6 Label75=38 Label21=38 Label18=19 Label121=19 Label40=4 Label25=4 Label33=1 "
         "Label22=1"},
        {Id::Text46,
         Id::Combo39,
         {Id::Label108, Id::Label110, Id::Label75, Id::Label50, Id::Label34, Id::Label121, Id::Label40, Id::Label46},
         "Label108=17500 Label110=7 Label75=44 Label50=44 Label34=22 Label121=22 Label40=6 Label46=6"},
        {Id::Text20,
         Id::Combo30,
         {Id::Label75, Id::Label77, Id::Label17, Id::Label81, Id::Label121, Id::Label80, Id::Label60, Id::Label40},
         "Label75=156 Label77=156 Label17=2.5 Label81=2.5 Label121=78 Label80=78 Label60=11 Label40=11"},
        {Id::Text12,
         Id::Combo25,
         {Id::Label130, Id::Label121, Id::Label55, Id::Label75, Id::Label44, Id::Label40},
         "Label130=116 Label121=116 Label55=232 Label75=232 Label44=12 Label40=12"},
    };
    for (const EveryType &c : cases) {
        Started cells;
        cells.given({{Id::Label1, "2"}});
        for (const std::string &type : cells.entries(c.list))
            cells.enter(c.count, "1", c.list, type.c_str());
        EXPECT_EQ(texts(cells, c.cells), c.after) << nameOf(c.list);
    }
}

// Counts are used as typed, fractions and negatives included, and the
// mission code counts at the pick.
TEST(Vehicles, CountsAsTyped)
{
    Started cells;
    cells.enter(Id::Text10, "2.5", Id::Combo33, "Ural-375 Heavy Truck");
    cells.given({{Id::Label1, "3"}});
    cells.enter(Id::Text13, "-1", Id::Combo34, "ZIL Medium Truck");
    EXPECT_EQ(texts(cells, {Id::Label108, Id::Label110, Id::Label75, Id::Label121}),
              "Label108=13750 Label110=5.5 Label75=-12 Label121=8.5");
}

} // namespace
} // namespace quarvel
