#pragma once

#include "cells/controlid.h"
#include "cells/design.h"
#include "cells/formstate.h"
#include "cells/number.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quarvel {

// What a control tells the system: the window's start-up, a pick from a
// list or a press of a button, a change of a text box's text.
enum class Event : std::uint8_t { Load, Click, Change };

// What the engine sees of the window: every figure lives in a control's text.
// Writing a count box's text raises its change handler at once, nested in the
// write, when the text changes; writing a list's text raises nothing.
class Cells {
public:
    virtual ~Cells() = default;

    // A label's caption, a text box's text, a list's text, the window's title.
    virtual std::string text(Id id) const = 0;
    virtual void setText(Id id, std::string_view text) = 0;

    virtual bool ticked(Id check) const = 0;
    virtual void untick(Id check) = 0;

    virtual bool enabled(Id id) const = 0;
    virtual void setEnabled(Id list, bool enabled) = 0;
    virtual void addEntry(Id list, std::string_view entry) = 0;

    // What the system notes beside a control and never shows as its text (a
    // row's list notes what the row has booked). Writing it raises nothing.
    virtual std::string tag(Id id) const = 0;
    virtual void setTag(Id id, std::string_view tag) = 0;

    // Puts back a whole state, as a plan or Undo holds it: every text, tick,
    // enabled state and tag, running no handler and showing nothing.
    virtual void restore(const FormState &state) = 0;

    // A modal message box with the critical-stop icon and one OK button;
    // returns once OK is pressed.
    virtual void alert(std::string_view prompt, std::string_view title) = 0;

    // The window's own commands: print its image, end the program.
    virtual void print() = 0;
    virtual void exit() = 0;
};

// Whether a control holds any of the state: a label, a text box, a list or
// a check box (the window's title, its buttons and lines hold none).
inline bool holdsState(const ControlDesign &d)
{
    return d.kind == Kind::Label || d.kind == Kind::TextBox || d.kind == Kind::List || d.kind == Kind::CheckBox;
}

// Everything the cells hold now.
inline FormState stateOf(const Cells &cells)
{
    FormState state;
    for (const ControlDesign &d : kDesign) {
        if (!holdsState(d))
            continue;
        state.texts[index(d.id)] = cells.text(d.id);
        state.enabled[index(d.id)] = cells.enabled(d.id);
        state.tags[index(d.id)] = cells.tag(d.id);
    }
    return state;
}

// The number a cell holds.
inline double value(const Cells &cells, Id id) { return numberOf(cells.text(id)); }

// Stores a computed value as number text.
inline void write(Cells &cells, Id id, double v) { cells.setText(id, numberText(v)); }

// Reads the cell, adds or subtracts and writes the result back.
inline void add(Cells &cells, Id id, double amount) { write(cells, id, value(cells, id) + amount); }
inline void subtract(Cells &cells, Id id, double amount) { write(cells, id, value(cells, id) - amount); }

} // namespace quarvel
