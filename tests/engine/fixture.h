#pragma once

#include "cells/design.h"
#include "cells/memorycells.h"
#include "commands/routes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace quarvel {

// The cells and texts of "Label110=4 Label108=10000 Combo25= ": each text
// runs to the blank before the next name.
inline std::vector<std::pair<Id, std::string>> named(const std::string &cells)
{
    std::vector<std::pair<Id, std::string>> out;
    for (std::size_t at = 0; !cells.empty() && at <= cells.size();) {
        const std::size_t end = std::min(cells.find(' ', at), cells.size());
        const std::string word = cells.substr(at, end - at);
        at = end + 1;
        const std::size_t is = word.find('=');
        if (is == std::string::npos && !out.empty()) {
            out.back().second += " " + word;
            continue;
        }
        const std::optional<Id> id = idNamed(word.substr(0, is));
        if (!id)
            throw std::invalid_argument("no control named " + word.substr(0, is));
        out.emplace_back(*id, word.substr(is + 1));
    }
    return out;
}

// A window's cells after start-up, without the window.
class Started : public MemoryCells {
public:
    Started() : MemoryCells(route) { load(); }

    // Writes cells as a handler would, without raising anything for labels.
    void given(const std::string &cells)
    {
        for (const auto &[id, text] : named(cells))
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

inline void PrintTo(const MemoryCells::Alert &a, std::ostream *os)
{
    *os << '"' << a.title << "\" \"" << a.prompt << '"';
}

// Compares cells by their texts: "Label108=10000 Label110=4".
inline std::string texts(const Cells &cells, const std::vector<Id> &ids)
{
    std::string out;
    for (Id id : ids)
        out += (out.empty() ? "" : " ") + std::string(nameOf(id)) + "=" + cells.text(id);
    return out;
}

// The texts now of the cells named in `expected`, written alike.
inline std::string texts(const Cells &cells, const std::string &expected)
{
    std::vector<Id> ids;
    for (const auto &cell : named(expected))
        ids.push_back(cell.first);
    return texts(cells, ids);
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
