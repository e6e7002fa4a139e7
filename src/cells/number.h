#pragma once

#include <string>
#include <string_view>

namespace quarvel {

// The number a cell's text stands for: blanks, tabs and line feeds are
// dropped, "&H"/"&O" start a hexadecimal or octal integer, otherwise the
// longest decimal prefix counts ("3 trucks" is 3, "1,5" is 1, "abc" is 0).
// The decimal sign is always ".", whatever the locale. A number beyond the
// range of a double, or a radix number beyond 32 bits, reads as 0; the text
// the largest double is written as, 1.79769313486232E+308, reads as it.
double numberOf(std::string_view text);

// The text a computed value is stored as: rounded to 15 significant digits,
// plain ("2500", "-0.25") up to 15 digits before the point and four zeros
// after it, otherwise in exponent form ("1E+15", "1.5E-07"). A value beyond
// the double range is written as the largest finite value with its sign; a
// value that is not a number is written "0". The text reads back to itself.
std::string numberText(double value);

} // namespace quarvel
