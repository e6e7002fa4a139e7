#include "cells/design.h"
#include "playing.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextLayout>

#include <algorithm>
#include <vector>

namespace quarvel {
namespace {

bool focusable(const ControlDesign &d)
{
    return !d.has(Hidden) &&
           (d.kind == Kind::TextBox || d.kind == Kind::List || d.kind == Kind::CheckBox || d.kind == Kind::Button);
}

TEST_F(WindowTest, EveryControlStandsWhereTheDesignPutsIt)
{
    EXPECT_EQ(window().windowTitle(), "Quarvel");
    EXPECT_EQ(window().size(), QSize(767, 671)); // 11505 x 10065 twips
    int widgets = 0;
    for (const ControlDesign &d : kDesign) {
        if (d.kind == Kind::Window)
            continue;
        // The design maps to whole pixels.
        for (int twips : {d.left, d.top, d.width, d.height})
            EXPECT_EQ(twips % 15, 0) << d.name;
        QWidget *w = window().widget(d.id);
        if (d.has(Hidden) || d.kind == Kind::Line || d.kind == Kind::Rectangle) {
            EXPECT_EQ(w, nullptr) << d.name;
            continue;
        }
        ASSERT_NE(w, nullptr) << d.name;
        ++widgets;
        EXPECT_EQ(w->geometry(), QRect(d.left / 15, d.top / 15, d.width / 15, d.height / 15)) << d.name;
        EXPECT_TRUE(w->isVisible()) << d.name;
        EXPECT_EQ(w->objectName().toStdString(), d.name);
        switch (d.kind) {
        case Kind::Label:
            EXPECT_TRUE(qobject_cast<QLabel *>(w)) << d.name;
            EXPECT_EQ(qobject_cast<QLabel *>(w)->frameShape() == QFrame::Box, d.has(Border)) << d.name;
            EXPECT_EQ(bool(qobject_cast<QLabel *>(w)->alignment() & Qt::AlignHCenter), d.has(Centred)) << d.name;
            break;
        case Kind::TextBox:
            EXPECT_TRUE(qobject_cast<QLineEdit *>(w)) << d.name;
            break;
        case Kind::List:
            ASSERT_TRUE(qobject_cast<QComboBox *>(w)) << d.name;
            EXPECT_EQ(qobject_cast<QComboBox *>(w)->isEditable(), !d.has(ListOnly)) << d.name;
            break;
        case Kind::CheckBox:
            EXPECT_TRUE(qobject_cast<QCheckBox *>(w)) << d.name;
            break;
        default:
            EXPECT_TRUE(qobject_cast<QPushButton *>(w)) << d.name;
            break;
        }
    }
    // Nothing else is in the window, and nothing lies outside its client area.
    int children = 0;
    for (QWidget *child : window().findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child->isWindow())
            continue;
        ++children;
        EXPECT_TRUE(window().rect().contains(child->geometry())) << child->objectName().toStdString();
    }
    EXPECT_EQ(children, widgets);
}

// Every caption is shown whole: wrapped at word boundaries inside its label,
// and clear of any control that lies over the label.
TEST_F(WindowTest, NoCaptionIsClipped)
{
    for (const ControlDesign &d : kDesign) {
        auto *label = qobject_cast<QLabel *>(window().widget(d.id));
        if (!label)
            continue;
        const QRect area = label->contentsRect();
        QTextLayout layout(label->text(), label->font());
        QTextOption option;
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        qreal y = 0;
        std::vector<QRectF> lines;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(area.width());
            line.setPosition(QPointF(0, y));
            y += line.height();
            // Within half a pixel: a glyph's advance runs past its ink.
            EXPECT_LE(line.naturalTextWidth(), area.width() + 0.5) << d.name;
            const int end = line.textStart() + line.textLength();
            if (end < label->text().size()) { // a line ends between words
                EXPECT_TRUE(label->text().at(end - 1).isSpace()) << d.name;
            }
            lines.push_back(
                QRectF(area.x(), area.y() + line.y(), line.naturalTextWidth(), line.height()).translated(label->pos()));
        }
        layout.endLayout();
        EXPECT_LE(y, area.height() + 0.5) << d.name;
        for (const ControlDesign &other : kDesign) {
            QWidget *w = window().widget(other.id);
            if (!w || w == label || qobject_cast<QLabel *>(w))
                continue;
            for (const QRectF &line : lines)
                EXPECT_FALSE(line.intersects(w->geometry())) << d.name << " under " << other.name;
        }
    }
    for (const ControlDesign &d : kDesign) {
        if (auto *button = qobject_cast<QPushButton *>(window().widget(d.id))) {
            EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()) + 8, button->width()) << d.name;
        }
    }
}

