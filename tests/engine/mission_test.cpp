#include "fixture.h"

namespace quarvel {
namespace {

const MemoryCells::Alert kMissionError{" Select Mission Type!", "Mission Error"};

TEST(MissionType, SetsTheMissionCode)
{
    const std::pair<const char *, const char *> cases[] = {
        {"Recon", "1"},
        {"Probe", "1"},
        {"Advance To Contact", "2"},
        {"Artillery Barrage", "3"},
        {"Deliberate Attack", "3"},
        {"Raid", "1"},
        {"None", "0"},
    };
    for (const auto &[type, code] : cases) {
        Started cells;
        cells.pick(Id::Combo2, type);
        EXPECT_EQ(cells.text(Id::Label1), code) << type;
    }
    // A later pick replaces the code; "None" and unknown texts keep it.
    Started cells;
    cells.pick(Id::Combo2, "Advance To Contact");
    cells.pick(Id::Combo2, "None");
    cells.setText(Id::Combo2, "deliberate attack");
    route(cells, Id::Combo2, Event::Click);
    EXPECT_EQ(cells.text(Id::Label1), "2");
}

// A gated box warns at every change while no mission type is set, and opens
// its row at any change after; a program write raises it only when the text
// changes.
TEST(Gate, WarnsThenOpens)
{
    Started cells;
    cells.type(Id::Text20, "12");
    EXPECT_EQ(cells.alerts(), (std::vector<MemoryCells::Alert>{kMissionError, kMissionError}));
    EXPECT_FALSE(cells.enabled(Id::Combo30));
    cells.setText(Id::Text20, "12");
    cells.type(Id::Text16, "5"); // ungated
    EXPECT_EQ(cells.alerts().size(), 2u);
    cells.type(Id::Text12, "1"); // its row is open from start-up, and it warns all the same
    EXPECT_EQ(cells.alerts().size(), 3u);
    EXPECT_TRUE(cells.enabled(Id::Combo25));
    cells.pick(Id::Combo2, "Recon");
    cells.erase(Id::Text20);
    EXPECT_TRUE(cells.enabled(Id::Combo30));
    EXPECT_EQ(cells.alerts().size(), 3u);
}

} // namespace
} // namespace quarvel
