#pragma once

#include "cells/cells.h"
#include "cells/tables.h"

#include <string>
#include <vector>

namespace quarvel {

// What the printed page says in words beneath its drawing of the window,
// where a list's box cuts the longer names: the force as entered, section by
// section in the window's order, each row that names a type once, as its
// count and whole type name ("3 Regular Infantry Squad (marching)"); and the
// summary's four sentences with their numbers.
struct Listing {
    struct Section {
        std::string name;
        std::vector<std::string> rows;
    };
    std::vector<Section> force; // the sections with a row listed
    std::vector<std::string> summary;
};

Listing listingOf(const Cells &cells);

// A sentence made of the labels as they read, each without its outer
// spaces, one space between them: "You can Carry 4 Squad/s OR 10000 Pounds
// of Cargo".
std::string sentenceOf(const Cells &cells, Span<Id> labels);

// The summary as plain text to pass on, one line each: the attack as the
// header reads ("Attack From: Hill 402  Number 3", "Attack On ..."), the
// mission type ("Mission Type Deliberate Attack"), then the four sentences.
std::vector<std::string> summaryLines(const Cells &cells);

} // namespace quarvel
