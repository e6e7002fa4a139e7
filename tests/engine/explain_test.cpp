#include "fixture.h"

#include "commands/explain.h"

namespace quarvel {
namespace {

// Each summary number's parts add up to the number shown, over a force with
// every section in it. Only a row booked again leaves a part to earlier
// picks; a recount of the squads from the pounds is a part of its own.
TEST(Explain, PartsAddUpToTheNumber)
{
    const struct {
        const char *what;
        std::vector<Id> then; // clicked once the force is entered: a Clear, or a list booked again
        const char *unexplained;
    } sessions[] = {
        {"the force", {}, "Label110 recounted "},
        {"towed, weapons and supplies cleared", {Id::Command16, Id::Command8}, "Label110 recounted "},
        {"trucks and APCs cleared", {Id::Command11}, ""},
        {"a truck booked again", {Id::Combo33}, "Label110 recounted Label108 "},
    };
    for (const auto &session : sessions) {
        Started cells;
        cells.pick(Id::Combo2, "Deliberate Attack");
        cells.enter(Id::Text10, "2", Id::Combo33, "Ural-375 Heavy Truck");
        cells.enter(Id::Text13, "1", Id::Combo34, "Mule Train");
        cells.enter(Id::Text46, "1", Id::Combo39, "BTR-152 APC");
        cells.enter(Id::Text20, "2", Id::Combo30, "T-55 MBT");
        cells.enter(Id::Text18, "1", Id::Combo28, "M-44 155mm SP Gun");
        cells.tick(Id::Check1); // marching
        cells.enter(Id::Text4, "2", Id::Combo1, "Commando Squad");
        cells.enter(Id::Text5, "3", Id::Combo3, "Pioneer Section");
        cells.enter(Id::Text16, "4", Id::Combo12, "M-69 82mm Mortar");
        cells.enter(Id::Text29, "250", Id::Combo8, "Combat Supplies");
        cells.enter(Id::Text32, "2", Id::Combo19, "D-30 122mm Howitzer");
        for (Id control : session.then)
            route(cells, control, Event::Click);
        std::string unexplained;
        for (Id figure : kExplainedFigures) {
            const Explanation explanation = explanationOf(cells, figure);
            double sum = 0;
            for (const Explanation::Part &part : explanation.parts) {
                sum += part.amount;
                if (part.heading == kEarlier || part.heading == kRecounted)
                    unexplained += std::string(nameOf(figure)) + (part.heading == kEarlier ? " " : " recounted ");
            }
            EXPECT_EQ(numberText(sum), cells.text(figure)) << session.what << " " << nameOf(figure);
        }
        EXPECT_EQ(unexplained, session.unexplained) << session.what;
        EXPECT_TRUE(cells.alerts().empty()) << session.what;
    }
}

} // namespace
} // namespace quarvel
