#include "rows/passes.h"

#include "fixture.h"

#include <cmath>
#include <limits>
#include <random>

namespace quarvel {
namespace {

constexpr double kNone = -std::numeric_limits<double>::infinity();

// The rule as written: one pass at a time, every write stored as text and
// read back by the next statement.
bool passByPass(Cells &cells, double count, const Walk &a, const Walk &b)
{
    for (double pass = 1; pass <= count; ++pass) {
        const double x = value(cells, a.cell);
        const double y = value(cells, b.cell);
        if (!(x >= a.least) || !(y >= b.least))
            return true;
        write(cells, a.cell, x - a.step);
        write(cells, b.cell, y - b.step);
        if (!(value(cells, a.cell) >= a.leastAfter) || !(value(cells, b.cell) >= b.leastAfter))
            return true;
    }
    return false;
}

// A cell text a planner's window can come to hold: whole pounds, halves,
// odd decimals from fractional counts, negatives, texts that are no number.
std::string randomText(std::mt19937_64 &random)
{
    std::uniform_int_distribution<int> kind(0, 9);
    std::uniform_real_distribution<double> exponent(-1, 12);
    const double magnitude = std::pow(10, exponent(random));
    switch (kind(random)) {
    case 0:
        return numberText(-std::floor(magnitude / 1000));
    case 1:
        return numberText(std::round(magnitude * 2) / 2);
    case 2:
        return numberText(std::round(magnitude * 1000) / 1000);
    case 3:
        return numberText(magnitude / 3);
    case 4: {
        const char *odd[] = {"",  " ",    "abc",  "Label49", "1.0",  " 2500", "1e3", "-0", "0",    "1",
                             "2", "2499", "2500", "2501",    "3750", "0.5",   "1.5", "98", "97.5", "196"};
        return odd[std::uniform_int_distribution<int>(0, 19)(random)];
    }
    default:
        return numberText(std::round(magnitude));
    }
}

double randomCount(std::mt19937_64 &random)
{
    const double counts[] = {-3, 0, 0.5, 1, 1.5, 2, 2.5, 3, 7, 10, 33.3, 100, 250, 1000};
    return counts[std::uniform_int_distribution<int>(0, 13)(random)];
}

struct Family {
    const char *name;
    Walk a, b;
};

// Every (squads, pounds) an infantry type takes, and every weapon weight.
std::vector<Family> families(std::mt19937_64 &random, const std::string &least)
{
    std::vector<Family> out;
    for (auto [s, w] : {std::pair{1.0, 2500.0}, {0.5, 1250.0}, {0.0, 0.0}})
        out.push_back({"infantry", {Id::Label110, s, 1, 0}, {Id::Label108, w, 1, 0}});
    for (double w : {30.0, 15.0, 100.0, 70.0, 6.0, 25.0, 80.0, 22.0, 33.0, 66.0, 98.0, 0.0}) {
        const double gate = least.empty() ? w : numberOf(least);
        out.push_back({"weapons", {Id::Label108, w, gate, kNone}, {Id::Label4, -w, kNone, kNone}});
    }
    (void)random;
    return out;
}

TEST(Passes, TakenAtOnceGiveTheCellsOfPassByPass)
{
    std::mt19937_64 random(7);
    int cases = 0;
    for (int round = 0; round < 1500; ++round) {
        const std::string textA = randomText(random), textB = randomText(random);
        const double count = randomCount(random);
        for (const Family &f : families(random, "")) {
            MemoryCells fast(nullptr), slow(nullptr);
            for (MemoryCells *c : {&fast, &slow}) {
                c->setText(f.a.cell, textA);
                c->setText(f.b.cell, textB);
            }
            const bool shortFast = runPasses(fast, count, f.a, f.b);
            const bool shortSlow = passByPass(slow, count, f.a, f.b);
            ASSERT_EQ(shortFast, shortSlow) << f.name << " " << textA << " " << textB << " x" << count;
            ASSERT_EQ(texts(fast, {f.a.cell, f.b.cell}), texts(slow, {f.a.cell, f.b.cell}))
                << f.name << " from " << textA << " " << textB << " x" << count << " step " << f.a.step;
            ++cases;
        }
    }
    EXPECT_GT(cases, 20000);
}

// Where every count in play is small, long runs must still come out exact:
// pounds and squads close to the limits and counts up to many thousands.
TEST(Passes, LongRunsEndExactlyWherePassByPassEnds)
{
    std::mt19937_64 random(11);
    for (int round = 0; round < 40; ++round) {
        std::uniform_real_distribution<double> pounds(0, 2e6), squads(0, 500);
        const std::string a = numberText(std::round(squads(random) * 2) / 2);
        const std::string b = numberText(std::round(pounds(random) * 100) / 100);
        const double count = std::floor(pounds(random) / 50);
        for (const Family &f : families(random, "")) {
            MemoryCells fast(nullptr), slow(nullptr);
            for (MemoryCells *c : {&fast, &slow}) {
                c->setText(f.a.cell, a);
                c->setText(f.b.cell, b);
            }
            ASSERT_EQ(runPasses(fast, count, f.a, f.b), passByPass(slow, count, f.a, f.b));
            ASSERT_EQ(texts(fast, {f.a.cell, f.b.cell}), texts(slow, {f.a.cell, f.b.cell}))
                << f.name << " from " << a << " " << b << " x" << count;
        }
    }
}

// Beyond 15 significant digits a pass may round its step away; where it does,
// every later pass does the same, and the run ends as pass by pass would.
TEST(Passes, CellsThatAPassLeavesAsTheyAreStaySo)
{
    const std::pair<const char *, const char *> cases[] = {
        {"2E+15", "5E+18"},
        {"2E+15", "10000"},
        {"123456789012344", "4000"},
        {"3", "2.5E+19"},
    };
    for (const auto &[a, b] : cases) {
        for (double count : {1.0, 5.0, 2000.0}) {
            const Walk squads{Id::Label110, 0.5, 1, 0}, pounds{Id::Label108, 1250, 1, 0};
            MemoryCells fast(nullptr), slow(nullptr);
            for (MemoryCells *c : {&fast, &slow}) {
                c->setText(Id::Label110, a);
                c->setText(Id::Label108, b);
            }
            EXPECT_EQ(runPasses(fast, count, squads, pounds), passByPass(slow, count, squads, pounds));
            EXPECT_EQ(texts(fast, {Id::Label110, Id::Label108}), texts(slow, {Id::Label110, Id::Label108}))
                << a << " " << b << " x" << count;
        }
    }
}

struct Huge {
    const char *a, *b;
    Walk first, second;
    double count;
    const char *after;
    bool shortage;
};

TEST(Passes, AnyCountFinishesAtOnce)
{
    const Walk squads{Id::Label110, 1, 1, 0}, pounds{Id::Label108, 2500, 1, 0};
    const Walk officers{Id::Label110, 0, 1, 0}, noPounds{Id::Label108, 0, 1, 0};
    const Walk mortar{Id::Label108, 98, 98, kNone}, aboard{Id::Label4, -98, kNone, kNone};
    const Huge cases[] = {
        // Exact all the way: the pounds run out after 999999996 + 3 squads.
        {"1E+12", "999999999999", squads, pounds, 1e15, "Label110=999600000000 Label108=-1", true},
        {"1E+12", "Casualty Sections  can be Carried", mortar, aboard, 1e308, "Label108=64 Label4=999999999936", true},
        {"5", "1E+12", officers, noPounds, 1e308, "Label110=5 Label108=1000000000000", false},
        // Pounds that a pass leaves as they are (2500 is below their last
        // digit) stay so; the squads run exact.
        {"2E+14", "1E+20", squads, pounds, 1e14, "Label110=100000000000000 Label108=1E+20", false},
        {"1E+300", "1E+12", squads, pounds, 1e308, "Label110=1E+300 Label108=0", true},
        // Beyond 15 digits the pounds take the run's whole weight at once: a
        // first pass rounds 1E+18 - 2500 to 9.99999999999997E+17.
        {"4E+14", "1E+18", squads, pounds, 1e15, "Label110=0 Label108=-500", true},
        {"1E+18", "1E+12", mortar, aboard, 1e15, "Label108=1E+18 Label4=9.8001E+16", false},
    };
    for (const Huge &c : cases) {
        MemoryCells cells(nullptr);
        cells.setText(c.first.cell, c.a);
        cells.setText(c.second.cell, c.b);
        const bool shortage = runPasses(cells, c.count, c.first, c.second);
        EXPECT_EQ(shortage, c.shortage) << c.a << " " << c.b;
        EXPECT_EQ(texts(cells, {c.first.cell, c.second.cell}), c.after) << c.a << " " << c.b;
    }
}

} // namespace
} // namespace quarvel
