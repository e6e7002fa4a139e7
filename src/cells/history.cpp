#include "cells/history.h"

#include <algorithm>

namespace quarvel {

void History::record(const FormState &before, const FormState &after, bool join)
{
    steps_.resize(done_);
    Step step;
    for (std::size_t i = 0; i < kControlCount; ++i)
        if (before.texts[i] != after.texts[i] || before.enabled[i] != after.enabled[i])
            step.push_back({Id(i), before.texts[i], after.texts[i], before.enabled[i], after.enabled[i]});

    if (join && !steps_.empty()) {
        Step &last = steps_.back();
        for (Change &c : step) {
            auto same = std::find_if(last.begin(), last.end(), [&c](const Change &l) { return l.id == c.id; });
            if (same == last.end()) {
                last.push_back(std::move(c));
            } else {
                same->textAfter = std::move(c.textAfter);
                same->enabledAfter = c.enabledAfter;
            }
        }
        last.erase(std::remove_if(last.begin(), last.end(),
                                  [](const Change &c) {
                                      return c.textBefore == c.textAfter && c.enabledBefore == c.enabledAfter;
                                  }),
                   last.end());
        if (last.empty())
            steps_.pop_back();
    } else if (!step.empty()) {
        steps_.push_back(std::move(step));
    }
    while (steps_.size() > most_)
        steps_.pop_front();
    done_ = steps_.size();
}

void History::undo(FormState &state)
{
    if (!canUndo())
        return;
    for (const Change &c : steps_[--done_]) {
        state.texts[index(c.id)] = c.textBefore;
        state.enabled[index(c.id)] = c.enabledBefore;
    }
}

void History::redo(FormState &state)
{
    if (!canRedo())
        return;
    for (const Change &c : steps_[done_++]) {
        state.texts[index(c.id)] = c.textAfter;
        state.enabled[index(c.id)] = c.enabledAfter;
    }
}

void History::clear()
{
    steps_.clear();
    done_ = 0;
}

} // namespace quarvel
