// The whole engine on cells in memory: the input is read as a person's
// actions on the window after start-up, and after each one every cell must
// still hold what the system writes. A pick the transport refuses must leave
// every cell but its count box as it was. Half way, the cells go through a
// plan file into a fresh window, which must hold the same and go on alike.
// At the end, undoing every step must give the start-up state and redoing
// them the state before; and the six Clears, in an order the input chooses,
// must take every figure of the summary back to 0 whenever no figure outgrew
// the 15 digits a cell keeps exactly.

#include "app/planfile.h"
#include "cells/design.h"
#include "cells/history.h"
#include "cells/memorycells.h"
#include "commands/routes.h"
#include "failure.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
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

constexpr std::array<Id, 6> kClears{Id::Command2,  Id::Command8,  Id::Command11,
                                    Id::Command16, Id::Command19, Id::Command5};

// The figures that every section's Clear takes its share out of.
constexpr std::array<Id, 7> kEmptied{Id::Label108, Id::Label110, Id::Label40, Id::Label75,
                                     Id::Label121, Id::Label33,  Id::Label17};

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

// More digits than a cell keeps exactly: beyond them a write rounds, and a
// Clear may leave a residue in the last place.
bool outgrown(std::string_view text)
{
    if (text.find('E') != std::string_view::npos)
        return true;
    std::size_t digits = 0;
    bool leading = true;
    for (char c : text) {
        if (c < '0' || c > '9')
            continue;
        leading = leading && c == '0';
        digits += !leading;
    }
    return digits > 14;
}

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
void checkCells(MemoryCells &cells, const Controls &controls, std::vector<std::string> &seen, bool &exact,
                const char *after)
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
        exact = exact && !outgrown(t);
        seen[i] = std::move(t);
    }
    for (const MemoryCells::Alert &a : cells.alerts())
        if (std::find(kTitles.begin(), kTitles.end(), a.title) == kTitles.end())
            fail(std::string("after ") + after + ": message box \"" + a.title + "\" \"" + a.prompt + "\"");
    cells.clearAlerts();
}

bool refused(const MemoryCells &cells)
{
    const auto &alerts = cells.alerts();
    return std::any_of(alerts.begin(), alerts.end(), [](const auto &a) { return a.title == "Transport Error"; });
}

// After a refused pick only the row's count box has changed, to "0".
void checkNothingBooked(const MemoryCells &cells, const FormState &before, Id list)
{
    bool countReset = false;
    const FormState after = stateOf(cells);
    for (const ControlDesign &d : kDesign) {
        const std::string &now = after.texts[index(d.id)];
        if (d.id == list || now == before.texts[index(d.id)])
            continue;
        if (d.kind == Kind::TextBox && !d.has(Hidden) && now == "0" && !countReset) {
            countReset = true;
            continue;
        }
        fail("a refused pick in " + std::string(nameOf(list)) + " changed " + std::string(d.name) + " from \"" +
             before.texts[index(d.id)] + "\" to \"" + now + "\"");
    }
}

// Raw bytes as a text box would take them: a box holds characters, so bytes
// that are not UTF-8 arrive as replacement characters.
std::string typed(std::string_view bytes)
{
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size())).toStdString();
}

// A person's action, read from the input.
struct Action {
    enum Kind { Mission, Retype, TypeMore, Erase, Pick, Tick, Press } kind;
    Id id;
    std::string text; // typed, or the entry picked
};

Action nextAction(Input &in, const Controls &controls, const MemoryCells &cells)
{
    switch (in.byte() % 16) {
    case 0:
    case 1:
        return {Action::Mission, Id::Combo2, in.oneOf(cells.entries(Id::Combo2))};
    case 2:
    case 3:
    case 4: {
        // A count typed afresh: mostly a known text, sometimes raw bytes.
        const Id box = in.oneOf(controls.boxes);
        const unsigned pick = in.byte();
        return {Action::Retype, box,
                pick < 0xC0 ? std::string(kCounts[pick % kCounts.size()]) : typed(in.bytes(pick % 24))};
    }
    case 5: {
        const Id box = in.oneOf(controls.boxes);
        return {Action::TypeMore, box, typed(in.bytes(in.byte() % 8))};
    }
    case 6:
        return {Action::Erase, in.oneOf(controls.boxes), ""};
    case 7:
    case 8:
    case 9:
    case 10: {
        const Id list = in.oneOf(controls.lists);
        const auto &entries = cells.entries(list);
        return {Action::Pick, list, entries.empty() ? "" : entries[in.byte() % entries.size()]};
    }
    case 11:
        return {Action::Tick, in.oneOf(controls.checks), ""};
    case 12:
    case 13:
    case 14:
        return {Action::Press, in.oneOf(kButtons), ""};
    default:
        return {Action::Press, Id::Command3, ""};
    }
}

