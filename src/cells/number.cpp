#include "cells/number.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace quarvel {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int radixDigit(char c, int radix)
{
    int d = -1;
    if (isDigit(c))
        d = c - '0';
    else if (c >= 'a' && c <= 'f')
        d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        d = c - 'A' + 10;
    return d < radix ? d : -1;
}

double radixNumber(std::string_view digits, int radix)
{
    std::uint64_t value = 0;
    for (char c : digits) {
        const int d = radixDigit(c, radix);
        if (d < 0)
            break;
        value = value * static_cast<unsigned>(radix) + static_cast<unsigned>(d);
        if (value > 0xFFFFFFFFu)
            return 0; // beyond 32 bits
    }
    return static_cast<double>(value);
}

std::size_t skipDigits(std::string_view s, std::size_t i)
{
    while (i < s.size() && isDigit(s[i]))
        ++i;
    return i;
}

} // namespace

double numberOf(std::string_view text)
{
    std::string s;
    s.reserve(text.size());
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n')
            s.push_back(c);

    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h')
            return radixNumber(std::string_view(s).substr(2), 16);
        if (s[1] == 'O' || s[1] == 'o')
            return radixNumber(std::string_view(s).substr(2), 8);
    }

    // Longest prefix of the form [+-]digits[.digits][(E|e|D|d)[+-]digits],
    // rebuilt in the form std::from_chars reads.
    std::string number;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-')
            number.push_back('-');
        ++i;
    }
    std::size_t end = skipDigits(s, i);
    bool anyDigit = end > i;
    number.append(s, i, end - i);
    i = end;
    if (i < s.size() && s[i] == '.') {
        end = skipDigits(s, i + 1);
        anyDigit = anyDigit || end > i + 1;
        number.append(s, i, end - i);
        i = end;
    }
    if (!anyDigit)
        return 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        end = skipDigits(s, j);
        if (end > j) {
            number.push_back('e');
            number.append(s, i + 1, end - i - 1);
        }
    }

    double value = 0;
    const char *first = number.data();
    const auto [ptr, ec] = std::from_chars(first, first + number.size(), value);
    if (ec != std::errc() || ptr != first + number.size())
        return 0; // beyond the double range
    return value;
}

std::string numberText(double value)
{
    if (std::isnan(value))
        return "0";
    // The largest finite value that still has a 15-digit text: the largest
    // double itself rounds up past the double range.
    constexpr double kLargest = 1.79769313486231e308;
    if (std::fabs(value) > kLargest)
        value = std::copysign(kLargest, value);
    if (value == 0)
        return "0";

    // d.dddddddddddddde±x: the value rounded to 15 significant digits.
    char buf[40];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    const std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));
    const bool negative = sci[0] == '-';
    const std::size_t lead = negative ? 1 : 0;
    std::string digits;
    digits.push_back(sci[lead]);
    const std::size_t e = sci.find('e');
    digits.append(sci.substr(lead + 2, e - lead - 2));
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    int exponent = 0;
    std::from_chars(sci.data() + e + (sci[e + 1] == '+' ? 2 : 1), sci.data() + sci.size(), exponent);

    std::string out;
    if (negative)
        out.push_back('-');
    const int n = static_cast<int>(digits.size());
    if (exponent >= 15 || exponent < -5) {
        out.push_back(digits[0]);
        if (n > 1) {
            out.push_back('.');
            out.append(digits, 1, std::string::npos);
        }
        out.push_back('E');
        out.push_back(exponent < 0 ? '-' : '+');
        const int magnitude = std::abs(exponent);
        if (magnitude < 10)
            out.push_back('0');
        out += std::to_string(magnitude);
    } else if (exponent >= 0) {
        const int whole = exponent + 1;
        out.append(digits, 0, static_cast<std::size_t>(std::min(n, whole)));
        if (n < whole)
            out.append(static_cast<std::size_t>(whole - n), '0');
        if (n > whole) {
            out.push_back('.');
            out.append(digits, static_cast<std::size_t>(whole), std::string::npos);
        }
    } else {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
    }
    return out;
}

} // namespace quarvel
