#include "cells/design.h"
#include "playing.h"

#include <QAccessible>
#include <QComboBox>

#include <set>
#include <string>

namespace quarvel {
namespace {

std::string accessibleText(QWidget *w, QAccessible::Text what)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(w);
    return face ? face->text(what).toStdString() : "(no accessible interface)";
}

std::string spoken(QWidget *w) { return accessibleText(w, QAccessible::Name); }

using AccessibilityTest = WindowTest;

// Every control that takes input has a name of its own, and a list keeps it
// whatever entry it shows: the entry is its value.
TEST_F(AccessibilityTest, EveryControlHasANameOfItsOwn)
{
    ASSERT_EQ(play("pick Combo2 Deliberate Attack\ntype Text10 2\npick Combo33 ZIL Medium Truck\nno-alert"), "");
    std::set<std::string> names;
    for (const ControlDesign &d : kDesign) {
        if (d.has(Hidden) || (d.kind != Kind::TextBox && d.kind != Kind::List && d.kind != Kind::CheckBox))
            continue;
        const std::string name = spoken(window().widget(d.id));
        EXPECT_FALSE(name.empty()) << d.name;
        EXPECT_TRUE(names.insert(name).second) << d.name << " shares the name " << name;
    }
    QWidget *list = window().widget(Id::Combo33);
    EXPECT_EQ(spoken(list), "Trucks, row 1, type");
    EXPECT_EQ(accessibleText(list, QAccessible::Value), "ZIL Medium Truck");
    EXPECT_EQ(spoken(window().widget(Id::Check11)), "Infantry, row 3, marching");
}

// A summary number is named by its whole sentence, which follows the number,
// and described by its parts, which are also its tooltip where it stands.
TEST_F(AccessibilityTest, SummaryNumbersAreNamedByTheirSentence)
{
    EXPECT_EQ(spoken(window().widget(Id::Label108)), "You can Carry 0 Squad/s OR 0 Pounds of Cargo");
    ASSERT_EQ(play("pick Combo2 Deliberate Attack\ntype Text10 2\npick Combo33 ZIL Medium Truck\nno-alert"), "");
    EXPECT_EQ(spoken(window().widget(Id::Label110)), "You can Carry 4 Squad/s OR 10000 Pounds of Cargo");
    QWidget *number = window().widget(Id::Label75);
    EXPECT_EQ(spoken(number), "You Will Need 24 Combat Supplies for the Mission");
    EXPECT_EQ(accessibleText(number, QAccessible::Description), "Trucks: +24\nTotal: 24");
    EXPECT_EQ(number->toolTip().toStdString(), "Trucks: +24\nTotal: 24");
    EXPECT_EQ(window().form()->childAt(number->geometry().center()), number);
}

// A "Clear" button's description and tooltip name exactly the sections it
// clears, found by filling a row of every section and pressing it.
TEST_F(AccessibilityTest, ClearButtonsSayWhatTheyClear)
{
    const std::pair<const char *, Id> sections[] = {
        {"trucks", Id::Text10},          {"APCs", Id::Text46},
        {"armour", Id::Text20},          {"specialist vehicles", Id::Text12},
        {"infantry", Id::Text4},         {"weapons", Id::Text23},
        {"combat supplies", Id::Text29}, {"towed units", Id::Text32},
    };
    for (Id button : {Id::Command11, Id::Command19, Id::Command5, Id::Command2, Id::Command8, Id::Command16}) {
        player.newWindow();
        ASSERT_EQ(play("pick Combo2 Probe"), "");
        for (const auto &[section, count] : sections)
            window().cells().setText(count, "1");
        ASSERT_EQ(play("press " + std::string(nameOf(button)) + "\nno-alert"), "");
        std::string expected = "Clears";
        for (const auto &[section, count] : sections)
            if (window().cells().text(count) != "1")
                expected += std::string(expected == "Clears" ? " the " : " and the ") + section;
        EXPECT_EQ(accessibleText(window().widget(button), QAccessible::Description), expected);
        EXPECT_EQ(window().widget(button)->toolTip().toStdString(), expected);
    }
}

} // namespace
} // namespace quarvel
