// A long random run of a person's actions through the real window, offscreen:
// picks, typing, ticks, the sections' Clear buttons, Print into a PDF file and
// Exit, with every message box answered. Along the way the share cells of the
// armour, towed and specialist sections must match what the section's picks
// put into the totals, and each of their Clear buttons must leave the totals
// as the other sections made them; a pick the transport refuses must leave
// every cell but its count box as it was; and all six Clears, in any order,
// must take the summary's figures back to 0.
//
// QUARVEL_SOAK_SEED repeats a run (each run prints its seed);
// QUARVEL_SOAK_STEPS sets its number of actions.

#include "cells/design.h"
#include "player.h"
#include "quiet.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <deque>
#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace quarvel {
namespace {

using scenario::Step;

// Print finds no printer here and offers to save a PDF file: the player
// answers that dialog with a new file in `folder` each time, and every other
// dialog as a scenario does.
class SoakPlayer : public scenario::Player {
public:
    explicit SoakPlayer(QString folder) : folder_(std::move(folder)) {}

    // The file the last Print was saved as; empty when no file dialog showed.
    QString takeSaved() { return std::exchange(saved_, QString()); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *dialog = qobject_cast<QFileDialog *>(watched);
        if (!dialog || event->type() != QEvent::Show || !dialog->isWindow())
            return Player::eventFilter(watched, event);
        saved_ = QDir(folder_).filePath(QStringLiteral("print-%1.pdf").arg(++prints_));
        QTimer::singleShot(0, dialog, [dialog, file = saved_] {
            // As a person would: the name in the file field, then Save.
            dialog->selectFile(file);
            auto *buttons = dialog->findChild<QDialogButtonBox *>();
            QPushButton *save = buttons ? buttons->button(QDialogButtonBox::Save) : nullptr;
            if (save)
                save->click();
            else
                dialog->reject();
        });
        return false;
    }

private:
    QString folder_, saved_;
    int prints_ = 0;
};

// A section whose picks add to shared totals and whose own cells keep its
// share of each, for its Clear to take back.
struct Share {
    Id cell, total;
    double sign; // the towed guns' Label13 counts the towing they take out of Label40
};

struct Section {
    const char *name;
    std::vector<Id> lists;
    Id clear;
    std::vector<Share> shares;
};

const std::vector<Section> kSections{
    {"armour",
     {Id::Combo30, Id::Combo31, Id::Combo32, Id::Combo45, Id::Combo46},
     Id::Command19,
     {{Id::Label77, Id::Label75, 1},
      {Id::Label80, Id::Label121, 1},
      {Id::Label81, Id::Label17, 1},
      {Id::Label60, Id::Label40, 1}}},
    {"towed",
     {Id::Combo19, Id::Combo20, Id::Combo21, Id::Combo22},
     Id::Command16,
     {{Id::Label170, Id::Label75, 1},
      {Id::Label171, Id::Label121, 1},
      {Id::Label13, Id::Label33, 1},
      {Id::Label13, Id::Label40, -1}}},
    {"specialist",
     {Id::Combo25, Id::Combo28, Id::Combo29, Id::Combo43},
     Id::Command5,
     {{Id::Label55, Id::Label75, 1}, {Id::Label130, Id::Label121, 1}, {Id::Label44, Id::Label40, 1}}},
};

// Every figure a pick or a Clear can move.
constexpr std::array kTotals{Id::Label75, Id::Label121, Id::Label17, Id::Label40,
                             Id::Label33, Id::Label108, Id::Label110};

const std::vector<Id> kClears{Id::Command2, Id::Command8, Id::Command11, Id::Command16, Id::Command19, Id::Command5};

// What all six Clears together take back to 0.
constexpr std::array kEmptied{Id::Label108, Id::Label110, Id::Label40, Id::Label75, Id::Label121, Id::Label33};

// What a planner types into a count box: counts, and texts that read as one
// or as none. They keep every figure exact, so sums compare as equal.
const std::vector<std::string> kCounts{"1", "2",   "3",  "4",   "5", "7", "10",       "12",  "20",
                                       "0", "2.5", "-3", "0.5", "",  " ", "3 trucks", "1,5", "abc"};

const std::vector<std::string> kListTexts{"x", "None", "T-55", "probe", " ", "Combat Supplies"};

const std::vector<std::string> kTitles{"Mission Error", "Transport Error"};

Step step(std::string verb, std::vector<std::string> args)
{
    Step s;
    s.verb = std::move(verb);
    s.args = std::move(args);
    s.source = s.verb;
    for (const std::string &a : s.args)
        s.source += " \"" + a + "\"";
    return s;
}

std::uint32_t seedOfRun()
{
    // Fixed, so that every run of the suite plays the same actions.
    const char *s = std::getenv("QUARVEL_SOAK_SEED");
    return s ? static_cast<std::uint32_t>(std::strtoul(s, nullptr, 10)) : 1u;
}

int stepsOfRun()
{
    const char *s = std::getenv("QUARVEL_SOAK_STEPS");
    return s ? std::atoi(s) : 10000;
}

class Soak {
public:
    Soak(std::uint32_t seed, const QString &folder) : random_(seed), player_(folder)
    {
        for (const ControlDesign &d : kDesign) {
            if (d.has(Hidden))
                continue;
            // A count box and the list after it in the design make a row.
            if (d.kind == Kind::List && !boxes_.empty() && index(boxes_.back()) + 1 == index(d.id))
                rows_.emplace_back(boxes_.back(), d.id);
            if (d.kind == Kind::TextBox)
                boxes_.push_back(d.id);
            else if (d.kind == Kind::List)
                lists_.push_back(d.id);
            else if (d.kind == Kind::CheckBox)
                checks_.push_back(d.id);
        }
        newWindow();
    }

