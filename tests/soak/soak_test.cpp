// A long random run of a person's actions through the real window, offscreen:
// picks, typing, ticks, the Clear buttons, Print into a PDF file and Exit,
// every message box answered. After each action no dialog is left open and
// every box is one the system shows; a pick the transport refuses leaves every
// cell but its count box as it was; all six Clears, in any order, take the summary back to 0; a plan saved and opened
// again holds what was saved and goes on as before; and undoing every step
// gives the start-up state, redoing them all the state before.
//
// QUARVEL_SOAK_SEED repeats a run; QUARVEL_SOAK_STEPS sets its length.

#include "app/window.h"
#include "cells/design.h"
#include "player.h"
#include "quiet.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <iostream>
#include <random>

namespace quarvel {
namespace {

using scenario::Step;

// With no printer Print offers to save a PDF file: the player answers that
// dialog with a new file in `folder`, and every other dialog as a scenario
// does.
class SoakPlayer : public scenario::Player {
public:
    explicit SoakPlayer(QString folder) : folder_(std::move(folder)) {}
    QString takeSaved() { return std::exchange(saved_, QString()); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *dialog = qobject_cast<QFileDialog *>(watched);
        if (!dialog || event->type() != QEvent::Show || dialog->windowTitle() != QStringLiteral("Save as PDF"))
            return Player::eventFilter(watched, event);
        saved_ = QDir(folder_).filePath(QStringLiteral("print-%1.pdf").arg(++prints_));
        QTimer::singleShot(0, dialog, [dialog, file = saved_] {
            dialog->selectFile(file); // as a person would: the name, then Save
            auto *buttons = dialog->findChild<QDialogButtonBox *>();
            if (QPushButton *save = buttons ? buttons->button(QDialogButtonBox::Save) : nullptr)
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

const std::vector<Id> kClears{Id::Command2, Id::Command8, Id::Command11, Id::Command16, Id::Command19, Id::Command5};
const std::vector<Id> kEmptied{Id::Label108, Id::Label110, Id::Label40, Id::Label75,
                               Id::Label121, Id::Label33,  Id::Label17};

// What a planner types into a count box; every figure stays exact with them.
const std::vector<std::string> kCounts{"1", "2", "3", "5", "12", "0", "2.5", "-3", "", " ", "3 trucks", "abc"};

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

class Soak {
public:
    Soak(std::uint32_t seed, const QString &folder) : random_(seed), folder_(folder), player_(folder)
    {
        for (const ControlDesign &d : kDesign) {
            if (d.has(Hidden))
                continue;
            if (d.kind == Kind::TextBox)
                boxes_.push_back(d.id);
            else if (d.kind == Kind::List)
                lists_.push_back(d.id);
            else if (d.kind == Kind::CheckBox)
                checks_.push_back(d.id);
        }
        player_.newWindow();
    }

    // Plays one random action and checks the window after it: the failure,
    // or "".
    std::string next()
    {
        const int roll = std::uniform_int_distribution<int>(0, 999)(random_);
        if (roll < 50)
            return pick(Id::Combo2);
        if (roll < 450) {
            const Id box = oneOf(boxes_);
            std::string failure = play(step("erase", {name(box)}));
            if (failure.empty())
                failure = play(step("type", {name(box), oneOf(kCounts)}));
            if (!failure.empty() || roll >= 300)
                return failure;
            return pick(openList(Id(index(box) + 1))); // the row's list, after its box in the design
        }
        if (roll < 650)
            return pick(openList(oneOf(lists_)));
        if (roll < 760)
            return play(step(std::bernoulli_distribution(0.5)(random_) ? "tick" : "untick", {name(oneOf(checks_))}));
        if (roll < 778)
            return clearAll();
        if (roll < 780 && !replaying_ && recording_.empty())
            return roundTrip();
        if (roll < 990)
            return play(step("press", {name(oneOf(kClears))}));
        if (roll < 998)
            return print();
        if (!recording_.empty())
            return clearAll(); // the window must stay for the plan to come back to
        if (std::string failure = undoAll(); !failure.empty())
            return failure;
        if (std::string failure = play(step("press", {"Command3"})); !failure.empty())
            return failure;
        if (!player_.window().closed())
            return "expected Exit to close the window";
        player_.newWindow();
        return "";
    }

    std::string recent() const
    {
        std::string s;
        for (const std::string &line : history_)
            s += "  " + line + "\n";
        return s;
    }

    int refusals = 0, prints = 0, roundTrips = 0, undone = 0;

private:
    template <class C> const typename C::value_type &oneOf(const C &c)
    {
        return c[std::uniform_int_distribution<std::size_t>(0, c.size() - 1)(random_)];
    }
    static std::string name(Id id) { return std::string(nameOf(id)); }
    QWidget *widget(Id id) { return player_.window().widget(id); }
    std::string text(Id id) { return player_.window().text(id); }

    // The list itself when it is an open list, else any open list.
    Id openList(Id wanted)
    {
        if (std::find(lists_.begin(), lists_.end(), wanted) != lists_.end() && widget(wanted)->isEnabled())
            return wanted;
        std::vector<Id> open;
        std::copy_if(lists_.begin(), lists_.end(), std::back_inserter(open),
                     [this](Id l) { return widget(l)->isEnabled(); });
        return oneOf(open);
    }

    // A pick of a random entry; a refused one changes nothing but its list
    // and its count box, which goes back to "0".
    std::string pick(Id list)
    {
        const auto *combo = qobject_cast<QComboBox *>(widget(list));
        const std::string entry =
            combo->itemText(std::uniform_int_distribution<int>(0, combo->count() - 1)(random_)).toStdString();
        const FormState before = player_.window().state();
        const int refusedBefore = refusals;
        if (std::string failure = play(step("pick", {name(list), entry}));
            !failure.empty() || refusals == refusedBefore)
            return failure;
        const FormState &after = player_.window().state();
        std::string changed;
        bool countReset = false;
        for (std::size_t i = 0; i < kControlCount; ++i) {
            if (Id(i) == list || after.texts[i] == before.texts[i])
                continue;
            if (design(Id(i)).kind == Kind::TextBox && after.texts[i] == "0" && !std::exchange(countReset, true))
                continue;
            changed += name(Id(i)) + "=\"" + after.texts[i] + "\" (was \"" + before.texts[i] + "\") ";
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
        std::string left;
        for (Id id : kEmptied)
            if (numberOf(text(id)) != 0)
                left += name(id) + "=\"" + text(id) + "\" ";
        return left.empty() ? "" : "expected all six Clears to leave the summary at 0; found " + left;
    }

    // With no printer, Print asks for a file and writes the page as a PDF.
    std::string print()
    {
        if (std::string failure = play(step("press", {"Command1"})); !failure.empty())
            return failure;
        QFile pdf(player_.takeSaved());
        if (!pdf.open(QIODevice::ReadOnly))
            return "expected Print to save a PDF file; found none";
        const bool page = pdf.read(5) == "%PDF-" && pdf.size() > 1000;
        pdf.remove();
        ++prints;
        return page ? "" : "expected a PDF page in " + pdf.fileName().toStdString();
    }

    // Plays a step, keeping it for the failure message, and checks that every
    // box it showed was answered and is one the system shows.
    // Undoing every step of the window's life gives the state it started
    // with, and redoing them all the state it has now.
    std::string undoAll()
    {
        Window &window = player_.window();
        const FormState now = window.state();
        while (window.canUndo())
            window.undo();
        if (window.state() != window.startState())
            return "expected undoing every step to give the start-up state";
        ++undone;
        while (window.canRedo())
            window.redo();
        return window.state() == now ? "" : "expected redoing every step to give the state before undoing";
    }

    // A plan saved, 50 more actions, the plan opened again: it holds what
    // was saved, and the same 50 actions come to the same state again.
    std::string roundTrip()
    {
        const std::string plan = folder_.toStdString() + "/plan.quarvel";
        const FormState saved = player_.window().state();
        if (std::string failure = play(step("save", {plan})); !failure.empty())
            return failure;
        recording_.push_back(Step()); // recording from here
        for (int i = 0; i < 50; ++i)
            if (std::string failure = next(); !failure.empty())
                return failure;
        std::vector<Step> actions(recording_.begin() + 1, recording_.end());
        recording_.clear();
        const FormState after = player_.window().state();
        if (std::string failure = play(step("open", {plan})); !failure.empty())
            return failure;
        if (player_.window().state() != saved)
            return "expected the plan opened to hold the state it was saved with";
        replaying_ = true;
        for (const Step &action : actions)
            if (std::string failure = play(action); !failure.empty())
                return failure;
        replaying_ = false;
        ++roundTrips;
        return player_.window().state() == after ? "" : "expected the same actions to come to the same state";
    }

    std::string play(const Step &s)
    {
        if (!recording_.empty() && s.verb != "alert")
            recording_.push_back(s);
        history_.push_back(s.source);
        if (history_.size() > 16)
            history_.pop_front();
        if (auto failure = player_.play(s))
            return *failure;
        if (QWidget *modal = QApplication::activeModalWidget())
            return "expected no dialog left open; found " + modal->windowTitle().toStdString();
        while (!player_.unchecked().empty()) {
            const scenario::Box box = player_.unchecked().front();
            if (box.title != "Mission Error" && box.title != "Transport Error")
                return "expected only the system's own message boxes; found " + box.describe();
            refusals += box.title == "Transport Error";
            if (auto failure = player_.play(step("alert", {box.title, box.prompt})))
                return *failure;
        }
        return "";
    }

    std::mt19937 random_;
    QString folder_;
    SoakPlayer player_;
    std::vector<Step> recording_; // the actions since the plan was saved, after a mark
    bool replaying_ = false;
    std::vector<Id> boxes_, lists_, checks_;
    std::deque<std::string> history_;
};

TEST(Soak, ARandomPlannerThroughTheWindow)
{
    const char *seedText = std::getenv("QUARVEL_SOAK_SEED");
    const char *stepsText = std::getenv("QUARVEL_SOAK_STEPS");
    const auto seed = seedText ? static_cast<std::uint32_t>(std::strtoul(seedText, nullptr, 10)) : 1u;
    const int steps = stepsText ? std::atoi(stepsText) : 10000;
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    Soak soak(seed, folder.path());
    for (int i = 1; i <= steps; ++i) {
        const std::string failure = soak.next();
        ASSERT_EQ(failure, "") << "action " << i << " of the run with QUARVEL_SOAK_SEED=" << seed
                               << "; the last steps:\n"
                               << soak.recent();
    }
    std::cout << steps << " actions, seed " << seed << ": " << soak.refusals << " picks refused, " << soak.prints
              << " pages saved as PDF, " << soak.roundTrips << " plans saved and opened again, " << soak.undone
              << " windows undone to the start" << std::endl;
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
    QApplication::setQuitOnLastWindowClosed(false); // Exit closes a window; a new one follows
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
