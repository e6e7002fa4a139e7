#include "cells/design.h"
#include "playing.h"

#include "app/bookingmarks.h"
#include "app/formcells.h"
#include "app/menus.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEngine>
#include <QPainter>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextLayout>

#include <vector>

namespace quarvel {
namespace {

// Every caption is shown whole at every zoom: wrapped at word boundaries
// inside its label, and clear of any control that lies over the label.
TEST_F(WindowTest, NoCaptionIsClipped)
{
    for (int zoom : {75, 100, 125, 150, 175, 200, 250, 300}) {
        window().zoomTo(zoom);
        SCOPED_TRACE(zoom);
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
                lines.push_back(QRectF(area.x(), area.y() + line.y(), line.naturalTextWidth(), line.height())
                                    .translated(label->pos()));
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
}

// A mouse click on an entry of the open drop-down is a pick.
TEST_F(WindowTest, AClickInTheDropDownIsAPick)
{
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
// pasted into it and deleted again, and ordinary editing still undoes; once
// the stretch of typing is over, the box's own Undo has nothing left that
// the window's would not take back with the steps after it.
TEST_F(WindowTest, UndoKeepsWithinBounds)
{
    auto *box = qobject_cast<QLineEdit *>(window().widget(Id::Text35));
    EXPECT_EQ(play("type Text35 Kursk 1943\nerase Text35"), "");
    box->undo();
    EXPECT_EQ(box->text(), "Kursk 1943");
    EXPECT_EQ(play("type Text36 Orel"), "");
    EXPECT_FALSE(box->isUndoAvailable());

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

// A text put in a box or a list by Open or Undo shows from its beginning, as
// a pick does.
TEST_F(WindowTest, TextsPutInPlaceShowTheirBeginning)
{
    ASSERT_EQ(play("pick Combo2 Deliberate Attack\ntype Text10 2\npick Combo33 ZIL Medium Truck\n"
                   "type Text35 Kursk salient, northern face\nnew\nundo\nexpect Combo33 ZIL Medium Truck"),
              "");
    for (QLineEdit *field : window().findChildren<QLineEdit *>()) {
        if (!field->text().isEmpty()) {
            EXPECT_EQ(field->cursorPosition(), 0) << field->text().toStdString();
        }
    }
}

// The texts a widget draws, where it draws them.
class DrawnTexts : public QPaintDevice, private QPaintEngine {
public:
    explicit DrawnTexts(QWidget *widget) : size_(widget->size()) { widget->render(this, {}, {}, {}); }

    struct Drawn {
        QString text;
        QRectF where;
    };
    std::vector<Drawn> texts;

    QPaintEngine *paintEngine() const override { return const_cast<DrawnTexts *>(this); }

private:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return size_.width();
        case PdmHeight:
            return size_.height();
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        default:
            return 1;
        }
    }
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override {}
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
    Type type() const override { return User; }
    void drawTextItem(const QPointF &at, const QTextItem &item) override
    {
        const QPointF origin = at + painter()->transform().map(QPointF());
        texts.push_back({item.text(),
                         QRectF(origin.x(), origin.y() - item.ascent(), item.width(), item.ascent() + item.descent())});
    }

    QSize size_;
};

// A figure too long for its label or box is drawn whole, in a smaller font,
// or not at all: a mark no one takes for a number. Never cut.
TEST_F(WindowTest, FiguresAreDrawnWholeOrNotAtAll)
{
    for (const char *figure : {"0", "25000", "493827156", "-41.5", "-1.79769313486232E+308"})
        for (Id id : {Id::Label110, Id::Label108, Id::Label40, Id::Label75, Id::Label121, Id::Text10}) {
            SCOPED_TRACE(std::string(nameOf(id)) + " " + figure);
            window().cells().setText(id, figure);
            QWidget *widget = window().widget(id);
            const DrawnTexts drawn(widget);
            ASSERT_EQ(drawn.texts.size(), 1u);
            EXPECT_TRUE(drawn.texts[0].text == figure || drawn.texts[0].text == "###")
                << drawn.texts[0].text.toStdString();
            EXPECT_TRUE(QRectF(widget->rect()).contains(drawn.texts[0].where));
        }
}

// Zoom lays the form out anew: each control and its font scaled by the zoom,
// the design's own at actual size. The zoom chosen is the next window's, and
// the page exported is the same at every zoom.
TEST_F(WindowTest, ZoomScalesTheFormNotThePage)
{
    auto expectZoomed = [this](double scale) {
        for (Id id : {Id::Form1, Id::Text16, Id::Combo2, Id::Command1, Id::Label108}) {
            const ControlDesign &d = design(id);
            QWidget *w = id == Id::Form1 ? window().form() : window().widget(id);
            const QRect at = id == Id::Form1 ? w->rect() : w->geometry();
            EXPECT_NEAR(at.left(), pixels(d.left) * scale, 0.5) << d.name;
            EXPECT_NEAR(at.top(), pixels(d.top) * scale, 0.5) << d.name;
            EXPECT_NEAR(at.right() + 1, (pixels(d.left) + pixels(d.width)) * scale, 0.5) << d.name;
            EXPECT_NEAR(at.bottom() + 1, (pixels(d.top) + pixels(d.height)) * scale, 0.5) << d.name;
            EXPECT_LE(QFontInfo(w->font()).pixelSize(), 11 * scale) << d.name;
            EXPECT_GT(QFontInfo(w->font()).pixelSize(), 11 * scale - 1) << d.name;
        }
    };
    QTemporaryDir folder;
    // The words of the page's drawing of the form (its top 480 points, above
    // the listing and its time of printing), each where it stands.
    auto drawing = [&](const QString &name) {
        EXPECT_EQ(play("export " + folder.filePath(name).toStdString() + "\nno-alert"), "");
        QProcess words;
        words.start("pdftotext", {"-bbox", folder.filePath(name), "-"});
        words.waitForFinished();
        std::string drawn;
        for (const QString &line : QString::fromUtf8(words.readAllStandardOutput()).split('\n'))
            if (line.contains("<word") && line.section('"', 3, 3).toDouble() < 480)
                drawn += line.toStdString() + '\n';
        return drawn;
    };
    const std::string page = drawing("actual.pdf");
    ASSERT_NE(page.find("Attack"), std::string::npos);
    ASSERT_EQ(play("menu View › Zoom In\nmenu View › Zoom In"), "");
    expectZoomed(1.5);
    EXPECT_EQ(drawing("zoomed.pdf"), page);
    expectZoomed(1.5);
    player.newWindow(true);
    expectZoomed(1.5);
    ASSERT_EQ(play("menu View › Actual Size"), "");
    expectZoomed(1);
    EXPECT_FALSE(window().menus().item("View › Actual Size")->isEnabled()); // it would change nothing
}

// A row that has booked more than its list shows is marked, its bookings in
// the mark's tooltip; a refused pick books nothing, a Clear forgets, Undo and
// a plan keep them.
TEST_F(WindowTest, ARowBookedMoreThanItShowsIsMarked)
{
    const QTemporaryDir folder;
    const std::string plan = folder.filePath("booked.quarvel").toStdString();
    const char *twice = "Booked since the last Clear:\n2 ZIL Medium Truck, 2 times";
    const std::string thrice = std::string(twice) + "\n2 Ural-375 Heavy Truck";
    const struct {
        std::string steps;
        Id list;
        const char *mark;
        std::string tip;
    } cases[] = {
        {"type Text23 1\npick Combo13 SA-7 SAM\ntype Text23 1\npick Combo13 SA-7 SAM\nalert \"Transport Error\"\n"
         "alert \"Transport Error\"",
         Id::Combo13, "", ""},
        {"pick Combo2 Deliberate Attack\ntype Text10 2\npick Combo33 ZIL Medium Truck", Id::Combo33, "", ""},
        {"pick Combo33 ZIL Medium Truck\nexpect Label108 20000", Id::Combo33, "×2", twice},
        {"key Down", Id::Combo33, "×3", thrice},
        {"press Command11", Id::Combo33, "", ""},
        {"undo", Id::Combo33, "×3", thrice},
        {"save " + plan + "\nnew\nopen " + plan, Id::Combo33, "×3", thrice},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.steps);
        ASSERT_EQ(play(c.steps), "");
        const QLabel *mark = window().bookingMarks().mark(c.list);
        const bool shown = mark && !mark->isHidden();
        EXPECT_EQ(shown ? mark->text() : QString(), QString::fromUtf8(c.mark));
        EXPECT_EQ(shown ? mark->toolTip().toStdString() : std::string(), c.tip);
    }
}

} // namespace
} // namespace quarvel
