// The whole engine on cells in memory: the input is read as a person's
// actions on the window after start-up, and after each one every cell must
// still hold what the system writes.

#include "app/design.h"
#include "cells/memorycells.h"
#include "failure.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace quarvel;
using quarvel::fuzzing::fail;

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

constexpr std::array<Id, 7> kButtons{Id::Command2,  Id::Command8, Id::Command11, Id::Command16,
                                     Id::Command19, Id::Command5, Id::Command1};

constexpr std::array<std::string_view, 2> kTitles{"Mission Error", "Transport Error"};

// The controls a person can reach, by kind, and the cells only the system
// writes, from the design.
struct Controls {
    std::vector<Id> boxes, lists, checks;
    std::vector<Id> written; // labels, shown or hidden, and the hidden Text1

    Controls()
    {
        for (const ControlDesign &d : kDesign) {
            if (d.kind == Kind::Label || d.id == Id::Text1)
                written.push_back(d.id);
            if (d.has(Hidden))
                continue;
            if (d.kind == Kind::TextBox)
                boxes.push_back(d.id);
            else if (d.kind == Kind::List)
                lists.push_back(d.id);
            else if (d.kind == Kind::CheckBox)
                checks.push_back(d.id);
        }
    }
};

std::string describe(const MemoryCells &cells)
{
    std::string all;
    for (const ControlDesign &d : kDesign)
        if (d.kind == Kind::Label || d.kind == Kind::TextBox)
            all += std::string(d.name) + "=\"" + cells.text(d.id) + "\" ";
    return all;
}

// Every label and hidden cell holds its design text, a blank, nothing, or
// number text that reads back to itself; a message box is one the system
// shows. `seen` keeps the texts already found good, so that each new text is
// read only once.
void checkCells(MemoryCells &cells, const Controls &controls, std::vector<std::string> &seen, const char *after)
{
    seen.resize(controls.written.size());
    for (std::size_t i = 0; i < controls.written.size(); ++i) {
        const Id id = controls.written[i];
        std::string t = cells.text(id);
        if (t == seen[i])
            continue;
        if (!(t.empty() || t == " " || t == design(id).text || numberText(numberOf(t)) == t))
            fail(std::string("after ") + after + ": " + std::string(nameOf(id)) + " holds \"" + t +
                 "\"; cells: " + describe(cells));
        seen[i] = std::move(t);
    }
    for (const MemoryCells::Alert &a : cells.alerts())
        if (std::find(kTitles.begin(), kTitles.end(), a.title) == kTitles.end())
            fail(std::string("after ") + after + ": message box \"" + a.title + "\" \"" + a.prompt + "\"");
    cells.clearAlerts();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const Controls controls; // read from the design once
    Input in(data, size);
    MemoryCells cells;
    cells.load();
    std::vector<std::string> seen;
    checkCells(cells, controls, seen, "start-up");

    // Enough actions to fill every row several times over; longer inputs
    // only repeat.
    for (int actions = 0; actions < 400 && !in.done(); ++actions) {
        const char *what = "";
        switch (in.byte() % 16) {
        case 0:
        case 1: {
            const auto &types = cells.entries(Id::Combo2);
            cells.pick(Id::Combo2, types[in.byte() % types.size()]);
            what = "a mission type";
            break;
        }
        case 2:
        case 3:
        case 4: {
            // A count typed afresh: mostly a known text, sometimes raw bytes.
            const Id box = in.oneOf(controls.boxes);
            cells.erase(box);
            const unsigned pick = in.byte();
            cells.type(box, pick < 0xC0 ? kCounts[pick % kCounts.size()] : in.bytes(pick % 24));
            what = "typing a count";
            break;
        }
        case 5: {
            // Keys added to whatever the box holds.
            const Id box = in.oneOf(controls.boxes);
            cells.type(box, in.bytes(in.byte() % 8));
            what = "typing more";
            break;
        }
        case 6:
            cells.erase(in.oneOf(controls.boxes));
            what = "erasing";
            break;
        case 7:
        case 8:
        case 9:
        case 10: {
            const Id list = in.oneOf(controls.lists);
            const auto &entries = cells.entries(list);
            if (!entries.empty())
                cells.pick(list, entries[in.byte() % entries.size()]);
            what = "a pick";
            break;
        }
        case 11: {
            // A click on a check box turns it over.
            const Id check = in.oneOf(controls.checks);
            if (cells.ticked(check)) {
                if (!cells.exited())
                    cells.untick(check);
            } else {
                cells.tick(check);
            }
            what = "a tick";
            break;
        }
        case 12:
        case 13:
        case 14:
            cells.press(in.oneOf(kButtons));
            what = "a button";
            break;
        default:
            cells.press(Id::Command3);
            what = "Exit";
            break;
        }
        checkCells(cells, controls, seen, what);
    }
    return 0;
}