// The focus chain: ascending tab index, skipping labels, hidden and disabled
// controls; a list the gates open joins it at its tab index.
TEST_F(WindowTest, TabFollowsTheTabIndexes)
{
    auto expected = [this] {
        std::vector<const ControlDesign *> chain;
        for (const ControlDesign &d : kDesign)
            if (focusable(d) && window().widget(d.id)->isEnabled())
                chain.push_back(&d);
        std::sort(chain.begin(), chain.end(), [](auto *a, auto *b) { return a->tab < b->tab; });
        std::vector<std::string> names;
        for (auto *d : chain)
            names.emplace_back(d->name);
        return names;
    };
    auto walked = [this](std::size_t steps) {
        std::vector<std::string> names;
        for (std::size_t i = 0; i < steps; ++i) {
            QWidget *focus = QApplication::focusWidget();
            while (focus && focus->objectName().isEmpty())
                focus = focus->parentWidget();
            names.push_back(focus ? focus->objectName().toStdString() : "(none)");
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        return names;
    };
    EXPECT_EQ(play("focus Text16"), "");
    const auto atStart = expected();
    EXPECT_EQ(walked(atStart.size()), atStart);
    EXPECT_EQ(play("focus Text16"), ""); // round the whole chain and back

    EXPECT_EQ(play("pick Combo2 Probe\ntype Text4 1\ntype Text10 1\ntype Text18 1"), "");
    window().widget(Id::Text16)->setFocus();
    const auto opened = expected();
    EXPECT_EQ(opened.size(), atStart.size() + 3);
    EXPECT_EQ(walked(opened.size()), opened);
}

TEST_F(WindowTest, StartUpLeavesEveryListShowingItsDesignText)
{
    EXPECT_EQ(play("expect Combo2 None\nexpect Combo26 0\nexpect Combo1 \"\"\nexpect Combo33 \"\"\n"
                   "expect Combo28 \"\"\nentries Combo2 7\nentry Combo2 6 Deliberate Attack\nentries Combo26 9\n"
                   "disabled Combo1\nenabled Combo9\ndisabled Combo19\ndisabled Combo43\nenabled Combo25\n"
                   "expect Label1 0\nexpect Label49 Label49\nno-alert"),
              "");
}

// Typing into a list's edit field is no pick: whatever key ends it, even when
// the text typed is an entry's, nothing is booked, completed or added.
TEST_F(WindowTest, TypingIntoAListBooksNothing)
{
    EXPECT_EQ(play("type Combo2 Deliberate Attack\nkey Return\nexpect Label1 0\nexpect Combo2 NoneDeliberate Attack"),
              "");
    EXPECT_EQ(play("erase Combo2\ntype Combo2 Deliberate Attack\nkey Enter\ntab\nexpect Label1 0"), "");
    EXPECT_EQ(play("erase Combo2\ntype Combo2 Deliberate Attack\ntab\nexpect Label1 0"), "");
    EXPECT_EQ(play("erase Combo2\ntype Combo2 Deli\nexpect Combo2 Deli\nkey Return\nexpect Combo2 Deli"), "");
    EXPECT_EQ(play("erase Combo2\ntype Combo2 Raid\ntype Text35 x\nexpect Label1 0\nentries Combo2 7\n"
                   "type Combo12 RPG-7\nkey Return\nexpect Label2 0\nentries Combo12 14\nno-alert"),
              "");
}

TEST_F(WindowTest, ArrowKeysAndTheDropDownArePicks)
{
    EXPECT_EQ(play("pick Combo2 Probe\nexpect Label1 1\nkey Down\nexpect Combo2 Advance To Contact\n"
                   "expect Label1 2\npick Combo2 Advance To Contact\nexpect Label1 2"),
              "");
    // A mouse click on an entry of the open drop-down.
    auto *combo = qobject_cast<QComboBox *>(window().widget(Id::Combo2));
    combo->showPopup();
    QAbstractItemView *view = combo->view();
    QTRY_VERIFY(view->isVisible());
    const QRect entry = view->visualRect(combo->model()->index(5, 0));
    QTest::mouseMove(view->viewport(), entry.center());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, entry.center());
    QTRY_VERIFY(!view->isVisible());
    EXPECT_EQ(play("expect Combo2 Deliberate Attack\nexpect Label1 3"), "");
}

TEST_F(WindowTest, ListOnlyListsTakeNoTyping)
{
    EXPECT_NE(play("type Combo28 Excavator"), "");
    EXPECT_EQ(play("pick Combo2 Raid\ntype Text18 1\npick Combo28 M-88 ARV\nexpect Label130 9\n"
                   "expect Label44 1\nexpect Combo28 M-88 ARV"),
              "");
}

TEST_F(WindowTest, AMissionErrorIsAModalCriticalBoxWithOneOk)
{
    EXPECT_EQ(play("type Text4 12\nalert \"Mission Error\" \" Select Mission Type!\"\n"
                   "alert \"Mission Error\" \" Select Mission Type!\"\nno-alert\nexpect Text4 12\ndisabled Combo1"),
              "");
    // A program write runs the gate nested, once, only when the text changes.
    window().setText(Id::Text4, "0");
    window().setText(Id::Text4, "0");
    EXPECT_EQ(play("alert \"Mission Error\" \" Select Mission Type!\"\nno-alert"), "");
}

