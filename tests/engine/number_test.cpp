#include "cells/number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

namespace quarvel {
namespace {

struct Reading {
    const char *text;
    double number;
};

TEST(NumberOf, ReadsTheLeadingNumber)
{
    const Reading cases[] = {
        {"", 0},
        {"abc", 0},
        {"Label49", 0},
        {"2x", 2},
        {" 3", 3},
        {"1,5", 1},
        {"1.5", 1.5},
        {"-4", -4},
        {"1e3", 1000},
        {"1D-2", 0.01},
        {" 1 2", 12},
        {"1\t2\n3", 123},
        {"- 4", -4},
        {"-.25", -0.25},
        {"1e+", 1},
        {"0x10", 0},
        {"&H1F", 31},
        {"&o17", 15},
        {"&O19", 1},
        {"&HFFFFFFFF", 4294967295.0},
        {"&H100000000", 0},
        {"-&H10", 0},
        {"1e400", 0},
        {"1e-400", 0},
        {"1.79769313486232E+308", 1.7976931348623157e308},
        {"1.79769313486233E+308", 0},
    };
    for (const Reading &c : cases)
        EXPECT_EQ(numberOf(c.text), c.number) << '"' << c.text << '"';
}

struct Writing {
    double value;
    const char *text;
};

TEST(NumberText, RoundsToFifteenDigits)
{
    const Writing cases[] = {
        {-0.0, "0"},
        {0.5 + 0.5, "1"},
        {-0.25, "-0.25"},
        {2500 * 1.5, "3750"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3, "0.333333333333333"},
        {-2.0 / 3, "-0.666666666666667"},
        {999999999999999, "999999999999999"},
        {999999999999999.5, "1E+15"},
        {12345678901234567.0, "1.23456789012346E+16"},
        {1e-5, "0.00001"},
        {1e-6, "1E-06"},
        {-2.5e-7, "-2.5E-07"},
        {1e308 * 10, "1.79769313486232E+308"},
        {-1e308 * 10, "-1.79769313486232E+308"},
        {std::nan(""), "0"},
    };
    for (const Writing &c : cases)
        EXPECT_EQ(numberText(c.value), c.text) << c.value;
}

// Whatever is written reads back to the same 15-digit value, and is written
// the same way again: a total re-read and re-stored never drifts, and no cell
// ever holds "inf" or "nan".
TEST(NumberText, ReadsBackToItself)
{
    std::mt19937_64 random(20261206);
    std::uniform_int_distribution<std::uint64_t> bits;
    std::uniform_real_distribution<double> ordinary(-1e7, 1e7);
    for (int i = 0; i < 200000; ++i) {
        double v;
        if (i % 2 == 0) {
            const std::uint64_t b = bits(random);
            std::memcpy(&v, &b, sizeof v);
        } else {
            v = ordinary(random) / (1 << (i % 9));
        }
        const std::string text = numberText(v);
        ASSERT_EQ(text.find_first_of("infa"), std::string::npos) << text;
        const double back = numberOf(text);
        ASSERT_EQ(numberText(back), text) << v;
        if (std::isfinite(v) && std::fabs(v) < 1e300 && std::fabs(v) > 1e-300) {
            ASSERT_LE(std::fabs(back - v), std::fabs(v) * 6e-15) << v;
        }
    }
}

} // namespace
} // namespace quarvel
