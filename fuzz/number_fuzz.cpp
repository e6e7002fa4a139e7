// The cell rules for any input: the bytes read as a cell's text, and the
// first eight bytes taken as a double written into a cell.

#include "cells/number.h"
#include "failure.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

namespace {

using quarvel::numberOf;
using quarvel::numberText;
using quarvel::fuzzing::fail;

// Anything beyond the largest double is written as it.
constexpr double kLargest = std::numeric_limits<double>::max();

std::string lower(std::string s)
{
    for (char &c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string shown(double x)
{
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", x);
    return buf;
}

// What a handler stores must read back to the same text, hold no "inf" or
// "nan", and keep the value to 15 significant digits.
void checkWritten(double x)
{
    const std::string text = numberText(x);
    const std::string low = lower(text);
    if (text.empty() || low.find("inf") != std::string::npos || low.find("nan") != std::string::npos)
        fail("numberText(" + shown(x) + ") = \"" + text + "\"");
    const double back = numberOf(text);
    if (numberText(back) != text)
        fail("numberText(" + shown(x) + ") = \"" + text + "\" reads back as " + shown(back) + ", written \"" +
             numberText(back) + "\"");
    if (std::isnan(x)) {
        if (text != "0")
            fail("not a number written as \"" + text + "\"");
        return;
    }
    const double expected = std::fabs(x) > kLargest ? std::copysign(kLargest, x) : x;
    // Rounding to 15 digits moves a value by at most half a unit in the 15th
    // digit; the double nearest that text at most as far again.
    if (!(std::fabs(back - expected) <= std::fabs(expected) * 1e-14))
        fail("numberText(" + shown(x) + ") = \"" + text + "\" reads back as " + shown(back));
    if (back != 0 && std::signbit(back) != std::signbit(x))
        fail("numberText(" + shown(x) + ") = \"" + text + "\" changes the sign");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);

    // Any text reads as a finite number, the same with its blanks, tabs and
    // line feeds taken out.
    const double read = numberOf(text);
    if (!std::isfinite(read))
        fail("numberOf read " + shown(read));
    std::string kept;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n')
            kept += c;
    const double readKept = numberOf(kept);
    if (readKept != read || std::signbit(readKept) != std::signbit(read))
        fail("blanks change the number: " + shown(read) + " and " + shown(readKept));
    checkWritten(read);

    if (size >= sizeof(double)) {
        double x;
        std::memcpy(&x, data, sizeof x);
        checkWritten(x);
    }
    return 0;
}
