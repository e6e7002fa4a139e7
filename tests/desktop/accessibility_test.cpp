#include "cells/design.h"
#include "playing.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace quarvel {
namespace {

std::string accessibleText(QWidget *w, QAccessible::Text what)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(w);
    return face ? face->text(what).toStdString() : "(no accessible interface)";
}

std::string spoken(QWidget *w) { return accessibleText(w, QAccessible::Name); }

bool takesInput(const ControlDesign &d)
{
    return !d.has(Hidden) && (d.kind == Kind::TextBox || d.kind == Kind::List || d.kind == Kind::CheckBox);
}

using AccessibilityTest = WindowTest;

// What a screen reader announces for a few controls of every section and of
// the header: the name and the role.
TEST_F(AccessibilityTest, ControlsAreNamedBySectionAndRow)
{
    const struct {
        Id id;
        const char *name;
        QAccessible::Role role;
    } cases[] = {
        {Id::Text10, "Trucks, row 1, count", QAccessible::EditableText},
        {Id::Combo33, "Trucks, row 1, type", QAccessible::ComboBox},
        {Id::Combo37, "Trucks, row 5, type", QAccessible::ComboBox},
        {Id::Text53, "Armour, row 5, count", QAccessible::EditableText},
        {Id::Combo43, "Specialist vehicles, row 4, type", QAccessible::ComboBox},
        {Id::Text46, "APCs, row 1, count", QAccessible::EditableText},
        {Id::Check1, "Infantry, row 1, marching", QAccessible::CheckBox},
        {Id::Check11, "Infantry, row 3, marching", QAccessible::CheckBox},
        {Id::Text11, "Infantry, row 7, count", QAccessible::EditableText},
        {Id::Combo9, "Infantry, row 9, type", QAccessible::ComboBox},
        {Id::Text16, "Weapons, row 9, count", QAccessible::EditableText},
        {Id::Combo8, "Combat supplies, row 1, type", QAccessible::ComboBox},
        {Id::Text39, "Towed units, row 4, count", QAccessible::EditableText},
        {Id::Text35, "Attack from", QAccessible::EditableText},
        {Id::Text38, "Attack on, number", QAccessible::EditableText},
        {Id::Combo2, "Mission type", QAccessible::ComboBox},
        {Id::Combo26, "Close air support details are given on mission", QAccessible::ComboBox},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(nameOf(c.id));
        QWidget *w = window().widget(c.id);
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(w);
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(face->text(QAccessible::Name).toStdString(), c.name);
        EXPECT_EQ(face->role(), c.role);
        // An editable list's edit field is read out with the same name.
        if (auto *combo = qobject_cast<QComboBox *>(w); combo && combo->lineEdit()) {
            EXPECT_EQ(spoken(combo->lineEdit()), c.name);
        }
    }
}

