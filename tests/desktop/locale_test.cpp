// Under a German locale, where "," is the decimal sign and "." groups
// thousands, numbers read and write exactly as under the C locale: "1,5"
// counts 1, and the decimal sign written is ".". Run with LC_ALL set to a
// German locale; the program takes it from the environment at start-up.

#include "cells/number.h"
#include "playing.h"

#include <QApplication>
#include <QLocale>

#include <clocale>
#include <cstdio>
#include <locale>
#include <stdexcept>

namespace quarvel {
namespace {

// Proof that the locale is in force, so that the tests below cannot pass
// under the C locale by accident: the C library, the C++ library and Qt all
// write one and a half as "1,5".
TEST(GermanLocale, IsInForce)
{
    EXPECT_STREQ(std::localeconv()->decimal_point, ",");
    char c[16];
    std::snprintf(c, sizeof c, "%.1f", 1.5);
    EXPECT_STREQ(c, "1,5");
    EXPECT_EQ(std::use_facet<std::numpunct<char>>(std::locale()).decimal_point(), ',');
    EXPECT_EQ(QLocale().toString(1.5), "1,5");
}

TEST(GermanLocale, CellsReadNumbersAsUnderC)
{
    const struct {
        const char *text;
        double value;
    } cases[] = {
        {"1,5", 1},   {"2.5", 2.5},     {"1.234,5", 1.234}, {" 3,7 ", 3},
        {"-0,25", 0}, {"-0.25", -0.25}, {"1,5E3", 1},       {"1.5E3", 1500},
    };
    for (const auto &c : cases)
        EXPECT_EQ(numberOf(c.text), c.value) << c.text;
}

TEST(GermanLocale, CellsWriteNumbersAsUnderC)
{
    const struct {
        double value;
        const char *text;
    } cases[] = {
        {2.5, "2.5"},    {-0.25, "-0.25"},    {12500, "12500"}, {1234567.5, "1234567.5"},
        {1e15, "1E+15"}, {1.5e-7, "1.5E-07"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(numberText(c.value), c.text) << c.value;
}

using GermanWindow = WindowTest;

// Typed into the real window: "1,5" trucks are one truck, "2.5" trucks carry
// two and a half trucks' cargo.
TEST_F(GermanWindow, CountsAreTypedAsUnderC)
{
    const struct {
        const char *count, *pounds, *squads;
    } cases[] = {
        {"1,5", "5000", "2"},
        {"2.5", "12500", "5"},
    };
    for (const auto &c : cases) {
        player.newWindow();
        EXPECT_EQ(play(std::string("pick Combo2 Deliberate Attack\ntype Text10 ") + c.count +
                       "\npick Combo33 ZIL Medium Truck\nexpect Label108 " + c.pounds + "\nexpect Label110 " +
                       c.squads + "\nno-alert"),
                  "")
            << c.count;
    }
}

} // namespace
} // namespace quarvel

#if defined(__SANITIZE_ADDRESS__)
// glibc keeps its copy of LOCPATH, the folder the test's German locale is
// made in, each time it loads a locale (p11-kit's load-time one included).
// Its frame is named with or without the leading underscores, as the
// symbols at hand have it.
extern "C" const char *__lsan_default_suppressions() { return "leak:argz_add_sep\n"; }
#endif

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv); // sets the C library's locale from the environment, as in the program
    QApplication::setStyle(QStringLiteral("Fusion"));
    try {
        std::locale::global(std::locale(""));
    } catch (const std::runtime_error &error) {
        std::fprintf(stderr, "locale_tests: the environment's locale is not available: %s\n", error.what());
        return 1;
    }
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
