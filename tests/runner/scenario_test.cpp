#include "scenario.h"

#include <gtest/gtest.h>

namespace quarvel::scenario {
namespace {

struct Parsed {
    const char *line;
    std::vector<std::string> args;
};

TEST(ScenarioParse, TextIsQuotedOrTheRestOfTheLine)
{
    const Parsed cases[] = {
        {"expect Label1 0", {"Label1", "0"}},
        {"expect   Label70   Pounds of Cargo  ", {"Label70", "Pounds of Cargo"}},
        {"expect Label109 \"You can Carry \"", {"Label109", "You can Carry "}},
        {"expect Text4 \"\"", {"Text4", ""}},
        {"expect Text4 \" \"", {"Text4", " "}},
        {"expect Text4", {"Text4", ""}},
        {"expect Label106 Weapons from the \"Towed\" Section", {"Label106", "Weapons from the \"Towed\" Section"}},
        {"expect Label106 \"Weapons from the \\\"Towed\\\" Section\"",
         {"Label106", "Weapons from the \"Towed\" Section"}},
        {"set Text4 \"a\\\\b\"", {"Text4", "a\\b"}},
        {"expect Text4 \"a\" b", {"Text4", "\"a\" b"}},
        {"alert \"Mission Error\" \" Select Mission Type!\"", {"Mission Error", " Select Mission Type!"}},
        {"alert Transport You Need More Vehicles For Towing", {"Transport", "You Need More Vehicles For Towing"}},
        {"entry Combo2 6 Deliberate Attack", {"Combo2", "6", "Deliberate Attack"}},
        {"shot \"my shot.png\"", {"my shot.png"}},
        {"key Return\r", {"Return"}},
        {"tab", {}},
    };
    for (const Parsed &c : cases) {
        const Script s = parse(c.line);
        ASSERT_TRUE(s.errors.empty()) << c.line << ": " << s.errors.front().why;
        ASSERT_EQ(s.steps.size(), 1u) << c.line;
        EXPECT_EQ(s.steps[0].args, c.args) << c.line;
    }
}

TEST(ScenarioParse, SkipsCommentsAndBlankLinesAndCountsLines)
{
    const Script s = parse("# start\n\n   # indented comment\n\ttab\nno-alert\n");
    ASSERT_EQ(s.steps.size(), 2u);
    EXPECT_EQ(s.steps[0].line, 4);
    EXPECT_EQ(s.steps[1].line, 5);
    EXPECT_TRUE(s.errors.empty());
}

TEST(ScenarioParse, ReadsPastAByteOrderMark)
{
    const Script s = parse("\xEF\xBB\xBF"
                           "expect Label1 0\r\n");
    ASSERT_TRUE(s.errors.empty());
    ASSERT_EQ(s.steps.size(), 1u);
    EXPECT_EQ(s.steps[0].verb, "expect");
}

TEST(ScenarioParse, RefusesStepsItDoesNotKnow)
{
    for (const char *line : {"frobnicate Text4", "expect Label999 0", "tick", "tab now", "entries Combo2 seven",
                             "entry Combo2 -1 None", "press Command2 twice"}) {
        const Script s = parse(line);
        EXPECT_EQ(s.errors.size(), 1u) << line;
        EXPECT_TRUE(s.steps.empty()) << line;
    }
}

} // namespace
} // namespace quarvel::scenario
