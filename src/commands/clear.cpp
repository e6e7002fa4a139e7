#include "commands/clear.h"

#include "rows/rows.h"

#include <initializer_list>

namespace quarvel {
namespace {

// Writes " " into each cell in turn: a count box's gate runs when its text
// changes; a list-only list cannot show it and shows no entry.
void blank(Cells &cells, std::initializer_list<Id> ids)
{
    for (Id id : ids)
        cells.setText(id, " ");
}

void zero(Cells &cells, std::initializer_list<Id> ids)
{
    for (Id id : ids)
        cells.setText(id, "0");
}

// X ← value(X) − value(share), then the share cell blanked.
void takeBack(Cells &cells, Id total, Id share)
{
    subtract(cells, total, value(cells, share));
    cells.setText(share, " ");
}

} // namespace

void clearInfantry(Cells &cells, Id)
{
    blank(cells, {Id::Text4, Id::Text5, Id::Text6, Id::Text7, Id::Text8, Id::Text9, Id::Text11, Id::Text3, Id::Text2});
    blank(cells, {Id::Combo1, Id::Combo3, Id::Combo4, Id::Combo5, Id::Combo6, Id::Combo7, Id::Combo11, Id::Combo10,
                  Id::Combo9});
    for (Id check : {Id::Check1, Id::Check6, Id::Check11, Id::Check12, Id::Check13, Id::Check14, Id::Check4, Id::Check3,
                     Id::Check2})
        cells.untick(check);
    add(cells, Id::Label110, value(cells, Id::Text1));
    add(cells, Id::Label108, value(cells, Id::Text1) * 2500);
    subtract(cells, Id::Label108, value(cells, Id::Label51));
    subtract(cells, Id::Label75, value(cells, Id::Label42));
    subtract(cells, Id::Label121, value(cells, Id::Label43));
    zero(cells, {Id::Label51, Id::Label42, Id::Label43, Id::Label57, Id::Label6, Id::Text1});
}

void clearWeapons(Cells &cells, Id)
{
    blank(cells, {Id::Text23, Id::Text24, Id::Text25, Id::Text26, Id::Text27, Id::Text28, Id::Text29, Id::Text16,
                  Id::Text15, Id::Text14});
    blank(cells, {Id::Combo13, Id::Combo14, Id::Combo15, Id::Combo16, Id::Combo17, Id::Combo18, Id::Combo8, Id::Combo12,
                  Id::Combo23, Id::Combo24});
    subtract(cells, Id::Label121, value(cells, Id::Label65));
    subtract(cells, Id::Label75, value(cells, Id::Label9));
    add(cells, Id::Label108, value(cells, Id::Label4));
    add(cells, Id::Label108, value(cells, Id::Label113));
    zero(cells, {Id::Label9, Id::Label65, Id::Label181, Id::Label113, Id::Label66, Id::Label4, Id::Label2});
    blank(cells, {Id::Label49});
    write(cells, Id::Label110, squadsFromPounds(value(cells, Id::Label108)));
}

// The trucks and APCs share one button. It zeroes the whole cargo and squad
// capacity rather than taking out their share, and with it everything that
// records what rides: the weight the weapons and the supplies put aboard, the
// squads aboard, the infantry's cargo load and the pounds it carries itself.
void clearTransport(Cells &cells, Id)
{
    blank(cells, {Id::Text46, Id::Text47, Id::Text48, Id::Text49});
    blank(cells, {Id::Combo39, Id::Combo40, Id::Combo41, Id::Combo42});
    subtract(cells, Id::Label40, value(cells, Id::Label46));
    subtract(cells, Id::Label121, value(cells, Id::Label34));
    subtract(cells, Id::Label75, value(cells, Id::Label50));
    blank(cells, {Id::Label50, Id::Label34, Id::Label46});
    blank(cells, {Id::Text10, Id::Text13, Id::Text30, Id::Text40, Id::Text44});
    blank(cells, {Id::Combo33, Id::Combo34, Id::Combo35, Id::Combo36, Id::Combo37});
    zero(cells, {Id::Label4, Id::Label6, Id::Label108, Id::Label110});
    // Nothing rides once the vehicles are gone: the infantry and weapons
    // Clears must not give back room that no vehicle provides any more.
    zero(cells, {Id::Text1, Id::Label51, Id::Label113});
    takeBack(cells, Id::Label121, Id::Label18);
    takeBack(cells, Id::Label75, Id::Label21);
    takeBack(cells, Id::Label33, Id::Label22);
    takeBack(cells, Id::Label40, Id::Label25);
}

void clearTowed(Cells &cells, Id)
{
    blank(cells, {Id::Text32, Id::Text33, Id::Text34, Id::Text39});
    blank(cells, {Id::Combo19, Id::Combo20, Id::Combo21, Id::Combo22});
    add(cells, Id::Label40, value(cells, Id::Label13)); // the towing the guns used comes back
    subtract(cells, Id::Label75, value(cells, Id::Label170));
    subtract(cells, Id::Label121, value(cells, Id::Label171));
    subtract(cells, Id::Label33, value(cells, Id::Label13));
    zero(cells, {Id::Label170, Id::Label171, Id::Label13});
}

void clearArmour(Cells &cells, Id)
{
    blank(cells, {Id::Text20, Id::Text21, Id::Text22, Id::Text52, Id::Text53});
    blank(cells, {Id::Combo30, Id::Combo31, Id::Combo32, Id::Combo45, Id::Combo46});
    subtract(cells, Id::Label75, value(cells, Id::Label77));
    subtract(cells, Id::Label121, value(cells, Id::Label80));
    subtract(cells, Id::Label17, value(cells, Id::Label81));
    subtract(cells, Id::Label40, value(cells, Id::Label60));
    blank(cells, {Id::Label77, Id::Label80, Id::Label81, Id::Label60});
}

// Clears the specialist vehicles the way the armour's button clears the
// armour, so that their rows can be taken back as well.
void clearSpecialist(Cells &cells, Id)
{
    blank(cells, {Id::Text12, Id::Text18, Id::Text19, Id::Text50});
    blank(cells, {Id::Combo25, Id::Combo28, Id::Combo29, Id::Combo43});
    subtract(cells, Id::Label121, value(cells, Id::Label130));
    subtract(cells, Id::Label75, value(cells, Id::Label55));
    subtract(cells, Id::Label40, value(cells, Id::Label44));
    blank(cells, {Id::Label130, Id::Label55, Id::Label44});
}

} // namespace quarvel
