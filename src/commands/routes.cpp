#include "commands/routes.h"

#include "commands/bookings.h"
#include "commands/clear.h"
#include "rows/mission.h"
#include "rows/startup.h"

#include <array>

namespace quarvel {
namespace {

void Command1_Click(Cells &cells) { cells.print(); }
void Command3_Click(Cells &cells) { cells.exit(); }

// A button's handler knows its button: it takes the cells alone.
struct Command {
    Id button;
    void (*run)(Cells &cells);
};

// The buttons; the rows' lists and count boxes raise what their section's
// table says.
constexpr auto kCommands = toArray<Command>({
    {Id::Command1, Command1_Click},
    {Id::Command3, Command3_Click},
    {Id::Command2, Command2_Click},
    {Id::Command8, Command8_Click},
    {Id::Command11, Command11_Click},
    {Id::Command16, Command16_Click},
    {Id::Command19, Command19_Click},
    {Id::Command5, Command5_Click},
});

// Where a control stands among the sections' rows.
struct Place {
    const Section *section = nullptr; // null: in no row
    const Row *row = nullptr;
};

constexpr auto kPlaces = [] {
    std::array<Place, kControlCount> places{};
    for (const Section *section : kSections)
        for (const Row &row : section->rows) {
            places[index(row.count)] = {section, &row};
            places[index(row.list)] = {section, &row};
        }
    return places;
}();

} // namespace

void route(Cells &cells, Id control, Event event)
{
    const Place &place = kPlaces[index(control)];
    switch (event) {
    case Event::Load:
        if (control == Id::Form1)
            Form_Load(cells);
        break;
    case Event::Change:
        if (place.row && place.row->count == control && place.row->gate != Gate::None)
            gate(cells, *place.row);
        break;
    case Event::Click:
        if (control == Id::Combo2)
            pickMissionType(cells, control);
        else if (place.row && place.row->list == control)
            pickAndNote(cells, *place.section, *place.row);
        for (const Command &command : kCommands)
            if (command.button == control)
                command.run(cells);
        break;
    }
}

} // namespace quarvel
