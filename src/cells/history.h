#pragma once

#include "cells/formstate.h"

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

namespace quarvel {

// The steps a person took, to be undone and redone. A step keeps only the
// controls it changed, each as it was before and after, so that a long
// history takes little room; beyond `most` steps the oldest are forgotten.
class History {
public:
    explicit History(std::size_t most = 10000) : most_(most) {}

    // Records the step from `before` to `after`, forgetting what was undone.
    // A step that changes nothing is none. With `join`, the step becomes part
    // of the last one, as a stretch of typing in one box does.
    void record(const FormState &before, const FormState &after, bool join);

    bool canUndo() const { return done_ > 0; }
    bool canRedo() const { return done_ < steps_.size(); }

    // Takes `state` back over the last step done, or on over the next one
    // undone.
    void undo(FormState &state);
    void redo(FormState &state);

    void clear();
    std::size_t steps() const { return steps_.size(); }

private:
    struct Change {
        Id id;
        std::string textBefore, textAfter;
        bool enabledBefore, enabledAfter;
    };
    using Step = std::vector<Change>;

    std::deque<Step> steps_;
    std::size_t done_ = 0; // steps_[0, done_) are done, the rest undone
    std::size_t most_;
};

} // namespace quarvel
