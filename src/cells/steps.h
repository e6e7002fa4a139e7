#pragma once

#include "cells/history.h"

#include <optional>
#include <string>

namespace quarvel {

// What one Undo step is. An action begins when an event reaches the form
// while no handler runs, and ends once everything it set going is over (a
// pick changes the list's text and then books its row); it is then recorded
// as one step, from the state the last step left to the state now. Keys
// typed into one box, with nothing else done between them, are one step: a
// stretch of typing, which ends where the person turns to something else.
class Steps {
public:
    // The state start-up leaves, with no step before it.
    void start(const FormState &state);

    // An event reaches the form; `typing` when it is a key typed into
    // `control`. Every begin is followed by its end, handlers inside it
    // nested between.
    void begin(Id control, bool typing);
    // Returns true when this ends the action: it can then be recorded.
    bool end();

    // Records the action that ended, given the state it left. Returns true
    // when the state changed.
    bool record(const FormState &now);
    bool pending() const { return pending_ && depth_ == 0; }

    // Puts a whole state in place as one step of its own that moves to
    // another document (New, Open).
    void moveTo(const FormState &state, History::Moved moved);
    // Each takes the state over one step and returns the document the window
    // holds after it, when the step moved to another.
    std::optional<std::string> undo();
    std::optional<std::string> redo();

    // As the last step left it.
    const FormState &state() const { return state_; }
    const History &history() const { return history_; }
    // The box the last step typed into, while its stretch goes on.
    std::optional<Id> stretch() const { return stretch_; }
    void endStretch() { stretch_.reset(); }

private:
    History history_;
    FormState state_;
    int depth_ = 0;           // handlers running
    bool pending_ = false;    // an action not recorded yet
    bool typingOnly_ = true;  // and all it did was type into one box:
    std::optional<Id> typed_; // this one
    std::optional<Id> stretch_;
};

} // namespace quarvel
