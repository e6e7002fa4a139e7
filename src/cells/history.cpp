#include "cells/history.h"

#include <algorithm>

namespace quarvel {

std::size_t History::Step::size() const
{
    std::size_t n = sizeof(Step) + (moved ? moved->before.size() + moved->after.size() : 0);
    for (const Change &c : changes)
        n += sizeof(Change) + c.textBefore.size() + c.textAfter.size() + c.tagBefore.size() + c.tagAfter.size();
    return n;
}

void History::record(const FormState &before, const FormState &after, bool join, std::optional<Moved> moved)
{
    while (steps_.size() > done_) {
        bytes_ -= steps_.back().size();
        steps_.pop_back();
    }
    Step step;
    for (std::size_t i = 0; i < kControlCount; ++i)
        if (before.texts[i] != after.texts[i] || before.enabled[i] != after.enabled[i] ||
            before.tags[i] != after.tags[i])
            step.changes.push_back({Id(i), before.texts[i], after.texts[i], before.tags[i], after.tags[i],
                                    before.enabled[i], after.enabled[i]});

    if (join && !moved && !steps_.empty() && !steps_.back().moved) {
        Step &last = steps_.back();
        bytes_ -= last.size();
        for (Change &c : step.changes) {
            auto same =
                std::find_if(last.changes.begin(), last.changes.end(), [&c](const Change &l) { return l.id == c.id; });
            if (same == last.changes.end()) {
                last.changes.push_back(std::move(c));
            } else {
                same->textAfter = std::move(c.textAfter);
                same->tagAfter = std::move(c.tagAfter);
                same->enabledAfter = c.enabledAfter;
            }
        }
        last.changes.erase(std::remove_if(last.changes.begin(), last.changes.end(),
                                          [](const Change &c) {
                                              return c.textBefore == c.textAfter && c.tagBefore == c.tagAfter &&
                                                     c.enabledBefore == c.enabledAfter;
                                          }),
                           last.changes.end());
        last.after = ++positions_;
        if (last.changes.empty())
            steps_.pop_back(); // typed and taken back: the window is where the step began
        else
            bytes_ += last.size();
    } else if (!step.changes.empty() || moved) {
        step.moved = std::move(moved);
        step.after = ++positions_;
        bytes_ += step.size();
        steps_.push_back(std::move(step));
    }
    done_ = steps_.size();
    forgetOldest();
}

void History::forgetOldest()
{
    while (!steps_.empty() && (steps_.size() > most_ || bytes_ > mostBytes_)) {
        bytes_ -= steps_.front().size();
        first_ = steps_.front().after;
        steps_.pop_front();
        if (done_ > 0)
            --done_;
    }
}

std::optional<std::string> History::undo(FormState &state)
{
    if (!canUndo())
        return std::nullopt;
    const Step &step = steps_[--done_];
    for (const Change &c : step.changes) {
        state.texts[index(c.id)] = c.textBefore;
        state.tags[index(c.id)] = c.tagBefore;
        state.enabled[index(c.id)] = c.enabledBefore;
    }
    return step.moved ? std::optional<std::string>(step.moved->before) : std::nullopt;
}

std::optional<std::string> History::redo(FormState &state)
{
    if (!canRedo())
        return std::nullopt;
    const Step &step = steps_[done_++];
    for (const Change &c : step.changes) {
        state.texts[index(c.id)] = c.textAfter;
        state.tags[index(c.id)] = c.tagAfter;
        state.enabled[index(c.id)] = c.enabledAfter;
    }
    return step.moved ? std::optional<std::string>(step.moved->after) : std::nullopt;
}

void History::clear()
{
    steps_.clear();
    done_ = 0;
    bytes_ = 0;
    first_ = ++positions_;
}

} // namespace quarvel