TEST_F(WindowTest, HiddenCellsAreReadAndWrittenButNeverShown)
{
    EXPECT_EQ(play("expect Label4 Casualty Sections  can be Carried\nset Label49 7\nexpect Label49 7\n"
                   "expect Text1 \"\"\nset Text1 2\nexpect Text1 2"),
              "");
    window().resize(2000, 1200);
    for (QWidget *child : window().findChildren<QWidget *>()) {
        if (child->isVisible() && !child->isWindow()) {
            EXPECT_LT(child->mapTo(&window(), QPoint()).x(), 767) << child->objectName().toStdString();
        }
    }
}

// Every drop-down opens wide enough to show each of its entries whole, and
// never wider than the screen, while the lists keep their design size.
TEST_F(WindowTest, DropDownsShowTheirEntriesWhole)
{
    auto *mission = qobject_cast<QComboBox *>(window().widget(Id::Combo2));
    mission->addItem(QString(400, u'W')); // wider than any screen here
    for (const ControlDesign &d : kDesign) {
        auto *combo = qobject_cast<QComboBox *>(window().widget(d.id));
        if (!combo)
            continue;
        SCOPED_TRACE(d.name);
        combo->showPopup();
        QAbstractItemView *view = combo->view();
        QTRY_VERIFY(view->isVisible());
        const QRect screen = combo->screen()->availableGeometry();
        const QRect popup = view->window()->frameGeometry();
        EXPECT_GE(popup.left(), screen.left());
        EXPECT_LE(popup.right(), screen.right());
        for (int i = 0; i < combo->count(); ++i) {
            const QModelIndex entry = combo->model()->index(i, 0);
            if (combo != mission || i + 1 < combo->count()) {
                EXPECT_GE(view->viewport()->width(), view->sizeHintForIndex(entry).width())
                    << combo->itemText(i).toStdString();
            }
        }
        combo->hidePopup();
        EXPECT_EQ(combo->geometry(), QRect(d.left / 15, d.top / 15, d.width / 15, d.height / 15));
    }
}

// A list whose entry does not fit its box shows the whole entry as its
// tooltip, whatever put the entry there; one that fits needs none.
TEST_F(WindowTest, ACutEntryIsItsListsTooltip)
{
    auto tip = [this](Id list) { return window().widget(list)->toolTip().toStdString(); };
    EXPECT_EQ(play("pick Combo2 Deliberate Attack\ntype Text10 1\ntype Text18 1\n"
                   "pick Combo33 Ural-375 Heavy Truck"),
              "");
    EXPECT_EQ(tip(Id::Combo33), "Ural-375 Heavy Truck");
    EXPECT_EQ(play("pick Combo33 Trailer"), "");
    EXPECT_EQ(tip(Id::Combo33), "");
    EXPECT_EQ(play("type Combo33 \" and Land Rover Ambulance\""), "");
    EXPECT_EQ(tip(Id::Combo33), "Trailer and Land Rover Ambulance");
    EXPECT_EQ(play("press Command11\nexpect Combo33 \" \""), "");
    EXPECT_EQ(tip(Id::Combo33), "");
    EXPECT_EQ(play("pick Combo28 IMR Combat Engineer Vehicle"), "");
    EXPECT_EQ(tip(Id::Combo28), "IMR Combat Engineer Vehicle");
    EXPECT_EQ(play("pick Combo28 M-88 ARV\nno-alert"), "");
    EXPECT_EQ(tip(Id::Combo28), "");
}

// A text box keeps what it takes to undo within bounds, however much is
// pasted into it and deleted again, and ordinary editing still undoes.
TEST_F(WindowTest, UndoKeepsWithinBounds)
{
    auto *box = qobject_cast<QLineEdit *>(window().widget(Id::Text35));
    EXPECT_EQ(play("type Text35 Kursk 1943\nerase Text35"), "");
    box->undo();
    EXPECT_EQ(box->text(), "Kursk 1943");

    QApplication::clipboard()->setText(QString(32000, u'x'));
    box->setFocus();
    for (int i = 0; i < 20; ++i) {
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Delete);
        QApplication::processEvents();
    }
    // Only the last edit is left to undo, not forty pastes and deletes.
    int undone = 0;
    for (; box->isUndoAvailable() && undone < 100; ++undone)
        box->undo();
    EXPECT_EQ(undone, 1);
    EXPECT_EQ(box->text().size(), 32000);
}

// The window handles what a step leaves (posted events, deferred deletes)
// before the next step, as an event loop would: over a long file nothing
// piles up.
TEST_F(WindowTest, WhatAStepLeavesIsHandledBeforeTheNext)
{
    for (const char *step : {"expect Label1 0", "pick Combo2 Raid"}) {
        SCOPED_TRACE(step);
        bool ran = false;
        QMetaObject::invokeMethod(
            &window(), [&ran] { ran = true; }, Qt::QueuedConnection);
        QPointer<QObject> doomed = new QObject;
        doomed->deleteLater();
        EXPECT_EQ(play(step), "");
        EXPECT_TRUE(ran);
        EXPECT_TRUE(doomed.isNull());
    }
}

} // namespace
} // namespace quarvel
