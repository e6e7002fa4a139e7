#include "fixture.h"

#include <random>
#include <vector>

namespace quarvel {
namespace {

struct Case {
    const char *what;
    const char *mission;
    Id count, list;
    const char *n, *type;
    std::initializer_list<Id> cells;
    const char *after;
};

const std::initializer_list<Id> kTruckCells = {Id::Label108, Id::Label110, Id::Label75, Id::Label21, Id::Label18,
                                               Id::Label121, Id::Label40,  Id::Label25, Id::Label33, Id::Label22};
const std::initializer_list<Id> kApcCells = {Id::Label108, Id::Label110, Id::Label75, Id::Label50,
                                             Id::Label34,  Id::Label121, Id::Label40, Id::Label46};
const std::initializer_list<Id> kArmourCells = {Id::Label75,  Id::Label77, Id::Label17, Id::Label81,
                                                Id::Label121, Id::Label80, Id::Label60, Id::Label40};
const std::initializer_list<Id> kSpecialistCells = {Id::Label130, Id::Label121, Id::Label55,
                                                    Id::Label75,  Id::Label44,  Id::Label40};

TEST(Vehicles, AddTheirFiguresTimesTheCount)
{
    const Case cases[] = {
        {"three ZIL trucks, code 2", "2", Id::Text10, Id::Combo33, "3", "ZIL Medium Truck", kTruckCells,
         "Label108=15000 Label110=6 Label75=24 Label21=24 Label18=12 Label121=12 Label40=3 Label25=3 Label33=0 "
         "Label22=0"},
        {"a Landrover carries half a squad",
         "1",
         Id::Text13,
         Id::Combo34,
         "1",
         "Landrover",
         {Id::Label110},
         "Label110=0.5"},
        {"a Haflinger is a Landrover", "1", Id::Text13, Id::Combo34, "1", "7AP Haflinger", kTruckCells,
         "Label108=1250 Label110=0.5 Label75=2 Label21=2 Label18=2 Label121=2 Label40=1 Label25=1 Label33=0 "
         "Label22=0"},
        {"trailers are towed, tow nothing", "3", Id::Text30, Id::Combo35, "2", "Trailer", kTruckCells,
         "Label108=1400 Label110=0 Label75=0 Label21=0 Label18=0 Label121=0 Label40=0 Label25=0 Label33=2 "
         "Label22=2"},
        {"a mule train",
         "1",
         Id::Text40,
         Id::Combo36,
         "1",
         "Mule Train",
         {Id::Label108, Id::Label121, Id::Label40},
         "Label108=1200 Label121=1 Label40=0"},
        {"an ambulance carries only its load", "2", Id::Text44, Id::Combo37, "1", "Land Rover Ambulance", kTruckCells,
         "Label108=0 Label110=0 Label75=10 Label21=10 Label18=5 Label121=5 Label40=0 Label25=0 Label33=0 "
         "Label22=0"},
        {"None rewrites every cell", "2", Id::Text10, Id::Combo33, "4", "None", kTruckCells,
         "Label108=0 Label110=0 Label75=0 Label21=0 Label18=0 Label121=0 Label40=0 Label25=0 Label33=0 Label22=0"},
        {"2.5 Urals",
         "1",
         Id::Text10,
         Id::Combo33,
         "2.5",
         "Ural-375 Heavy Truck",
         {Id::Label108, Id::Label110},
         "Label108=18750 Label110=7.5"},
        {"-1 truck takes one away",
         "1",
         Id::Text10,
         Id::Combo33,
         "-1",
         "ZIL Medium Truck",
         {Id::Label108, Id::Label40},
         "Label108=-5000 Label40=-1"},
        {"two BTR-152s, code 3", "3", Id::Text46, Id::Combo39, "2", "BTR-152 APC", kApcCells,
         "Label108=10000 Label110=4 Label75=18 Label50=18 Label34=6 Label121=6 Label40=2 Label46=2"},
        {"a Saracen's load is 3",
         "1",
         Id::Text47,
         Id::Combo40,
         "1",
         "Saracen APC",
         {Id::Label121, Id::Label108},
         "Label121=3 Label108=2500"},
        {"an APC of no known type", "1", Id::Text48, Id::Combo41, "3", "M113", kApcCells,
         "Label108=0 Label110=0 Label75=0 Label50=0 Label34=0 Label121=0 Label40=0 Label46=0"},
        {"two T-55s, code 3", "3", Id::Text20, Id::Combo30, "2", "T-55 MBT", kArmourCells,
         "Label75=90 Label77=90 Label17=1 Label81=1 Label121=30 Label80=30 Label60=2 Label40=2"},
        {"a light tank carries half a section",
         "1",
         Id::Text53,
         Id::Combo46,
         "1",
         "AMX-13 Lt Tank",
         {Id::Label17, Id::Label81},
         "Label17=0.5 Label81=0.5"},
        {"a Ferret carries none",
         "1",
         Id::Text52,
         Id::Combo45,
         "3",
         "Ferret Armoured Car",
         {Id::Label17, Id::Label81, Id::Label40},
         "Label17=0 Label81=0 Label40=3"},
        {"three SP guns, code 2", "2", Id::Text12, Id::Combo25, "3", "M-44 155mm SP Gun", kSpecialistCells,
         "Label130=114 Label121=114 Label55=228 Label75=228 Label44=3 Label40=3"},
        {"a bridge tows nothing",
         "1",
         Id::Text18,
         Id::Combo28,
         "2",
         "TMM SP Bridge",
         {Id::Label44, Id::Label40},
         "Label44=0 Label40=0"},
        {"a launcher tows nothing",
         "1",
         Id::Text19,
         Id::Combo29,
         "1",
         "ZRK Romb Launcher (SA-8)",
         {Id::Label130, Id::Label44},
         "Label130=5 Label44=0"},
        {"specialist row 1 before a mission type", "0", Id::Text12, Id::Combo25, "1", "M-88 ARV", kSpecialistCells,
         "Label130=9 Label121=9 Label55=0 Label75=0 Label44=1 Label40=1"},
    };
    for (const Case &c : cases) {
        Started cells;
        cells.setText(Id::Label1, c.mission);
        cells.setEnabled(c.list, true);
        cells.enter(c.count, c.n, c.list, c.type);
        EXPECT_EQ(texts(cells, c.cells), c.after) << c.what;
    }
}

// Types that share figures give the same cells.
TEST(Vehicles, TwinTypesBookAlike)
{
    const std::vector<std::vector<const char *>> twins[] = {
        {{"OT-810 APC", "EE-11 Urutu APC", "AMX-VCI APC", "AMX-VCG Engineer Vehicle"}},
        {{"AMX-13 Lt Tank", "TAM Medium Tank"}},
        {{"Excavator", "BAT-M Bulldozer"}},
        {{"M-816 Recovery Truck", "RV-730 Recovery", "M-820 Mobile Workshop"}},
        {{"M-88 ARV", "SPM-85 SP Mortar"}},
    };
    for (const auto &group : twins) {
        std::string first;
        for (const char *type : group[0]) {
            Started cells;
            cells.setText(Id::Label1, "2");
            for (Id list : {Id::Combo39, Id::Combo30})
                cells.setEnabled(list, true);
            const bool apc = std::string(type).find("APC") != std::string::npos ||
                             std::string(type).find("Engineer Vehicle") != std::string::npos;
            const bool tank = std::string(type).find("Tank") != std::string::npos;
            if (apc)
                cells.enter(Id::Text46, "3", Id::Combo39, type);
            else if (tank)
                cells.enter(Id::Text20, "3", Id::Combo30, type);
            else
                cells.enter(Id::Text12, "3", Id::Combo25, type);
            const std::string got =
                texts(cells, {Id::Label108, Id::Label110, Id::Label75, Id::Label121, Id::Label40, Id::Label17});
            if (first.empty())
                first = got;
            EXPECT_EQ(got, first) << type;
        }
    }
}

// The mission code counts at the moment of each pick; a later mission type
// does not change what was booked.
TEST(Vehicles, TheMissionCodeIsReadAtThePick)
{
    Started cells;
    cells.pick(Id::Combo2, "Deliberate Attack");
    cells.enter(Id::Text10, "1", Id::Combo33, "ZIL Medium Truck");
    cells.pick(Id::Combo2, "Raid");
    cells.enter(Id::Text10, "1", Id::Combo33, "ZIL Medium Truck");
    EXPECT_EQ(texts(cells, {Id::Label75, Id::Label21, Id::Label121}), "Label75=16 Label21=16 Label121=8");
}

struct Share {
    Id total, share;
};

struct Family {
    const char *name;
    std::vector<std::pair<Id, Id>> rows; // count box, list
    std::vector<Share> shares;
};

const Family kFamilies[] = {
    {"trucks",
     {{Id::Text10, Id::Combo33},
      {Id::Text13, Id::Combo34},
      {Id::Text30, Id::Combo35},
      {Id::Text40, Id::Combo36},
      {Id::Text44, Id::Combo37}},
     {{Id::Label75, Id::Label21}, {Id::Label121, Id::Label18}, {Id::Label40, Id::Label25}, {Id::Label33, Id::Label22}}},
    {"APCs",
     {{Id::Text46, Id::Combo39}, {Id::Text47, Id::Combo40}, {Id::Text48, Id::Combo41}, {Id::Text49, Id::Combo42}},
     {{Id::Label75, Id::Label50}, {Id::Label121, Id::Label34}, {Id::Label40, Id::Label46}}},
    {"armour",
     {{Id::Text20, Id::Combo30},
      {Id::Text21, Id::Combo31},
      {Id::Text22, Id::Combo32},
      {Id::Text52, Id::Combo45},
      {Id::Text53, Id::Combo46}},
     {{Id::Label75, Id::Label77}, {Id::Label121, Id::Label80}, {Id::Label17, Id::Label81}, {Id::Label40, Id::Label60}}},
    {"specialist vehicles",
     {{Id::Text12, Id::Combo25}, {Id::Text18, Id::Combo28}, {Id::Text19, Id::Combo29}, {Id::Text50, Id::Combo43}},
     {{Id::Label121, Id::Label130}, {Id::Label75, Id::Label55}, {Id::Label40, Id::Label44}}},
};

// After any sequence of picks, each share cell holds exactly the family's
// part of its total: the total with the family's picks, less the total from
// the same sequence without them.
TEST(Vehicles, EveryShareCellHoldsItsFamilysPartOfTheTotal)
{
    std::mt19937_64 random(1977);
    const char *counts[] = {"1", "2", "3", "0", "", "2.5", "-1", "10", "0.5", "abc", "7"};
    for (const Family &family : kFamilies) {
        for (int round = 0; round < 200; ++round) {
            struct Pick {
                const Family *family;
                std::size_t row;
                const char *count;
                std::size_t entry;
                const char *mission;
            };
            std::vector<Pick> picks;
            const int length = std::uniform_int_distribution<int>(1, 12)(random);
            for (int i = 0; i < length; ++i) {
                const Family &f = kFamilies[std::uniform_int_distribution<int>(0, 3)(random)];
                picks.push_back({&f, std::uniform_int_distribution<std::size_t>(0, f.rows.size() - 1)(random),
                                 counts[std::uniform_int_distribution<int>(0, 10)(random)],
                                 std::uniform_int_distribution<std::size_t>(0, 20)(random),
                                 i % 3 == 0 ? "Raid" : "Deliberate Attack"});
            }
            auto play = [&](bool withFamily) {
                auto cells = std::make_unique<Started>();
                for (const Pick &p : picks) {
                    if (!withFamily && p.family == &family)
                        continue;
                    cells->pick(Id::Combo2, p.mission);
                    const auto [count, list] = p.family->rows[p.row];
                    cells->setText(count, p.count);
                    cells->setEnabled(list, true);
                    const auto &entries = cells->entries(list);
                    cells->pick(list, entries[p.entry % entries.size()]);
                }
                return cells;
            };
            const auto with = play(true);
            const auto without = play(false);
            for (const Share &s : family.shares)
                ASSERT_EQ(value(*with, s.share), value(*with, s.total) - value(*without, s.total))
                    << family.name << " " << nameOf(s.share);
        }
    }
}

} // namespace
} // namespace quarvel
