#include "commands/routes.h"
#include "fixture.h"

#include <optional>

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
}

TEST(MissionType, LaterPicksReplaceTheCodeButNoneKeepsIt)
{
    Started cells;
    cells.pick(Id::Combo2, "Deliberate Attack");
    cells.pick(Id::Combo2, "Raid");
    EXPECT_EQ(cells.text(Id::Label1), "1");
    cells.pick(Id::Combo2, "Advance To Contact");
    cells.pick(Id::Combo2, "None");
    EXPECT_EQ(cells.text(Id::Label1), "2");
    // A text that is no mission type (set by program) keeps the code too.
    cells.setText(Id::Combo2, "deliberate attack");
    route(cells, Id::Combo2, Event::Click);
    EXPECT_EQ(cells.text(Id::Label1), "2");
}

struct Gate {
    Id box;
    std::optional<Id> list;
};

const Gate kGates[] = {
    {Id::Text4, Id::Combo1},   {Id::Text5, Id::Combo3},   {Id::Text6, Id::Combo4},   {Id::Text7, Id::Combo5},
    {Id::Text8, Id::Combo6},   {Id::Text9, Id::Combo7},   {Id::Text32, Id::Combo19}, {Id::Text33, Id::Combo20},
    {Id::Text34, Id::Combo21}, {Id::Text39, Id::Combo22}, {Id::Text12, {}},          {Id::Text18, Id::Combo28},
    {Id::Text19, Id::Combo29}, {Id::Text50, Id::Combo43}, {Id::Text20, Id::Combo30}, {Id::Text21, Id::Combo31},
    {Id::Text22, Id::Combo32}, {Id::Text52, Id::Combo45}, {Id::Text53, Id::Combo46}, {Id::Text10, Id::Combo33},
    {Id::Text13, Id::Combo34}, {Id::Text30, Id::Combo35}, {Id::Text40, Id::Combo36}, {Id::Text44, Id::Combo37},
    {Id::Text46, Id::Combo39}, {Id::Text47, Id::Combo40}, {Id::Text48, Id::Combo41}, {Id::Text49, Id::Combo42},
};

TEST(Gate, WarnsOncePerKeyWhileNoMissionIsSet)
{
    for (const Gate &g : kGates) {
        Started cells;
        cells.type(g.box, "12");
        EXPECT_EQ(cells.alerts(), (std::vector<MemoryCells::Alert>{kMissionError, kMissionError})) << nameOf(g.box);
        EXPECT_EQ(cells.text(g.box), "12");
        if (g.list) {
            EXPECT_FALSE(cells.enabled(*g.list)) << nameOf(g.box);
        }
    }
}

TEST(Gate, OpensTheRowOnceAMissionIsSet)
{
    for (const Gate &g : kGates) {
        Started cells;
        cells.pick(Id::Combo2, "Advance To Contact");
        cells.type(g.box, "3");
        EXPECT_TRUE(cells.alerts().empty()) << nameOf(g.box);
        if (g.list) {
            EXPECT_TRUE(cells.enabled(*g.list)) << nameOf(g.box);
        }
        cells.erase(g.box); // any change opens it; it stays open
        if (g.list) {
            EXPECT_TRUE(cells.enabled(*g.list)) << nameOf(g.box);
        }
    }
}

TEST(Gate, UngatedCountBoxesRunNothing)
{
    Started cells;
    for (Id box :
         {Id::Text2, Id::Text3, Id::Text11, Id::Text14, Id::Text15, Id::Text16, Id::Text23, Id::Text24, Id::Text25,
          Id::Text26, Id::Text27, Id::Text28, Id::Text29, Id::Text35, Id::Text36, Id::Text37, Id::Text38})
        cells.type(box, "5");
    EXPECT_TRUE(cells.alerts().empty());
}

TEST(Gate, RunsNestedInAProgramWriteOnlyWhenTheTextChanges)
{
    Started cells;
    cells.setText(Id::Text4, "0");
    EXPECT_EQ(cells.alerts().size(), 1u);
    cells.setText(Id::Text4, "0");
    EXPECT_EQ(cells.alerts().size(), 1u);
    cells.setText(Id::Label1, "2");
    cells.setText(Id::Text4, " ");
    EXPECT_EQ(cells.alerts().size(), 1u);
    EXPECT_TRUE(cells.enabled(Id::Combo1));
}

TEST(Gate, ListsOfRowsSevenToNineAreOpenWithoutAMission)
{
    Started cells;
    cells.tick(Id::Check2);
    cells.enter(Id::Text2, "2", Id::Combo9, "Regular Infantry Squad");
    EXPECT_EQ(texts(cells, {Id::Label75, Id::Label121}), "Label75=0 Label121=6");
}

} // namespace
} // namespace quarvel
