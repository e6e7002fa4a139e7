#include "cells/history.h"

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

} // namespace
} // namespace quarvel
