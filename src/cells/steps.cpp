#include "cells/steps.h"

namespace quarvel {

void Steps::start(const FormState &state)
{
    history_.clear();
    state_ = state;
    depth_ = 0;
    pending_ = false;
    stretch_.reset();
}

void Steps::begin(Id control, bool typing)
{
    if (depth_++ > 0)
        return; // a handler's own writes are part of the action
    if (!pending_) {
        typingOnly_ = typing;
        typed_ = control;
    } else if (!typing || typed_ != control) {
        typingOnly_ = false;
    }
    pending_ = true;
}

bool Steps::end() { return --depth_ == 0; }

bool Steps::record(const FormState &now)
{
    if (!pending())
        return false;
    pending_ = false;
    const std::optional<Id> typed = typingOnly_ ? typed_ : std::nullopt;
    history_.record(state_, now, typed && stretch_ == typed);
    stretch_ = typed;
    if (now == state_)
        return false;
    state_ = now;
    return true;
}

void Steps::moveTo(const FormState &state, History::Moved moved)
{
    history_.record(state_, state, false, std::move(moved));
    state_ = state;
    stretch_.reset();
}

std::optional<std::string> Steps::undo()
{
    std::optional<std::string> moved = history_.undo(state_);
    stretch_.reset();
    return moved;
}

std::optional<std::string> Steps::redo()
{
    std::optional<std::string> moved = history_.redo(state_);
    stretch_.reset();
    return moved;
}

} // namespace quarvel
