#include "rows/passes.h"

#include "fixture.h"

#include <cmath>
#include <random>

namespace quarvel {
namespace {

// One pass at a time, every write stored as text and read back by the next
// statement: what runPasses must come to whatever the count.
bool passByPass(Cells &cells, double count, const Room &a, const Room &b)
{
    for (double pass = 1; pass <= count; ++pass) {
        const double x = value(cells, a.cell);
        const double y = value(cells, b.cell);
        if (!(x >= a.needs) || !(y >= b.needs))
            return true;
        write(cells, a.cell, x - a.perPass);
        write(cells, b.cell, y - b.perPass);
        if (!(value(cells, a.cell) >= a.mustLeave) || !(value(cells, b.cell) >= b.mustLeave))
            return true;
    }
    return false;
}

// A cell text a planner's window can come to hold: whole pounds, halves,
// odd decimals from fractional counts, negatives, texts that are no number.
std::string randomText(std::mt19937_64 &random)
{
    const double magnitude = std::pow(10, std::uniform_real_distribution<double>(-1, 12)(random));
    switch (std::uniform_int_distribution<int>(0, 9)(random)) {
    case 0:
        return numberText(-std::floor(magnitude / 1000));
    case 1:
        return numberText(std::round(magnitude * 2) / 2);
    case 2:
        return numberText(std::round(magnitude * 1000) / 1000);
    case 3:
        return numberText(magnitude / 3);
    case 4: {
        const char *odd[] = {"", " ", "abc", "1.0", " 2500", "-0", "0", "1", "2499", "2500", "2501", "97.5", "98"};
        return odd[std::uniform_int_distribution<int>(0, 12)(random)];
    }
    default:
        return numberText(std::round(magnitude));
    }
}

// The walks of the riders (squads and pounds, refused below 0 for room a
// unit takes) and of the weapons (pounds while the weight fits, and the
// weight aboard).
std::vector<std::pair<Room, Room>> walks()
{
    std::vector<std::pair<Room, Room>> out;
    for (auto [s, w] : {std::pair{1.0, 2500.0}, {0.5, 1250.0}, {0.0, 0.0}})
        out.push_back(
            {{Id::Label110, s, kNoLimit, s > 0 ? 0 : kNoLimit}, {Id::Label108, w, kNoLimit, w > 0 ? 0 : kNoLimit}});
    for (double w : {30.0, 15.0, 6.0, 98.0, 0.0})
        out.push_back({{Id::Label108, w, w, kNoLimit}, {Id::Label4, -w, kNoLimit, kNoLimit}});
    return out;
}

TEST(Passes, TakenAtOnceGiveTheCellsOfPassByPass)
{
    std::mt19937_64 random(7);
    const double counts[] = {-3, 0, 0.5, 1, 2.5, 3, 7, 33.3, 250, 1000, 5000};
    for (int round = 0; round < 1500; ++round) {
        const std::string textA = randomText(random), textB = randomText(random);
        const double count = counts[std::uniform_int_distribution<int>(0, 10)(random)];
        for (const auto &[a, b] : walks()) {
            MemoryCells fast(nullptr), slow(nullptr);
            for (MemoryCells *c : {&fast, &slow}) {
                c->setText(a.cell, textA);
                c->setText(b.cell, textB);
            }
            ASSERT_EQ(runPasses(fast, count, a, b), passByPass(slow, count, a, b)) << textA << " " << textB;
            ASSERT_EQ(texts(fast, {a.cell, b.cell}), texts(slow, {a.cell, b.cell}))
                << "from " << textA << " " << textB << " x" << count << " step " << a.perPass;
        }
    }
}

struct Huge {
    const char *a, *b;
    Room first, second;
    double count;
    const char *after;
    bool shortage;
};

// Any count finishes at once. Beyond 15 significant digits a pass may round
// its step away; where it does, every later pass does the same.
TEST(Passes, AnyCountFinishesAtOnce)
{
    const Room squads{Id::Label110, 1, kNoLimit, 0}, pounds{Id::Label108, 2500, kNoLimit, 0};
    const Room mortar{Id::Label108, 98, 98, kNoLimit}, aboard{Id::Label4, -98, kNoLimit, kNoLimit};
    const Huge cases[] = {
        {"1E+12", "999999999999", squads, pounds, 1e15, "Label110=999600000000 Label108=-1", true},
        {"1E+12", "Casualty Sections  can be Carried", mortar, aboard, 1e308, "Label108=64 Label4=999999999936", true},
        {"2E+14", "1E+20", squads, pounds, 1e14, "Label110=100000000000000 Label108=1E+20", false},
        {"4E+14", "1E+18", squads, pounds, 1e15, "Label110=0 Label108=-500", true},
        {"1E+18", "1E+12", mortar, aboard, 1e15, "Label108=1E+18 Label4=9.8001E+16", false},
    };
    for (const Huge &c : cases) {
        MemoryCells cells(nullptr);
        cells.setText(c.first.cell, c.a);
        cells.setText(c.second.cell, c.b);
        EXPECT_EQ(runPasses(cells, c.count, c.first, c.second), c.shortage) << c.a << " " << c.b;
        EXPECT_EQ(texts(cells, {c.first.cell, c.second.cell}), c.after) << c.a << " " << c.b;
    }
}

} // namespace
} // namespace quarvel
