#pragma once

#include "cells/cells.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace quarvel {

// Cells written on trial: every write goes through to the window at once, and
// the text each cell held before its first write is kept, so that a booking
// the transport cannot take can be taken back whole.
class Tentative : public Cells {
public:
    explicit Tentative(Cells &cells) : cells_(cells) {}

    std::string text(Id id) const override { return cells_.text(id); }
    void setText(Id id, std::string_view text) override
    {
        const auto kept = std::find_if(before_.begin(), before_.end(), [id](const auto &b) { return b.first == id; });
        if (kept == before_.end())
            before_.emplace_back(id, cells_.text(id));
        cells_.setText(id, text);
    }
    bool ticked(Id check) const override { return cells_.ticked(check); }
    void untick(Id check) override { cells_.untick(check); }
    bool enabled(Id id) const override { return cells_.enabled(id); }
    void setEnabled(Id list, bool enabled) override { cells_.setEnabled(list, enabled); }
    void restore(const FormState &state) override { cells_.restore(state); }
    void addEntry(Id list, std::string_view entry) override { cells_.addEntry(list, entry); }
    std::string tag(Id id) const override { return cells_.tag(id); }
    void setTag(Id id, std::string_view tag) override { cells_.setTag(id, tag); }
    void alert(std::string_view prompt, std::string_view title) override { cells_.alert(prompt, title); }
    void print() override { cells_.print(); }
    void exit() override { cells_.exit(); }

    // Every cell written since the trial began holds again what it held then.
    void rollBack()
    {
        for (auto b = before_.rbegin(); b != before_.rend(); ++b)
            cells_.setText(b->first, b->second);
        before_.clear();
    }

private:
    Cells &cells_;
    std::vector<std::pair<Id, std::string>> before_;
};

} // namespace quarvel