void apply(MemoryCells &cells, const Action &a)
{
    switch (a.kind) {
    case Action::Mission:
    case Action::Pick:
        cells.pick(a.id, a.text);
        break;
    case Action::Retype:
        cells.erase(a.id);
        cells.type(a.id, a.text);
        break;
    case Action::TypeMore:
        cells.type(a.id, a.text);
        break;
    case Action::Erase:
        cells.erase(a.id);
        break;
    case Action::Tick: // a click turns the box over
        if (!cells.ticked(a.id))
            cells.tick(a.id);
        else if (!cells.exited())
            cells.untick(a.id);
        break;
    case Action::Press:
        cells.press(a.id);
        break;
    }
}

// The state a plan file keeps of the cells, read back.
FormState throughAPlan(const FormState &state)
{
    QString why;
    const std::optional<FormState> read = readPlan(planText(state), why);
    if (!read)
        fail("a plan of the cells cannot be read back: " + why.toStdString());
    return *read;
}

// Presses the six Clears in the order numbered `order` (of the 720).
void pressAllClears(MemoryCells &cells, unsigned order)
{
    std::array<Id, 6> clears = kClears;
    for (std::size_t i = clears.size(); i > 1; --i) {
        std::swap(clears[i - 1], clears[order % i]);
        order /= static_cast<unsigned>(i);
    }
    for (Id clear : clears)
        cells.press(clear);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const Controls controls; // read from the design once
    Input in(data, size);
    MemoryCells cells(route);
    cells.load();
    std::vector<std::string> seen;
    bool exact = true;
    checkCells(cells, controls, seen, exact, "start-up");
    const FormState start = stateOf(cells);
    History history;
    std::optional<Id> typed;           // the box the last step typed into
    std::unique_ptr<MemoryCells> twin; // opened from a plan of the cells

    // Enough actions to fill every row several times over; longer inputs
    // only repeat.
    for (int actions = 0; actions < 400 && !in.done(); ++actions) {
        const Action action = nextAction(in, controls, cells);
        const FormState before = stateOf(cells);
        apply(cells, action);
        if (action.kind == Action::Pick && refused(cells))
            checkNothingBooked(cells, before, action.id);
        checkCells(cells, controls, seen, exact, "an action");
        const FormState now = stateOf(cells);
        const bool typing =
            action.kind == Action::Retype || action.kind == Action::TypeMore || action.kind == Action::Erase;
        history.record(before, now, typing && typed == action.id);
        typed = typing ? std::optional<Id>(action.id) : std::nullopt;
        if (twin) {
            apply(*twin, action);
            if (stateOf(*twin) != now)
                fail("the window opened from a plan goes on otherwise than the one that saved it");
        } else if (actions == 30 && !cells.exited()) {
            twin = std::make_unique<MemoryCells>(route);
            twin->load();
            twin->restore(throughAPlan(now));
            if (stateOf(*twin) != now)
                fail("the window opened from a plan holds otherwise than the one that saved it");
        }
    }

    FormState state = stateOf(cells);
    const FormState end = state;
    while (history.canUndo())
        history.undo(state);
    if (state != start)
        fail("undoing every step does not give the start-up state");
    while (history.canRedo())
        history.redo(state);
    if (state != end)
        fail("redoing every step does not give the state before undoing");

    if (cells.exited())
        return 0;
    unsigned order = 0;
    for (std::size_t i = 0; i < size; ++i)
        order = order * 31 + data[i];
    pressAllClears(cells, order % 720);
    checkCells(cells, controls, seen, exact, "the six Clears");
    if (!exact)
        return 0;
    for (Id total : kEmptied)
        if (value(cells, total) != 0)
            fail("after the six Clears " + std::string(nameOf(total)) + " holds \"" + cells.text(total) +
                 "\"; cells: " + describe(cells));
    return 0;
}