// A list keeps its name when it shows an entry; the entry is its value, and
// its drop-down and edit field are reached through it, as on any list.
TEST_F(AccessibilityTest, ListsAreNamedWhateverEntryTheyShow)
{
    ASSERT_EQ(play("pick Combo2 Deliberate Attack\ntype Text10 2\npick Combo33 ZIL Medium Truck\n"
                   "type Text18 1\npick Combo28 M-88 ARV\nno-alert"),
              "");
    const struct {
        Id list;
        const char *name, *value;
    } cases[] = {
        {Id::Combo2, "Mission type", "Deliberate Attack"},
        {Id::Combo33, "Trucks, row 1, type", "ZIL Medium Truck"},
        {Id::Combo28, "Specialist vehicles, row 2, type", "M-88 ARV"}, // a list without an edit field
        {Id::Combo34, "Trucks, row 2, type", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(nameOf(c.list));
        auto *combo = qobject_cast<QComboBox *>(window().widget(c.list));
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(combo);
        EXPECT_EQ(face->text(QAccessible::Name).toStdString(), c.name);
        EXPECT_EQ(face->text(QAccessible::Value).toStdString(), c.value);
        EXPECT_EQ(face->state().editable, combo->isEditable());
        ASSERT_EQ(face->childCount(), combo->isEditable() ? 2 : 1);
        EXPECT_EQ(face->child(0)->object(), combo->view());
        EXPECT_EQ(face->indexOfChild(face->child(0)), 0);
        if (combo->isEditable()) {
            EXPECT_EQ(face->child(1)->object(), combo->lineEdit());
            EXPECT_EQ(face->indexOfChild(face->child(1)), 1);
        }
    }
    // A screen reader opens the drop-down through the list's action.
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(window().widget(Id::Combo33));
    ASSERT_NE(face->actionInterface(), nullptr);
    face->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
    auto *combo = qobject_cast<QComboBox *>(window().widget(Id::Combo33));
    QTRY_VERIFY(combo->view()->isVisible());
    EXPECT_TRUE(face->state().expanded);
    combo->hidePopup();
}

// No control that takes input is left nameless or shares its name, and each
// section's rows are numbered as they read, down a column and then the next,
// with the row's list and marching box on its count box's line.
TEST_F(AccessibilityTest, EveryRowIsNumberedAsItReads)
{
    std::map<std::string, const ControlDesign *> named;
    for (const ControlDesign &d : kDesign) {
        if (!takesInput(d))
            continue;
        const std::string name = spoken(window().widget(d.id));
        EXPECT_FALSE(QString::fromStdString(name).trimmed().isEmpty()) << d.name;
        EXPECT_TRUE(named.emplace(name, &d).second) << d.name << " shares the name " << name;
    }

    const QRegularExpression countName(QStringLiteral("^(.+), row \\d+, count$"));
    std::map<std::string, std::vector<const ControlDesign *>> sections;
    for (const auto &[name, d] : named)
        if (const auto match = countName.match(QString::fromStdString(name)); match.hasMatch())
            sections[match.captured(1).toStdString()].push_back(d);

    std::map<std::string, std::size_t> rows;
    for (auto &[section, counts] : sections) {
        rows[section] = counts.size();
        std::sort(counts.begin(), counts.end(),
                  [](auto *a, auto *b) { return std::pair(a->left, a->top) < std::pair(b->left, b->top); });
        for (std::size_t i = 0; i < counts.size(); ++i) {
            const ControlDesign &count = *counts[i];
            const std::string row = section + ", row " + std::to_string(i + 1) + ", ";
            EXPECT_EQ(spoken(window().widget(count.id)), row + "count") << count.name;
            const auto list = named.find(row + "type");
            ASSERT_NE(list, named.end()) << row << "type";
            EXPECT_EQ(list->second->top, count.top) << list->second->name;
            EXPECT_GT(list->second->left, count.left) << list->second->name;
            if (const auto box = named.find(row + "marching"); box != named.end()) {
                EXPECT_EQ(box->second->top, count.top) << box->second->name;
                EXPECT_LT(box->second->left, count.left) << box->second->name;
            }
        }
    }
    const std::map<std::string, std::size_t> expected = {
        {"Trucks", 5},   {"Armour", 5},  {"Specialist vehicles", 4}, {"APCs", 4},
        {"Infantry", 9}, {"Weapons", 9}, {"Combat supplies", 1},     {"Towed units", 4},
    };
    EXPECT_EQ(rows, expected);
}

// Each summary number is named by its whole sentence, and the name follows
// the number as the handlers change it.
TEST_F(AccessibilityTest, SummaryNumbersAreNamedByTheirSentence)
{
    const struct {
        Id number;
        const char *atStart, *withTrucks;
    } cases[] = {
        {Id::Label110, "You can Carry 0 Squad/s OR 0 Pounds of Cargo",
         "You can Carry 4 Squad/s OR 10000 Pounds of Cargo"},
        {Id::Label108, "You can Carry 0 Squad/s OR 0 Pounds of Cargo",
         "You can Carry 4 Squad/s OR 10000 Pounds of Cargo"},
        {Id::Label40, "You can Tow 0 Weapons from the \"Towed\" Section",
         "You can Tow 2 Weapons from the \"Towed\" Section"},
        {Id::Label75, "You Will Need 0 Combat Supplies for the Mission",
         "You Will Need 24 Combat Supplies for the Mission"},
        {Id::Label121, "Of Those, 0 Supplies can be carried as the Combat Load",
         "Of Those, 8 Supplies can be carried as the Combat Load"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(spoken(window().widget(c.number)), c.atStart) << nameOf(c.number);

    ASSERT_EQ(play("pick Combo2 Deliberate Attack\ntype Text10 2\npick Combo33 ZIL Medium Truck\nno-alert"), "");
    for (const auto &c : cases)
        EXPECT_EQ(spoken(window().widget(c.number)), c.withTrucks) << nameOf(c.number);

    ASSERT_EQ(play("press Command11\nno-alert"), "");
    for (const auto &c : cases)
        EXPECT_EQ(spoken(window().widget(c.number)), c.atStart) << nameOf(c.number);

    // The captions around the numbers keep their own text.
    EXPECT_EQ(spoken(window().widget(Id::Label70)), "Pounds of Cargo");
}

// A "Clear" button's description and tooltip name exactly the sections it
// clears, found by filling a row of every section and pressing it.
TEST_F(AccessibilityTest, ClearButtonsSayWhatTheyClear)
{
    const struct {
        const char *section;
        Id count;
    } sections[] = {
        {"trucks", Id::Text10},          {"APCs", Id::Text46},
        {"armour", Id::Text20},          {"specialist vehicles", Id::Text12},
        {"infantry", Id::Text4},         {"weapons", Id::Text23},
        {"combat supplies", Id::Text29}, {"towed units", Id::Text32},
    };
    int buttons = 0;
    for (const ControlDesign &d : kDesign) {
        if (d.kind != Kind::Button || d.text != "Clear")
            continue;
        ++buttons;
        player.newWindow();
        ASSERT_EQ(play("pick Combo2 Probe"), "");
        for (const auto &s : sections)
            window().setText(s.count, "1");
        ASSERT_EQ(play("press " + std::string(d.name) + "\nno-alert"), "");

        std::string expected = "Clears";
        for (const auto &s : sections)
            if (window().text(s.count) != "1")
                expected += std::string(expected == "Clears" ? " the " : " and the ") + s.section;
        QWidget *button = window().widget(d.id);
        EXPECT_EQ(accessibleText(button, QAccessible::Description), expected) << d.name;
        EXPECT_EQ(button->toolTip().toStdString(), expected) << d.name;
        EXPECT_EQ(spoken(button), "Clear") << d.name;
    }
    EXPECT_EQ(buttons, 6);
    // Nothing else shows a tooltip: the window looks as designed.
    int tooltips = 0;
    for (QWidget *w : window().findChildren<QWidget *>())
        tooltips += !w->toolTip().isEmpty();
    EXPECT_EQ(tooltips, buttons);
}

} // namespace
} // namespace quarvel
