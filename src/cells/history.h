#pragma once

#include "cells/formstate.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace quarvel {

// The steps a person took, to be undone and redone. A step keeps only the
// controls it changed, each as it was before and after, so that a long
// history takes little room; beyond `most` steps, or `mostBytes` of texts
// kept, the oldest are forgotten.
//
// A step that puts a whole other plan in the window (New, Open) also
// changes which document the window holds; the history keeps that change
// with the step, as text it does not read, and gives it back on Undo and
// Redo.
class History {
public:
    explicit History(std::size_t most = 10000, std::size_t mostBytes = std::size_t(64) << 20)
        : most_(most), mostBytes_(mostBytes)
    {
    }

    struct Moved {
        std::string before, after; // the document the window held, and holds after the step
    };

    // Records the step from `before` to `after`, forgetting what was undone.
    // A step that changes nothing is none, unless it moves to another
    // document. With `join`, the step becomes part of the last one, as a
    // stretch of typing in one box does.
    void record(const FormState &before, const FormState &after, bool join, std::optional<Moved> moved = {});

    bool canUndo() const { return done_ > 0; }
    bool canRedo() const { return done_ < steps_.size(); }

    // Takes `state` back over the last step done, or on over the next one
    // undone; returns the document the window holds after it, when the
    // step moved to another.
    std::optional<std::string> undo(FormState &state);
    std::optional<std::string> redo(FormState &state);

    // Which state the window is at: the same number as long as no step is
    // taken, and back to it when Undo and Redo come back to that state.
    std::uint64_t position() const { return done_ > 0 ? steps_[done_ - 1].after : first_; }

    void clear();
    std::size_t steps() const { return steps_.size(); }
    std::size_t bytes() const { return bytes_; }

private:
    struct Change {
        Id id;
        std::string textBefore, textAfter, tagBefore, tagAfter;
        bool enabledBefore, enabledAfter;
    };
    struct Step {
        std::vector<Change> changes;
        std::optional<Moved> moved;
        std::uint64_t after = 0; // the position it leads to
        std::size_t size() const;
    };
    void forgetOldest();

    std::deque<Step> steps_;
    std::size_t done_ = 0; // steps_[0, done_) are done, the rest undone
    std::size_t most_, mostBytes_;
    std::size_t bytes_ = 0;       // what the steps' texts take
    std::uint64_t first_ = 0;     // the position before the first step kept
    std::uint64_t positions_ = 0; // positions given so far
};

} // namespace quarvel
