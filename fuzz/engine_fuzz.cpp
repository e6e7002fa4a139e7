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
#include "cells/memorycells.h"
#include "cells/steps.h"
#include "commands/routes.h"
#include "failure.h"
#include "planner.h"

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
using planner::Action;
using quarvel::fuzzing::fail;

// The figures that every section's Clear takes its share out of.
constexpr std::array<Id, 7> kEmptied{Id::Label108, Id::Label110, Id::Label40, Id::Label75,
                                     Id::Label121, Id::Label33,  Id::Label17};

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
void checkCells(MemoryCells &cells, std::vector<std::string> &seen, bool &exact, const char *after)
{
    seen.resize(kControlCount);
    for (const ControlDesign &d : kDesign) {
        if (d.kind != Kind::Label && d.id != Id::Text1) // the cells only the system writes
            continue;
        std::string t = cells.text(d.id);
        if (t == seen[index(d.id)])
            continue;
        if (!(t.empty() || t == " " || t == d.text || numberText(numberOf(t)) == t))
            fail(std::string("after ") + after + ": " + std::string(d.name) + " holds \"" + t +
                 "\"; cells: " + describe(cells));
        exact = exact && !outgrown(t);
        seen[index(d.id)] = std::move(t);
    }
    for (const MemoryCells::Alert &a : cells.alerts())
        if (!planner::systemTitle(a.title))
            fail(std::string("after ") + after + ": message box \"" + a.title + "\" \"" + a.prompt + "\"");
    cells.clearAlerts();
}

bool refused(const MemoryCells &cells)
{
    const auto &alerts = cells.alerts();
    return std::any_of(alerts.begin(), alerts.end(), [](const auto &a) { return a.title == "Transport Error"; });
}

// Raw bytes as a text box would take them: a box holds characters, so bytes
// that are not UTF-8 arrive as replacement characters.
std::string typed(std::string_view bytes)
{
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size())).toStdString();
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
        cells.type(a.id, typed(a.text));
        break;
    case Action::TypeMore:
        cells.type(a.id, typed(a.text));
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
    std::array<Id, 6> clears = planner::kClears;
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
    static const planner::Controls controls; // read from the design once
    planner::Input in(data, size);
    MemoryCells cells(route);
    cells.load();
    std::vector<std::string> seen;
    bool exact = true;
    checkCells(cells, seen, exact, "start-up");
    const FormState start = stateOf(cells);
    Steps steps; // as the window records them
    steps.start(start);
    std::unique_ptr<MemoryCells> twin; // opened from a plan of the cells

    // Enough actions to fill every row several times over; longer inputs
    // only repeat.
    for (int actions = 0; actions < 400 && !in.done(); ++actions) {
        const Action action = planner::nextAction(
            in, controls, [&cells](Id list) -> const auto & { return cells.entries(list); });
        const FormState before = stateOf(cells);
        steps.begin(action.id,
                    action.kind == Action::Retype || action.kind == Action::TypeMore || action.kind == Action::Erase);
        apply(cells, action);
        steps.end();
        if (action.kind == Action::Pick && refused(cells))
            if (const std::string changed = planner::changedByRefusal(before, stateOf(cells), action.id);
                !changed.empty())
                fail("a refused pick in " + std::string(nameOf(action.id)) + " changed " + changed);
        checkCells(cells, seen, exact, "an action");
        const FormState now = stateOf(cells);
        steps.record(now);
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

    const FormState end = stateOf(cells);
    while (steps.history().canUndo())
        steps.undo();
    if (steps.state() != start)
        fail("undoing every step does not give the start-up state");
    while (steps.history().canRedo())
        steps.redo();
    if (steps.state() != end)
        fail("redoing every step does not give the state before undoing");

    if (cells.exited())
        return 0;
    unsigned order = 0;
    for (std::size_t i = 0; i < size; ++i)
        order = order * 31 + data[i];
    pressAllClears(cells, order % 720);
    checkCells(cells, seen, exact, "the six Clears");
    if (!exact)
        return 0;
    for (Id total : kEmptied)
        if (value(cells, total) != 0)
            fail("after the six Clears " + std::string(nameOf(total)) + " holds \"" + cells.text(total) +
                 "\"; cells: " + describe(cells));
    return 0;
}
