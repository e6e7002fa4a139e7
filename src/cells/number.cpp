#include "cells/number.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

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
    // The text without blanks, tabs and line feeds; short texts stay on the
    // stack.
    char local[64];
    std::string heap;
    char *s = local;
    if (text.size() > sizeof local) {
        heap.resize(text.size());
        s = heap.data();
    }
    std::size_t n = 0;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n')
            s[n++] = c;
    const std::string_view kept(s, n);

    if (n >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h')
            return radixNumber(kept.substr(2), 16);
        if (s[1] == 'O' || s[1] == 'o')
            return radixNumber(kept.substr(2), 8);
    }

    // Longest prefix of the form [+-]digits[.digits][(E|e|D|d)[+-]digits],
    // rewritten in place in the form std::from_chars reads (no "+", "e").
    std::size_t i = 0, out = 0;
    if (i < n && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-')
            s[out++] = '-';
        ++i;
    }
    bool anyDigit = false;
    for (; i < n && isDigit(s[i]); ++i, anyDigit = true)
        s[out++] = s[i];
    if (i < n && s[i] == '.') {
        s[out++] = s[i++];
        for (; i < n && isDigit(s[i]); ++i, anyDigit = true)
            s[out++] = s[i];
    }
    if (!anyDigit)
        return 0;
    if (i < n && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        std::size_t j = i + 1;
        const bool minus = j < n && s[j] == '-';
        if (j < n && (s[j] == '+' || s[j] == '-'))
            ++j;
        const std::size_t end = skipDigits(kept, j);
        if (end > j) {
            s[out++] = 'e';
            if (minus)
                s[out++] = '-';
            for (std::size_t k = j; k < end; ++k)
                s[out++] = s[k];
        }
    }

    double value = 0;
    const auto [ptr, ec] = std::from_chars(s, s + out, value);
    if (ec == std::errc() && ptr == s + out)
        return value;
    // The largest double written to 15 digits, 1.79769313486232E+308, lies a
    // hair beyond the range: it, and anything up to it, reads back as the
    // largest double, so that a total that overflowed keeps its value.
    long double wide = 0;
    const auto [end, wideEc] = std::from_chars(s, s + out, wide);
    if (wideEc == std::errc() && end == s + out && std::fabs(wide) >= 1e308L &&
        std::fabs(wide) <= 1.79769313486232e308L)
        return std::copysign(std::numeric_limits<double>::max(), static_cast<double>(wide));
    return 0; // beyond the double range
}

std::string numberText(double value)
{
    if (std::isnan(value))
        return "0";
    // Beyond the range: the largest value, with its sign.
    if (std::isinf(value))
        value = std::copysign(std::numeric_limits<double>::max(), value);
    if (value == 0)
        return "0";

    // d.dddddddddddddde±x: the value rounded to 15 significant digits.
    char sci[40];
    const auto res = std::to_chars(sci, sci + sizeof sci, value, std::chars_format::scientific, 14);
    const char *p = sci;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    char digits[16];
    int n = 0;
    digits[n++] = *p;
    const char *e = p + 2;
    while (*e != 'e')
        digits[n++] = *e++;
    while (n > 1 && digits[n - 1] == '0')
        --n;
    int exponent = 0;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), res.ptr, exponent);

    char out[48];
    int o = 0;
    if (negative)
        out[o++] = '-';
    auto put = [&](const char *from, int count) {
        for (int k = 0; k < count; ++k)
            out[o++] = from[k];
    };
    if (exponent >= 15 || exponent < -5) {
        out[o++] = digits[0];
        if (n > 1) {
            out[o++] = '.';
            put(digits + 1, n - 1);
        }
        out[o++] = 'E';
        out[o++] = exponent < 0 ? '-' : '+';
        const int magnitude = std::abs(exponent);
        if (magnitude >= 100)
            out[o++] = static_cast<char>('0' + magnitude / 100);
        out[o++] = static_cast<char>('0' + magnitude / 10 % 10);
        out[o++] = static_cast<char>('0' + magnitude % 10);
    } else if (exponent >= 0) {
        const int whole = exponent + 1;
        put(digits, std::min(n, whole));
        for (int k = n; k < whole; ++k)
            out[o++] = '0';
        if (n > whole) {
            out[o++] = '.';
            put(digits + whole, n - whole);
        }
    } else {
        out[o++] = '0';
        out[o++] = '.';
        for (int k = 0; k < -exponent - 1; ++k)
            out[o++] = '0';
        put(digits, n);
    }
    return std::string(out, static_cast<std::size_t>(o));
}

} // namespace quarvel
