#pragma once

#include "cells/cells.h"
#include "rows/sections.h"

#include <string>
#include <string_view>
#include <vector>

namespace quarvel {

// What a row has booked since its section's last Clear. Every pick books the
// row again, so a row can count more than its list shows: picking the same
// entry twice books it twice. The row's list keeps its bookings as its tag,
// one line for each type and count booked: how many times, the count, the
// type ("2 3 ZIL Medium Truck").
struct Booking {
    std::string count; // number text
    std::string type;
    long times = 1;

    // As a person reads it: "3 ZIL Medium Truck", "3 ZIL Medium Truck, 2 times".
    std::string words() const;
};

std::vector<Booking> bookingsOf(std::string_view tag);

// Runs the pick from the row's list and notes what it booked: nothing when
// the pick is refused, books no unit, or books the entry that picks none.
void pickAndNote(Cells &cells, const Section &section, const Row &row);

// How many times the row has booked, when that is more than its list shows:
// more than once, or under another type than the one it shows; else 0.
long bookedBeyondShown(const std::vector<Booking> &bookings, std::string_view shown);

} // namespace quarvel
