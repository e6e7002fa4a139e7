#include "rows/passes.h"

#include "cells/tables.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace quarvel {
namespace {

constexpr double kUnlimited = std::numeric_limits<double>::infinity();

constexpr auto kPow10 =
    toArray<double>({1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15});

__extension__ typedef __int128 Int128;

// A number text read as an exact decimal: digits × 10^power.
struct Decimal {
    std::int64_t digits = 0; // with the value's sign; at most 15 of them
    int power = 0;

    int decimals() const { return std::max(0, -power); }
};

// `text` is number text as numberText writes it: "2500", "-0.25", "1.5E-07".
Decimal decimalOf(std::string_view text)
{
    Decimal d;
    bool negative = false, point = false;
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') {
        negative = true;
        ++i;
    }
    for (; i < text.size() && text[i] != 'E'; ++i) {
        if (text[i] == '.') {
            point = true;
            continue;
        }
        d.digits = d.digits * 10 + (text[i] - '0');
        if (point)
            --d.power;
    }
    if (i < text.size()) {
        int exponent = 0;
        std::from_chars(text.data() + i + (text[i + 1] == '+' ? 2 : 1), text.data() + text.size(), exponent);
        d.power += exponent;
    }
    if (negative)
        d.digits = -d.digits;
    return d;
}

// Passes that can be taken in one step and come to what pass after pass
// would: none of them near a bound, none whose rounding shows.
struct Run {
    double passes = 0;   // 0: the next pass must be taken as written
    bool changes = true; // false: every pass writes what the cell holds
};

// What runPasses knows of one cell between its own writes, so that it need
// not read the cell back.
struct TrackedRoom {
    const Room &room;
    int perPassDecimals;
    std::string text;
    double number;
    bool isNumberText; // the text is what numberText writes for its number

    TrackedRoom(const Cells &cells, const Room &r)
        : room(r), perPassDecimals(decimalOf(numberText(r.perPass)).decimals()), text(cells.text(r.cell)),
          number(numberOf(text))
    {
        isNumberText = text == numberText(number);
    }

    void store(Cells &cells, double v)
    {
        text = numberText(v);
        cells.setText(room.cell, text);
        number = numberOf(text);
        isNumberText = true;
    }

    Run safeRun() const
    {
        Run r;
        const double least = std::max(room.needs, room.mustLeave);
        const double x = number;
        if (!isNumberText || !(x >= least))
            return r;
        if (room.perPass == 0) {
            r.passes = kUnlimited;
            r.changes = false;
            return r;
        }
        const double step = std::fabs(room.perPass);
        const bool down = room.perPass > 0;
        // Near 0 a pass's subtraction cancels digits and its rounding shows.
        const double safe = 2 * step + 1;
        const double ax = std::fabs(x);
        if (ax < safe)
            return r;

        const int decimals = std::max(decimalOf(text).decimals(), perPassDecimals);
        const double limit = decimals < 15 ? kPow10[static_cast<std::size_t>(15 - decimals)] : 0;
        double low, high;
        if (ax < limit) {
            // Each pass's exact result has at most 15 significant digits.
            low = x > 0 ? safe : -limit + 1;
            high = x > 0 ? limit - 1 : -safe;
        } else {
            // Beyond 15 digits: a pass may round its step away, and then
            // every pass does.
            if (numberText(x - room.perPass) == text) {
                r.passes = kUnlimited;
                r.changes = false;
                return r;
            }
            low = x > 0 ? safe : -kUnlimited;
            high = x > 0 ? kUnlimited : -safe;
        }
        low = std::max(low, least);
        r.passes = std::floor(down ? (x - low) / step : (high - x) / step);
        if (!(r.passes >= 0))
            r.passes = 0;
        return r;
    }

    // The number after `passes` passes, worked out on the exact decimal the
    // text holds and rounded once when stored.
    double after(double passes) const
    {
        const Decimal d = decimalOf(text);
        const int decimals = std::max(d.decimals(), perPassDecimals);
        const int shift = d.power + decimals; // the number in units of 10^-decimals
        if (shift <= 23 && decimals <= 15 && passes < 1e30) {
            Int128 units = d.digits;
            for (int i = 0; i < shift; ++i)
                units *= 10;
            const double scale = kPow10[static_cast<std::size_t>(decimals)];
            const auto stepUnits = static_cast<std::int64_t>(std::llround(room.perPass * scale));
            const Int128 result = units - static_cast<Int128>(passes) * stepUnits;
            return static_cast<double>(result) / scale;
        }
        return static_cast<double>(static_cast<long double>(number) -
                                   static_cast<long double>(passes) * static_cast<long double>(room.perPass));
    }
};

// Passes near a limit are taken one by one; this many before looking for a
// run again (a run ends at most three passes short of a limit).
constexpr double kFewPasses = 4;

} // namespace

bool runPasses(Cells &cells, double count, const Room &first, const Room &second)
{
    const double passes = count >= 1 ? std::floor(count) : 0;
    TrackedRoom a(cells, first), b(cells, second);
    double done = 0;
    double asWritten = 0; // passes to take one by one before looking for a run
    while (passes - done >= 1) {
        if (asWritten <= 0 && passes - done > kFewPasses) {
            const Run ra = a.safeRun();
            const Run rb = b.safeRun();
            const double run = std::floor(std::min({passes - done, ra.passes, rb.passes}));
            if (run >= 1) {
                if (!ra.changes && !rb.changes)
                    return false; // every pass left writes what the cells hold
                if (ra.changes)
                    a.store(cells, a.after(run));
                if (rb.changes)
                    b.store(cells, b.after(run));
                done += run;
                continue;
            }
            // A text that is no number text gets one pass to be written so.
            asWritten = a.isNumberText && b.isNumberText ? kFewPasses : 1;
        }

        if (!(a.number >= first.needs) || !(b.number >= second.needs))
            return true;
        const std::string beforeA = a.text, beforeB = b.text;
        a.store(cells, a.number - first.perPass);
        b.store(cells, b.number - second.perPass);
        if (!(a.number >= first.mustLeave) || !(b.number >= second.mustLeave))
            return true;
        done += 1;
        asWritten -= 1;
        if (a.text == beforeA && b.text == beforeB)
            return false; // every further pass is this one again
    }
    return false;
}

} // namespace quarvel
