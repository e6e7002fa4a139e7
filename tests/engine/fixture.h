#pragma once

#include "cells/memorycells.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

namespace quarvel {

// A window's cells after start-up, without the window.
class Started : public MemoryCells {
public:
    Started() { load(); }

    // Writes cells as a handler would, without raising anything for labels.
    void given(std::initializer_list<std::pair<Id, const char *>> cells)
    {
        for (const auto &[id, text] : cells)
            setText(id, text);
    }

    // A count typed and a type picked, as a person does it.
    void enter(Id count, const char *n, Id list, const char *type)
    {
        setText(count, n);
        ASSERT_TRUE(pick(list, type)) << nameOf(list) << " " << type;
    }
};

// Compares cells by their texts: "Label108=10000 Label110=4".
inline std::string texts(const Cells &cells, std::initializer_list<Id> ids)
{
    std::string out;
    for (Id id : ids) {
        if (!out.empty())
            out += ' ';
        out += std::string(nameOf(id)) + "=" + cells.text(id);
    }
    return out;
}

} // namespace quarvel
