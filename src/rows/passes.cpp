#include "rows/passes.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace quarvel {
namespace {

constexpr double kUnlimited = std::numeric_limits<double>::infinity();

constexpr std::array<double, 16> kPow10{1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// Digits after the point in the value's 15-digit text (no trailing zeros).
int decimalsOf(double v)
{
    char buf[40];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
    const char *e = std::find(buf, res.ptr, 'e');
    int exponent = 0;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), res.ptr, exponent);
    const char *last = e - 1;
    while (*last == '0')
        --last;
    const int significant = static_cast<int>(last - buf) - (buf[0] == '-' ? 2 : 1); // after "d."
    return std::max(0, significant - exponent);
}

// How many passes one cell can take at once, and what it holds after them.
struct Reach {
    double passes = 0; // 0: the next pass must be taken as written
    bool moves = true;
    bool exact = true; // every pass's write is exact, so the run is exact
};

Reach reachOf(const Walk &w, double x, bool canonical)
{
    Reach r;
    const double floorCheck = std::max(w.least, w.leastAfter);
    if (!canonical || !(x >= floorCheck))
        return r;
    if (w.step == 0) {
        r.passes = kUnlimited;
        r.moves = false;
        return r;
    }
    const double step = std::fabs(w.step);
    const bool down = w.step > 0;
    // Near 0 a pass's subtraction cancels digits and its rounding shows.
    const double safe = 2 * step + 1;
    const double ax = std::fabs(x);
    if (ax < safe)
        return r;

    const int decimals = std::max(decimalsOf(x), decimalsOf(step));
    const double limit = decimals < 15 ? kPow10[static_cast<std::size_t>(15 - decimals)] : 0;
    double low, high;
    if (ax < limit) {
        // Each pass's exact result has at most 15 significant digits.
        low = x > 0 ? safe : -limit + 1;
        high = x > 0 ? limit - 1 : -safe;
    } else {
        // Beyond 15 digits: a pass may round its step away.
        const std::string now = numberText(x);
        if (numberText(x - w.step) == now) {
            r.passes = kUnlimited;
            r.moves = false;
            return r;
        }
        r.exact = false;
        low = x > 0 ? safe : -kUnlimited;
        high = x > 0 ? kUnlimited : -safe;
    }
    low = std::max(low, floorCheck);
    r.passes = std::floor(down ? (x - low) / step : (high - x) / step);
    if (!(r.passes >= 0))
        r.passes = 0;
    return r;
}

// The cell's number after `passes` passes, each taking `step`.
double jump(double x, double step, double passes, bool exact)
{
    if (!exact)
        return x - passes * step;
    const int decimals = std::max(decimalsOf(x), decimalsOf(step));
    const double scale = kPow10[static_cast<std::size_t>(decimals)];
    const auto units = static_cast<std::int64_t>(std::llround(x * scale));
    const auto stepUnits = static_cast<std::int64_t>(std::llround(step * scale));
    const std::int64_t result = units - static_cast<std::int64_t>(passes) * stepUnits;
    return static_cast<double>(result) / scale;
}

} // namespace

bool runPasses(Cells &cells, double count, const Walk &first, const Walk &second)
{
    const double passes = count >= 1 ? std::floor(count) : 0;
    double done = 0;
    while (passes - done >= 1) {
        const std::string textA = cells.text(first.cell);
        const std::string textB = cells.text(second.cell);
        const double a = numberOf(textA);
        const double b = numberOf(textB);

        const Reach ra = reachOf(first, a, textA == numberText(a));
        const Reach rb = reachOf(second, b, textB == numberText(b));
        const double run = std::floor(std::min({passes - done, ra.passes, rb.passes}));
        if (run >= 1) {
            if (!ra.moves && !rb.moves)
                return false; // every pass left writes what the cells hold
            if (ra.moves)
                write(cells, first.cell, jump(a, first.step, run, ra.exact));
            if (rb.moves)
                write(cells, second.cell, jump(b, second.step, run, rb.exact));
            done += run;
            continue;
        }

        if (!(a >= first.least) || !(b >= second.least))
            return true;
        write(cells, first.cell, a - first.step);
        write(cells, second.cell, b - second.step);
        if (!(value(cells, first.cell) >= first.leastAfter) || !(value(cells, second.cell) >= second.leastAfter))
            return true;
        done += 1;
        if (cells.text(first.cell) == textA && cells.text(second.cell) == textB)
            return false; // every further pass is this one again
    }
    return false;
}

} // namespace quarvel
