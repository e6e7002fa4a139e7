#include "fixture.h"

#include "commands/explain.h"

#include <functional>

namespace quarvel {
namespace {

// A force with every section in it: some infantry march, some ride.
void wholeForce(Started &cells)
{
    cells.pick(Id::Combo2, "Deliberate Attack");
    cells.enter(Id::Text10, "2", Id::Combo33, "Ural-375 Heavy Truck");
    cells.enter(Id::Text13, "1", Id::Combo34, "Mule Train");
    cells.enter(Id::Text46, "1", Id::Combo39, "BTR-152 APC");
    cells.enter(Id::Text20, "2", Id::Combo30, "T-55 MBT");
    cells.enter(Id::Text18, "1", Id::Combo28, "M-44 155mm SP Gun");
    cells.tick(Id::Check1);
    cells.enter(Id::Text4, "2", Id::Combo1, "Commando Squad");
    cells.enter(Id::Text5, "3", Id::Combo3, "Pioneer Section");
    cells.enter(Id::Text16, "4", Id::Combo12, "M-69 82mm Mortar");
    cells.enter(Id::Text29, "250", Id::Combo8, "Combat Supplies");
    cells.enter(Id::Text32, "2", Id::Combo19, "D-30 122mm Howitzer");
}

// Each summary number's parts add up to the number shown. Only a row booked
// again leaves a part to earlier picks; a recount of the squads from the
// pounds, a part of its own.
TEST(Explain, PartsAddUpToTheNumber)
{
    const struct {
        const char *what;
        std::function<void(Started &)> play;
        const char *earlier; // the numbers with a part no section's
    } sessions[] = {
        {"start-up", [](Started &) {}, ""},
        {"the whole force", wholeForce, "Label110 recounted "},
        {"towed, weapons and supplies cleared: the squads recounted from the pounds",
         [](Started &c) {
             wholeForce(c);
             c.press(Id::Command16);
             c.press(Id::Command8);
         },
         "Label110 recounted "},
        {"trucks and APCs cleared",
         [](Started &c) {
             wholeForce(c);
             c.press(Id::Command11);
         },
         ""},
        {"a truck booked twice",
         [](Started &c) {
             wholeForce(c);
             c.pick(Id::Combo33, "Ural-375 Heavy Truck");
         },
         "Label110 recounted Label108 "},
    };
    for (const auto &session : sessions) {
        Started cells;
        session.play(cells);
        std::string earlier;
        for (Id figure : kExplainedFigures) {
            const Explanation explanation = explanationOf(cells, figure);
            double sum = 0;
            for (const Explanation::Part &part : explanation.parts) {
                sum += part.amount;
                if (part.heading == kEarlier || part.heading == kRecounted)
                    earlier += std::string(nameOf(figure)) + (part.heading == kEarlier ? " " : " recounted ");
            }
            EXPECT_EQ(numberText(sum), explanation.total) << session.what << " " << nameOf(figure);
            EXPECT_EQ(explanation.total, cells.text(figure)) << session.what << " " << nameOf(figure);
        }
        EXPECT_EQ(earlier, session.earlier) << session.what;
    }
}

// The typical event, in the window's words.
TEST(Explain, InTheWindowsWords)
{
    Started cells;
    cells.pick(Id::Combo2, "Deliberate Attack");
    cells.enter(Id::Text10, "2", Id::Combo33, "ZIL Medium Truck");
    cells.enter(Id::Text4, "3", Id::Combo1, "Regular Infantry Squad");
    EXPECT_EQ(explanationText(cells, kPoundsFree), "Trucks: +10000\nInfantry: -7260\nTotal: 2740");
}

} // namespace
} // namespace quarvel
