#pragma once

// A random planner: a person's actions on the window after start-up, read
// from bytes. The engine fuzzer plays them on cells in memory, the soak
// through the real window; both read the same bytes as the same actions.

#include "cells/design.h"
#include "cells/formstate.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quarvel::planner {

// Reads the input a byte at a time; an exhausted input reads as zeros.
class Input {
public:
    Input(const std::uint8_t *data, std::size_t size) : data_(data), size_(size) {}

    bool done() const { return at_ >= size_; }
    unsigned byte() { return at_ < size_ ? data_[at_++] : 0u; }
    template <class C> const typename C::value_type &oneOf(const C &c) { return c[byte() % c.size()]; }
    std::string_view bytes(std::size_t most)
    {
        const std::size_t n = std::min<std::size_t>(most, size_ - std::min(at_, size_));
        const std::string_view s(reinterpret_cast<const char *>(data_ + at_), n);
        at_ += n;
        return s;
    }

private:
    const std::uint8_t *data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// Counts a planner can type, and texts that only look like counts.
constexpr std::array<std::string_view, 24> kCounts{
    "1",    "2",          "3",     "12",     "0",     "2.5",
    "-3",   "1e15",       "1e308", "-1e308", "1e400", "1.79769313486232E+308",
    "1e14", "0.1",        "",      " ",      "abc",   "3 trucks",
    "1,5",  "&HFFFFFFFF", "&O17",  "1D3",    "-0",    "999999999999999"};

// The six Clears, one a section.
constexpr std::array<Id, 6> kClears{Id::Command2,  Id::Command8,  Id::Command11,
                                    Id::Command16, Id::Command19, Id::Command5};

// The message boxes the system shows; a refused pick shows the second.
constexpr std::array<std::string_view, 2> kTitles{"Mission Error", "Transport Error"};

inline bool systemTitle(std::string_view title)
{
    return std::find(kTitles.begin(), kTitles.end(), title) != kTitles.end();
}

// The controls of a kind a person can reach, from the design.
inline std::vector<Id> reachable(Kind kind)
{
    std::vector<Id> ids;
    for (const ControlDesign &d : kDesign)
        if (d.kind == kind && !d.has(Hidden))
            ids.push_back(d.id);
    return ids;
}

struct Controls {
    std::vector<Id> boxes = reachable(Kind::TextBox), lists = reachable(Kind::List), checks = reachable(Kind::CheckBox);
};

// A person's action. A typed text may be any bytes of the input: a box takes
// them as it takes characters, bytes that are not UTF-8 as replacement ones.
struct Action {
    enum Kind { Mission, Retype, TypeMore, Erase, Pick, Tick, Press } kind;
    Id id;
    std::string text; // typed, or the entry picked
};

// The next action; `entriesOf(list)` gives the entries the list holds now.
// Of sixteen actions, two choose a mission, three type a count afresh, one
// types on, one erases, four pick, one ticks, three press a Clear or Print and
// one presses Exit.
template <class EntriesOf> Action nextAction(Input &in, const Controls &controls, EntriesOf &&entriesOf)
{
    const unsigned roll = in.byte() % 16;
    if (roll < 2)
        return {Action::Mission, Id::Combo2, std::string(in.oneOf(entriesOf(Id::Combo2)))};
    if (roll < 5) { // mostly a known text, sometimes raw bytes
        const Id box = in.oneOf(controls.boxes);
        const unsigned pick = in.byte();
        return {Action::Retype, box, std::string(pick < 0xC0 ? kCounts[pick % kCounts.size()] : in.bytes(pick % 24))};
    }
    if (roll < 6) {
        const Id box = in.oneOf(controls.boxes);
        return {Action::TypeMore, box, std::string(in.bytes(in.byte() % 8))};
    }
    if (roll < 7)
        return {Action::Erase, in.oneOf(controls.boxes), ""};
    if (roll < 11) {
        const Id list = in.oneOf(controls.lists);
        const auto &entries = entriesOf(list);
        return {Action::Pick, list, entries.empty() ? "" : std::string(entries[in.byte() % entries.size()])};
    }
    if (roll < 12)
        return {Action::Tick, in.oneOf(controls.checks), ""};
    if (roll < 15) {
        const unsigned button = in.byte() % (kClears.size() + 1);
        return {Action::Press, button < kClears.size() ? kClears[button] : Id::Command1, ""};
    }
    return {Action::Press, Id::Command3, ""};
}

// What a refused pick in the list changed, "" when nothing: only the row's
// count box may change, to "0".
inline std::string changedByRefusal(const FormState &before, const FormState &after, Id list)
{
    std::string changed;
    bool countReset = false;
    for (const ControlDesign &d : kDesign) {
        const std::string &was = before.texts[index(d.id)], &now = after.texts[index(d.id)];
        if (d.id == list || now == was)
            continue;
        if (d.kind == Kind::TextBox && !d.has(Hidden) && now == "0" && !std::exchange(countReset, true))
            continue;
        changed += std::string(d.name) + " from \"" + was + "\" to \"" + now + "\" ";
    }
    return changed;
}

} // namespace quarvel::planner