    // Plays one random action and checks the window after it; the failure,
    // or "".
    std::string next()
    {
        Action action = choose();
        for (const Step &s : action.before)
            if (std::string failure = play(s); !failure.empty())
                return failure;
        if (action.thenPick) {
            // The row's type, when typing its count opened its list.
            if (!widget(*action.thenPick)->isEnabled())
                return sharesMatch();
            action = pickFrom(*action.thenPick);
        }

        if (action.allClears)
            return clearAll();

        const Totals before = totals();
        const std::vector<std::string> texts = allTexts();
        const int refusedBefore = refusals_;
        if (std::string failure = play(action.step); !failure.empty())
            return failure;
        if (action.list && refusals_ > refusedBefore)
            if (std::string failure = bookedNothing(texts, *action.list); !failure.empty())
                return failure;
        if (action.exit) {
            if (!player_.window().closed())
                return "expected Exit to close the window";
            ++exits_;
            newWindow();
            return "";
        }
        if (action.print)
            if (std::string failure = printed(); !failure.empty())
                return failure;

        const Totals after = totals();
        for (std::size_t s = 0; s < kSections.size(); ++s) {
            const Section &section = kSections[s];
            if (action.list && contains(section.lists, *action.list))
                book(s, before, after);
            if (action.button == section.clear)
                if (std::string wrong = clearedBack(s, before, after); !wrong.empty())
                    return wrong;
        }
        if (action.typedIntoList && before != after)
            return "expected typing into a list to book nothing; found the totals " + describe(before) + "became " +
                   describe(after);
        return sharesMatch();
    }

    std::string recent() const
    {
        std::string s;
        for (const std::string &line : history_)
            s += "  " + line + "\n";
        return s;
    }

    int boxesAnswered() const { return boxesAnswered_; }
    int prints() const { return prints_; }
    int exits() const { return exits_; }
    int bookings() const { return bookings_; }
    int refusals() const { return refusals_; }
    int takenBack() const { return takenBack_; }
    int dialogsCancelled() const { return player_.dialogsCancelled(); }

private:
    using Totals = std::map<Id, double>;

    struct Action {
        std::vector<Step> before;   // played first, each answered
        std::optional<Id> thenPick; // a row: then a pick from its list, if open
        Step step;
        std::optional<Id> list; // a pick from this list
        std::optional<Id> button;
        bool typedIntoList = false, print = false, exit = false, allClears = false;
    };

    template <class C> const typename C::value_type &oneOf(const C &c)
    {
        return c[std::uniform_int_distribution<std::size_t>(0, c.size() - 1)(random_)];
    }

    static bool contains(const std::vector<Id> &ids, Id id)
    {
        return std::find(ids.begin(), ids.end(), id) != ids.end();
    }

    std::string name(Id id) const { return std::string(nameOf(id)); }
    QWidget *widget(Id id) { return player_.window().widget(id); }
    double value(Id id) { return numberOf(player_.window().text(id)); }

    Totals totals()
    {
        Totals t;
        for (Id id : kTotals)
            t[id] = value(id);
        return t;
    }

    std::string describe(const Totals &t) const
    {
        std::string s;
        for (const auto &[id, v] : t)
            s += name(id) + "=" + numberText(v) + " ";
        return s;
    }

