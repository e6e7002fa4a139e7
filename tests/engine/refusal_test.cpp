#include "fixture.h"

#include <functional>
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

const std::initializer_list<Id> kSummary = {Id::Label110, Id::Label108, Id::Label40, Id::Label75, Id::Label121};

struct Mishap {
    const char *what;
    std::function<void(Started &)> act;
    const char *summary;
    std::size_t refusals;
};

// Mishaps a planner meets, each from a window with "Deliberate Attack" and
// one ZIL truck: 2 squads, 5000 pounds, 1 gun to tow, 12 supplies needed, 4
// carried. A refused row leaves nothing behind, and the Clears take back
// exactly what was booked.
TEST(Refusal, FiguresStaySoundAfterAMishap)
{
    const Mishap cases[] = {
        {"howitzers refused, then the towed Clear",
         [](Started &c) {
             c.enter(Id::Text32, "2", Id::Combo19, "D-30 122mm Howitzer");
             c.press(Id::Command16);
         },
         "Label110=2 Label108=5000 Label40=1 Label75=12 Label121=4", 1},
        {"squads refused, then the infantry Clear",
         [](Started &c) {
             c.enter(Id::Text4, "3", Id::Combo1, "Regular Infantry Squad");
             c.press(Id::Command2);
         },
         "Label110=2 Label108=5000 Label40=1 Label75=12 Label121=4", 1},
        {"mortars refused, smoke entered again, then the weapons Clear",
         [](Started &c) {
             c.enter(Id::Text23, "10", Id::Combo13, "Smoke Munition");
             c.enter(Id::Text24, "60", Id::Combo14, "M-69 82mm Mortar");
             c.enter(Id::Text23, "39", Id::Combo13, "Smoke Munition");
             EXPECT_EQ(c.text(Id::Label108), "100");
             c.press(Id::Command8);
         },
         "Label110=2 Label108=5000 Label40=1 Label75=12 Label121=4", 1},
        {"supplies refused, then the weapons Clear",
         [](Started &c) {
             c.enter(Id::Text29, "60", Id::Combo8, "Combat Supplies");
             c.press(Id::Command8);
         },
         "Label110=2 Label108=5000 Label40=1 Label75=12 Label121=4", 1},
        {"supplies refused, then squads that fit ride",
         [](Started &c) {
             c.enter(Id::Text29, "150", Id::Combo8, "Combat Supplies");
             c.enter(Id::Text4, "2", Id::Combo1, "Regular Infantry Squad");
         },
         "Label110=0 Label108=160 Label40=1 Label75=30 Label121=10", 1},
        {"riders and supplies, then the trucks', infantry and weapons Clears",
         [](Started &c) {
             c.enter(Id::Text13, "1", Id::Combo34, "ZIL Medium Truck");
             c.enter(Id::Text4, "2", Id::Combo1, "Regular Infantry Squad");
             c.enter(Id::Text29, "20", Id::Combo8, "Combat Supplies");
             c.press(Id::Command11);
             c.press(Id::Command2);
             c.press(Id::Command8);
         },
         "Label110=0 Label108=0 Label40=0 Label75=0 Label121=0", 0},
        {"supplies picked five times with an empty count",
         [](Started &c) {
             for (int i = 0; i < 5; ++i)
                 c.enter(Id::Text29, "", Id::Combo8, "Combat Supplies");
         },
         "Label110=2 Label108=5000 Label40=1 Label75=12 Label121=4", 0},
    };
    for (const Mishap &c : cases) {
        Started cells;
        cells.pick(Id::Combo2, "Deliberate Attack");
        cells.enter(Id::Text10, "1", Id::Combo33, "ZIL Medium Truck");
        c.act(cells);
        EXPECT_EQ(texts(cells, kSummary), c.summary) << c.what;
        EXPECT_EQ(cells.alerts().size(), c.refusals) << c.what;
        for (const MemoryCells::Alert &alert : cells.alerts())
            EXPECT_EQ(alert.title, "Transport Error") << c.what;
    }
}

} // namespace
} // namespace quarvel
