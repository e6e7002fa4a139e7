#include "app/routes.h"

#include "app/startup.h"
#include "commands/clear.h"
#include "rows/mission.h"
#include "rows/rows.h"

#include <array>
#include <cstdint>

namespace quarvel {
namespace {

void printWindow(Cells &cells, Id) { cells.print(); }
void exitProgram(Cells &cells, Id) { cells.exit(); }

#define ROUTE(control, event, run)                                                                                     \
    Route { Id::control, Event::event, #control "_" #event, run }

// The window's event table: every handler of the system, by the name the
// window knows it by.
constexpr std::array kRoutes{
    Route{Id::Form1, Event::Load, "Form_Load", Form_Load},
    ROUTE(Combo2, Click, pickMissionType),

    // Gated count boxes: a change opens the row's list, or warns.
    ROUTE(Text4, Change, gate),
    ROUTE(Text5, Change, gate),
    ROUTE(Text6, Change, gate),
    ROUTE(Text7, Change, gate),
    ROUTE(Text8, Change, gate),
    ROUTE(Text9, Change, gate),
    ROUTE(Text10, Change, gate),
    ROUTE(Text12, Change, gate),
    ROUTE(Text13, Change, gate),
    ROUTE(Text18, Change, gate),
    ROUTE(Text19, Change, gate),
    ROUTE(Text20, Change, gate),
    ROUTE(Text21, Change, gate),
    ROUTE(Text22, Change, gate),
    ROUTE(Text30, Change, gate),
    ROUTE(Text32, Change, gate),
    ROUTE(Text33, Change, gate),
    ROUTE(Text34, Change, gate),
    ROUTE(Text39, Change, gate),
    ROUTE(Text40, Change, gate),
    ROUTE(Text44, Change, gate),
    ROUTE(Text46, Change, gate),
    ROUTE(Text47, Change, gate),
    ROUTE(Text48, Change, gate),
    ROUTE(Text49, Change, gate),
    ROUTE(Text50, Change, gate),
    ROUTE(Text52, Change, gate),
    ROUTE(Text53, Change, gate),

    ROUTE(Combo1, Click, pickInfantry),
    ROUTE(Combo3, Click, pickInfantry),
    ROUTE(Combo4, Click, pickInfantry),
    ROUTE(Combo5, Click, pickInfantry),
    ROUTE(Combo6, Click, pickInfantry),
    ROUTE(Combo7, Click, pickInfantry),
    ROUTE(Combo11, Click, pickInfantry),
    ROUTE(Combo10, Click, pickInfantry),
    ROUTE(Combo9, Click, pickInfantry),

    ROUTE(Combo13, Click, pickWeapon),
    ROUTE(Combo14, Click, pickWeapon),
    ROUTE(Combo15, Click, pickWeapon),
    ROUTE(Combo16, Click, pickWeapon),
    ROUTE(Combo17, Click, pickWeapon),
    ROUTE(Combo18, Click, pickWeapon),
    ROUTE(Combo24, Click, pickWeapon),
    ROUTE(Combo23, Click, pickWeapon),
    ROUTE(Combo12, Click, pickWeapon),

    ROUTE(Combo19, Click, pickTowed),
    ROUTE(Combo20, Click, pickTowed),
    ROUTE(Combo21, Click, pickTowed),
    ROUTE(Combo22, Click, pickTowed),

    ROUTE(Combo8, Click, pickSupplies),

    ROUTE(Combo33, Click, pickTruck),
    ROUTE(Combo34, Click, pickTruck),
    ROUTE(Combo35, Click, pickTruck),
    ROUTE(Combo36, Click, pickTruck),
    ROUTE(Combo37, Click, pickTruck),

    ROUTE(Combo39, Click, pickApc),
    ROUTE(Combo40, Click, pickApc),
    ROUTE(Combo41, Click, pickApc),
    ROUTE(Combo42, Click, pickApc),

    ROUTE(Combo30, Click, pickArmour),
    ROUTE(Combo31, Click, pickArmour),
    ROUTE(Combo32, Click, pickArmour),
    ROUTE(Combo45, Click, pickArmour),
    ROUTE(Combo46, Click, pickArmour),

    ROUTE(Combo25, Click, pickSpecialist),
    ROUTE(Combo28, Click, pickSpecialist),
    ROUTE(Combo29, Click, pickSpecialist),
    ROUTE(Combo43, Click, pickSpecialist),

    ROUTE(Command2, Click, clearInfantry),
    ROUTE(Command8, Click, clearWeapons),
    ROUTE(Command11, Click, clearTransport),
    ROUTE(Command16, Click, clearTowed),
    ROUTE(Command19, Click, clearArmour),
    ROUTE(Command5, Click, clearSpecialist),
    ROUTE(Command1, Click, printWindow),
    ROUTE(Command3, Click, exitProgram),
};

#undef ROUTE

constexpr std::size_t kEvents = 3;

constexpr auto kIndex = [] {
    std::array<std::int16_t, kControlCount * kEvents> slots{};
    for (auto &slot : slots)
        slot = -1;
    for (std::size_t i = 0; i < kRoutes.size(); ++i)
        slots[index(kRoutes[i].control) * kEvents + static_cast<std::size_t>(kRoutes[i].event)] =
            static_cast<std::int16_t>(i);
    return slots;
}();

} // namespace

const Route *findRoute(Id control, Event event)
{
    const std::int16_t i = kIndex[index(control) * kEvents + static_cast<std::size_t>(event)];
    return i < 0 ? nullptr : &kRoutes[static_cast<std::size_t>(i)];
}

void route(Cells &cells, Id control, Event event)
{
    if (const Route *r = findRoute(control, event))
        r->run(cells, control);
}

} // namespace quarvel