    std::vector<std::string> allTexts()
    {
        std::vector<std::string> all;
        for (const ControlDesign &d : kDesign)
            all.push_back(player_.window().text(d.id));
        return all;
    }

    // After a refused pick only the row's count box has changed, to "0".
    std::string bookedNothing(const std::vector<std::string> &before, Id list)
    {
        std::string changed;
        bool countReset = false;
        for (const ControlDesign &d : kDesign) {
            const std::string now = player_.window().text(d.id);
            if (d.id == list || now == before[index(d.id)])
                continue;
            if (d.kind == Kind::TextBox && now == "0" && !countReset)
                countReset = true;
            else
                changed += std::string(d.name) + "=\"" + now + "\" (was \"" + before[index(d.id)] + "\") ";
        }
        return changed.empty() ? "" : "expected a refused pick to book nothing; found " + changed;
    }

    // All six Clears in a random order: nothing of any section stays counted.
    std::string clearAll()
    {
        std::vector<Id> clears = kClears;
        std::shuffle(clears.begin(), clears.end(), random_);
        for (Id clear : clears)
            if (std::string failure = play(step("press", {name(clear)})); !failure.empty())
                return failure;
        for (auto &part : parts_)
            part.clear();
        std::string left;
        for (Id id : kEmptied)
            if (value(id) != 0)
                left += name(id) + "=\"" + player_.window().text(id) + "\" ";
        return left.empty() ? sharesMatch() : "expected all six Clears to leave the summary at 0; found " + left;
    }

    void newWindow()
    {
        player_.newWindow();
        for (auto &part : parts_)
            part.clear();
    }

    Action pickFrom(Id list)
    {
        const auto *combo = qobject_cast<QComboBox *>(widget(list));
        const int entry = std::uniform_int_distribution<int>(0, combo->count() - 1)(random_);
        Action a;
        a.list = list;
        a.step = step("pick", {name(list), combo->itemText(entry).toStdString()});
        return a;
    }

    // A count typed afresh, key by key: each key raises the box's change
    // handler.
    Action typeCount(Id box)
    {
        Action a;
        a.before.push_back(step("erase", {name(box)}));
        a.step = step("type", {name(box), oneOf(kCounts)});
        return a;
    }

    Action choose()
    {
        const int roll = std::uniform_int_distribution<int>(0, 999)(random_);
        if (roll < 50)
            return pickFrom(Id::Combo2);
        if (roll < 400) {
            // A row filled in as a planner does: its count, then its type.
            const auto &[box, list] = oneOf(rows_);
            Action a = typeCount(box);
            a.before.push_back(a.step);
            a.thenPick = list;
            return a;
        }
        if (roll < 550)
            return typeCount(oneOf(boxes_));
        Action a;
        if (roll < 700) {
            std::vector<Id> open;
            for (Id list : lists_)
                if (widget(list)->isEnabled())
                    open.push_back(list);
            return pickFrom(oneOf(open));
        }
        if (roll < 730) {
            // Typing into a list's edit field must book nothing.
            std::vector<Id> editable;
            for (Id list : lists_)
                if (widget(list)->isEnabled() && qobject_cast<QComboBox *>(widget(list))->isEditable())
                    editable.push_back(list);
            a.typedIntoList = true;
            a.step = step("type", {name(oneOf(editable)), oneOf(kListTexts)});
        } else if (roll < 800) {
            a.step = step(std::bernoulli_distribution(0.5)(random_) ? "tick" : "untick", {name(oneOf(checks_))});
        } else if (roll < 810) {
            a.allClears = true;
        } else if (roll < 991) {
            a.button = oneOf(kClears);
            a.step = step("press", {name(*a.button)});
        } else if (roll < 998) {
            a.print = true;
            a.button = Id::Command1;
            a.step = step("press", {"Command1"});
        } else {
            a.exit = true;
            a.button = Id::Command3;
            a.step = step("press", {"Command3"});
        }
        return a;
    }

    // Plays a step, keeping it for the failure message, and answers what it
    // showed.
    std::string play(const Step &s)
    {
        history_.push_back(s.source);
        if (history_.size() > 16)
            history_.pop_front();
        if (auto failure = player_.play(s))
            return *failure;
        return answered();
    }

