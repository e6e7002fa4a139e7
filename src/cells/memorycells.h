#pragma once

#include "cells/cells.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace quarvel {

// The cells without a window: the same design texts, the same change rule
// (writing a text box's text runs its change handler at once when the text
// changes) and a record of the message boxes, answered at once with OK.
// Engine tests, fuzzers and benchmarks run on it.
class MemoryCells : public Cells {
public:
    struct Alert {
        std::string prompt, title;
        bool operator==(const Alert &o) const { return prompt == o.prompt && title == o.title; }
    };

    // What an event runs: the system's event table, or null for nothing.
    using Router = void (*)(Cells &cells, Id control, Event event);

    // The window as designed, before start-up; load() runs Form_Load.
    explicit MemoryCells(Router router);
    void load();

    std::string text(Id id) const override;
    void setText(Id id, std::string_view text) override;
    bool ticked(Id check) const override;
    void untick(Id check) override;
    bool enabled(Id id) const override { return cell(id).enabled; }
    void setEnabled(Id list, bool enabled) override;
    void restore(const FormState &state) override;
    void addEntry(Id list, std::string_view entry) override;
    std::string tag(Id id) const override { return cell(id).tag; }
    void setTag(Id id, std::string_view tag) override { cell(id).tag = std::string(tag); }
    void alert(std::string_view prompt, std::string_view title) override;
    void print() override;
    void exit() override;

    // What a person does, delivered as the window delivers it. Nothing
    // happens after exit, to a disabled control or to a hidden one.
    void type(Id box, std::string_view keys); // one change per key
    void erase(Id box);
    bool pick(Id list, std::string_view entry); // false when there is no such entry to pick
    void tick(Id check);
    void press(Id button);

    const std::vector<std::string> &entries(Id list) const { return cell(list).entries; }
    const std::vector<Alert> &alerts() const { return alerts_; }
    void clearAlerts() { alerts_.clear(); }
    int printed() const { return printed_; }
    bool exited() const { return exited_; }

private:
    struct Cell {
        std::string text, tag;
        bool enabled = true;
        bool ticked = false;
        std::vector<std::string> entries;
    };
    Cell &cell(Id id) { return cells_[index(id)]; }
    const Cell &cell(Id id) const { return cells_[index(id)]; }
    bool usable(Id id) const;

    void deliver(Id control, Event event)
    {
        if (router_)
            router_(*this, control, event);
    }

    Router router_;
    std::array<Cell, kControlCount> cells_;
    std::vector<Alert> alerts_;
    int printed_ = 0;
    bool exited_ = false;
};

} // namespace quarvel
