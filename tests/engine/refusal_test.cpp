#include "fixture.h"

#include <vector>

namespace quarvel {
namespace {

const MemoryCells::Alert kCargo{"*-*Not Enough Transport to carry Cargo: Hit Reset to redo!", "Transport Error"};
const MemoryCells::Alert kTowing{"You Need More Vehicles For Towing", "Transport Error"};

struct Refusal {
    const char *what;
    std::initializer_list<std::pair<Id, const char *>> given;
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
        {"the second squad finds no room",
         {{Id::Label1, "3"}, {Id::Label110, "1"}, {Id::Label108, "10000"}, {Id::Label75, "7"}, {Id::Label121, "5"}},
         Id::Text2,
         Id::Combo9,
         "2",
         "Regular Infantry Squad",
         kCargo,
         "Text2=0"},
        {"the second section finds half a squad too few",
         {{Id::Label110, "0.5"}, {Id::Label108, "10000"}},
         Id::Text2,
         Id::Combo9,
         "2",
         "Medic Section",
         kCargo,
         "Text2=0"},
        {"a flag left raised refuses even a count of 0",
         {{Id::Label110, "5"}, {Id::Label108, "9000"}, {Id::Label49, "1"}},
         Id::Text2,
         Id::Combo9,
         "0",
         "Commando Squad",
         kCargo,
         ""},
        {"no mortar fits",
         {{Id::Label1, "1"}, {Id::Label108, "50"}, {Id::Label121, "3"}, {Id::Label75, "4"}},
         Id::Text16,
         Id::Combo12,
         "1",
         "M-69 82mm Mortar",
         kCargo,
         "Text16=0"},
        {"the second SAM does not fit",
         {{Id::Label108, "100"}, {Id::Label4, "500"}},
         Id::Text16,
         Id::Combo12,
         "3",
         "SA-8 Gecko SAM",
         kCargo,
         "Text16=0"},
        {"a flag left raised refuses weapons that fit",
         {{Id::Label108, "5000"}, {Id::Label49, "1"}, {Id::Label121, "9"}},
         Id::Text16,
         Id::Combo12,
         "1",
         "FFV Carl Gustav",
         kCargo,
         "Text16=0"},
        {"no towing at all", {{Id::Label1, "1"}}, Id::Text32, Id::Combo19, "1", "ZPU-4 AAMG", kTowing, "Text32=0"},
        {"one gun too many",
         {{Id::Label1, "2"}, {Id::Label40, "1"}},
         Id::Text32,
         Id::Combo19,
         "2",
         "ZU-23-2 AAA",
         kTowing,
         "Text32=0"},
        {"supplies with no transport", {}, Id::Text29, Id::Combo8, "5", "Combat Supplies", kCargo, ""},
        {"a second booking beyond the room",
         {{Id::Label108, "500"}, {Id::Label66, "500"}, {Id::Label113, "500"}},
         Id::Text29,
         Id::Combo8,
         "6",
         "Combat Supplies",
         kCargo,
         ""},
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