    // Every message box was answered at once: none is left open, and each
    // was one the system shows, with the critical-stop icon and one OK.
    std::string answered()
    {
        if (QWidget *modal = QApplication::activeModalWidget())
            return "expected no dialog left open; found " + modal->windowTitle().toStdString();
        for (QWidget *w : QApplication::topLevelWidgets())
            if (qobject_cast<QDialog *>(w) && w->isVisible())
                return "expected no dialog left open; found " + w->windowTitle().toStdString();
        while (!player_.unchecked().empty()) {
            const scenario::Box box = player_.unchecked().front();
            if (std::find(kTitles.begin(), kTitles.end(), box.title) == kTitles.end())
                return "expected only the system's own message boxes; found " + box.describe();
            refusals_ += box.title == "Transport Error";
            if (auto failure = player_.play(step("alert", {box.title, box.prompt})))
                return *failure;
            ++boxesAnswered_;
        }
        return "";
    }

    // With no printer, Print asked for a file and wrote the page as a PDF.
    std::string printed()
    {
        const QString file = player_.takeSaved();
        if (file.isEmpty())
            return "expected Print to offer saving a PDF file; found no file dialog";
        QFile pdf(file);
        if (!pdf.open(QIODevice::ReadOnly))
            return "expected " + file.toStdString() + " written; found no file";
        const QByteArray start = pdf.read(5);
        const qint64 size = pdf.size();
        pdf.close();
        pdf.remove();
        if (start != "%PDF-" || size < 1000)
            return "expected a PDF page in " + file.toStdString() + "; found " + std::to_string(size) + " bytes";
        ++prints_;
        return "";
    }

    // What the pick put into the totals becomes the section's part of them.
    void book(std::size_t s, const Totals &before, const Totals &after)
    {
        bool moved = false;
        for (const auto &[id, v] : after) {
            parts_[s][id] += v - before.at(id);
            moved = moved || v != before.at(id);
        }
        bookings_ += moved;
    }

    std::string clearedBack(std::size_t s, const Totals &before, const Totals &after)
    {
        std::string wrong;
        takenBack_ += before != after;
        for (const auto &[id, v] : after) {
            const double expected = before.at(id) - parts_[s][id];
            if (v != expected)
                wrong += name(id) + "=" + numberText(v) + " (expected " + numberText(expected) + ") ";
        }
        parts_[s].clear();
        if (wrong.empty())
            return "";
        return std::string("expected the ") + kSections[s].name + " Clear to leave the other sections' totals; found " +
               wrong;
    }

    std::string sharesMatch()
    {
        std::string wrong;
        for (std::size_t s = 0; s < kSections.size(); ++s) {
            for (const Share &share : kSections[s].shares) {
                const double part = share.sign * parts_[s][share.total];
                if (value(share.cell) != part)
                    wrong += name(share.cell) + "=\"" + player_.window().text(share.cell) + "\" (" + kSections[s].name +
                             " part of " + name(share.total) + ": " + numberText(part) + ") ";
            }
        }
        return wrong.empty() ? "" : "expected each share cell to hold its section's part; found " + wrong;
    }

    std::mt19937 random_;
    SoakPlayer player_;
    std::vector<Id> boxes_, lists_, checks_;
    std::vector<std::pair<Id, Id>> rows_;
    std::array<std::map<Id, double>, 3> parts_;
    std::deque<std::string> history_;
    int boxesAnswered_ = 0, prints_ = 0, exits_ = 0, bookings_ = 0, refusals_ = 0, takenBack_ = 0;
};

TEST(Soak, ARandomPlannerThroughTheWindow)
{
    const std::uint32_t seed = seedOfRun();
    const int steps = stepsOfRun();
    std::cout << "soak seed " << seed << ", " << steps << " actions (QUARVEL_SOAK_SEED=" << seed << " repeats them)"
              << std::endl;
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());

    Soak soak(seed, folder.path());
    for (int i = 1; i <= steps; ++i) {
        const std::string failure = soak.next();
        ASSERT_EQ(failure, "") << "action " << i << " of the run with QUARVEL_SOAK_SEED=" << seed
                               << "; the last steps:\n"
                               << soak.recent();
    }
    EXPECT_EQ(soak.dialogsCancelled(), 0);
    std::cout << soak.boxesAnswered() << " message boxes answered, " << soak.prints() << " pages saved as PDF, "
              << soak.exits() << " exits; " << soak.bookings() << " picks moved the checked sections' totals, "
              << soak.takenBack() << " of their Clears took something back, " << soak.refusals()
              << " picks refused for want of transport" << std::endl;
}

} // namespace
} // namespace quarvel

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // No printer, whatever this machine has: Print then saves a PDF file.
    qputenv("CUPS_SERVER", "/nonexistent/quarvel-soak/cups.sock");
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
    qInstallMessageHandler(quarvel::scenario::quietPlatform);
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    // Exit closes the window; the run goes on with a new one.
    QApplication::setQuitOnLastWindowClosed(false);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
