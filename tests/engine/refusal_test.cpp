#include "fixture.h"

#include <vector>

namespace quarvel {
namespace {

const MemoryCells::Alert kCargo{"*-*Not Enough Transport to carry Cargo: Hit Reset to redo!", "Transport Error"};
const MemoryCells::Alert kTowing{"You Need More Vehicles For Towing", "Transport Error"};

struct Refusal {
    const char *what, *given;
    Id count, list;
    const char *n, *type;
    const MemoryCells::Alert &alert;
    const char *changed; // the count box goes back to 0; the supplies keep theirs
};

// A pick the transport cannot take shows its box and then leaves every cell
// as it was before the pick, but for its count box.
TEST(Refusal, ARefusedPickBooksNothing)
{
    const Refusal cases[] = {
        {"the second squad finds no room", "Label1=3 Label110=1 Label108=10000 Label75=7 Label121=5", Id::Text2,
         Id::Combo9, "2", "Regular Infantry Squad", kCargo, "Text2=0"},
        {"the second section finds half a squad too few", "Label110=0.5 Label108=10000", Id::Text2, Id::Combo9, "2",
         "Medic Section", kCargo, "Text2=0"},
        {"a flag left raised refuses even a count of 0", "Label110=5 Label108=9000 Label49=1", Id::Text2, Id::Combo9,
         "0", "Commando Squad", kCargo, ""},
        {"no mortar fits", "Label1=1 Label108=50 Label121=3 Label75=4", Id::Text16, Id::Combo12, "1",
         "M-69 82mm Mortar", kCargo, "Text16=0"},
        {"the second SAM does not fit", "Label108=100 Label4=500", Id::Text16, Id::Combo12, "3", "SA-8 Gecko SAM",
         kCargo, "Text16=0"},
        {"a flag left raised refuses weapons that fit", "Label108=5000 Label49=1 Label121=9", Id::Text16, Id::Combo12,
         "1", "FFV Carl Gustav", kCargo, "Text16=0"},
        {"no towing at all", "Label1=1", Id::Text32, Id::Combo19, "1", "ZPU-4 AAMG", kTowing, "Text32=0"},
        {"one gun too many", "Label1=2 Label40=1", Id::Text32, Id::Combo19, "2", "ZU-23-2 AAA", kTowing, "Text32=0"},
        {"supplies with no transport", "", Id::Text29, Id::Combo8, "5", "Combat Supplies", kCargo, ""},
        {"a second booking beyond the room", "Label108=500 Label66=500 Label113=500", Id::Text29, Id::Combo8, "6",
         "Combat Supplies", kCargo, ""},
    };
    for (const Refusal &c : cases) {
        Started cells;
        cells.given(c.given);
        cells.setText(c.count, c.n);
        cells.setText(c.list, c.type);
        const std::vector<std::string> before = allTexts(cells);
        route(cells, c.list, Event::Click);
        EXPECT_EQ(changedSince(cells, before), c.changed) << c.what;
        EXPECT_EQ(cells.alerts(), std::vector<MemoryCells::Alert>{c.alert}) << c.what;
    }
}

} // namespace
} // namespace quarvel
