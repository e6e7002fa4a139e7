#pragma once

#include "cells/design.h"
#include "cells/memorycells.h"
#include "commands/routes.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace quarvel {

// A window's cells after start-up, without the window.
class Started : public MemoryCells {
public:
    Started() : MemoryCells(route) { load(); }

    // Writes cells as a handler would, without raising anything for labels.
    void given(std::initializer_list<std::pair<Id, const char *>> cells)
    {
        for (const auto &[id, text] : cells)
            setText(id, text);
    }

    // A count typed and a type picked. A text that is no entry of the list
    // is booked as the list shows it.
    void enter(Id count, const char *n, Id list, const char *type)
    {
        setText(count, n);
        setEnabled(list, true);
        if (!pick(list, type)) {
            setText(list, type);
            route(*this, list, Event::Click);
        }
    }
};

// One pick of a table-driven test: the cells given before it, the count and
// the type entered, the cells looked at afterwards and what they must read.
struct PickCase {
    const char *what;
    std::initializer_list<std::pair<Id, const char *>> given;
    const char *count, *type;
    std::initializer_list<Id> cells;
    const char *after;
};

inline void PrintTo(const MemoryCells::Alert &a, std::ostream *os)
{
    *os << '"' << a.title << "\" \"" << a.prompt << '"';
}

// Compares cells by their texts: "Label108=10000 Label110=4".
inline std::string texts(const Cells &cells, std::initializer_list<Id> ids)
{
    std::string out;
    for (Id id : ids)
        out += (out.empty() ? "" : " ") + std::string(nameOf(id)) + "=" + cells.text(id);
    return out;
}

// Every control's text, in design order.
inline std::vector<std::string> allTexts(const Cells &cells)
{
    std::vector<std::string> all;
    for (const ControlDesign &d : kDesign)
        all.push_back(cells.text(d.id));
    return all;
}

// The controls whose texts differ from `before`, with their texts now.
inline std::string changedSince(const Cells &cells, const std::vector<std::string> &before)
{
    std::string out;
    for (const ControlDesign &d : kDesign)
        if (cells.text(d.id) != before[index(d.id)])
            out += (out.empty() ? "" : " ") + std::string(d.name) + "=" + cells.text(d.id);
    return out;
}

} // namespace quarvel
