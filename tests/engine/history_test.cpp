#include "cells/history.h"
#include "cells/steps.h"

#include <gtest/gtest.h>

namespace quarvel {
namespace {

FormState withText(std::string text)
{
    FormState state;
    state.texts[index(Id::Text35)] = std::move(text);
    return state;
}

// However long the texts, Undo keeps at most its bytes, the newest steps
// first; short steps are kept by the thousand.
TEST(History, KeepsAtMostItsBytes)
{
    History history;
    FormState state = withText("");
    for (char c = 'a'; c <= 'z'; ++c) {
        const FormState next = withText(std::string(8 << 20, c));
        history.record(state, next, false);
        state = next;
    }
    EXPECT_LE(history.bytes(), std::size_t(64) << 20);
    history.undo(state);
    EXPECT_EQ(state.texts[index(Id::Text35)][0], 'y');

    History small;
    for (int i = 0; i < 1000; ++i)
        small.record(withText(std::to_string(i)), withText(std::to_string(i + 1)), false);
    EXPECT_EQ(small.steps(), 1000u);
}

// A position names a state: Undo and Redo come back to it, a stretch of
// typing taken back returns to where it began, and a step that moves to
// another document comes back with it.
TEST(History, PositionsAndDocumentsComeBackWithTheirStates)
{
    History history;
    const std::uint64_t start = history.position();
    history.record(withText(""), withText("a"), false);
    const std::uint64_t typed = history.position();
    history.record(withText("a"), withText("ab"), true);
    EXPECT_NE(history.position(), typed);
    history.record(withText("ab"), withText(""), true);
    EXPECT_EQ(history.position(), start);

    history.record(withText(""), withText("plan"), false, History::Moved{"draft", "plan"});
    const std::uint64_t opened = history.position();
    FormState state = withText("plan");
    EXPECT_EQ(history.undo(state), std::optional<std::string>("draft"));
    EXPECT_EQ(history.position(), start);
    EXPECT_EQ(history.redo(state), std::optional<std::string>("plan"));
    EXPECT_EQ(history.position(), opened);
}

// Keys typed into one box with nothing between are one step; anything else
// between (another box, a pick, the stretch ended) starts another. A step
// taken after Undo forgets what was undone.
TEST(Steps, AStretchOfTypingIsOneStep)
{
    const struct {
        const char *name;
        std::vector<std::pair<Id, const char *>> actions; // Text35 typed into, or another control used
        bool endStretchBeforeLast;
        std::size_t steps;
    } cases[] = {
        {"typing on", {{Id::Text35, "a"}, {Id::Text35, "ab"}, {Id::Text35, "abc"}}, false, 1},
        {"a pick between", {{Id::Text35, "a"}, {Id::Combo1, "a"}, {Id::Text35, "ab"}}, false, 2},
        {"the stretch ended", {{Id::Text35, "a"}, {Id::Text35, "ab"}}, true, 2},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Steps steps;
        steps.start(withText(""));
        for (std::size_t i = 0; i < c.actions.size(); ++i) {
            if (c.endStretchBeforeLast && i + 1 == c.actions.size())
                steps.endStretch();
            steps.begin(c.actions[i].first, c.actions[i].first == Id::Text35);
            ASSERT_TRUE(steps.end());
            steps.record(withText(c.actions[i].second));
        }
        EXPECT_EQ(steps.history().steps(), c.steps);
    }

    Steps steps;
    steps.start(withText(""));
    for (const char *text : {"a", "b"}) {
        steps.begin(Id::Combo1, false);
        steps.end();
        steps.record(withText(text));
    }
    steps.undo();
    steps.begin(Id::Combo1, false);
    steps.end();
    steps.record(withText("c"));
    EXPECT_FALSE(steps.history().canRedo());
    steps.undo();
    steps.undo();
    EXPECT_TRUE(steps.state() == withText(""));
    EXPECT_FALSE(steps.history().canUndo());
}

} // namespace
} // namespace quarvel
