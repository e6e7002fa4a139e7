// A long random run of a person's actions through the real window, offscreen:
// picks, typing, ticks, the Clear buttons, Print into a PDF file and Exit,
// every message box answered. After each action no dialog is left open and
// every box is one the system shows; a pick the transport refuses leaves every
// cell but its count box as it was; and before each Exit, undoing every step
// gives the start-up state and redoing them all the state before.
//
// QUARVEL_SOAK_SEED repeats a run; QUARVEL_SOAK_STEPS sets its length.

#include "app/window.h"
#include "player.h"
#include "quiet.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <iostream>
#include <random>

namespace quarvel {
namespace {

using scenario::Step;

const std::vector<Id> kClears{Id::Command2, Id::Command8, Id::Command11, Id::Command16, Id::Command19, Id::Command5};

// What a planner types into a count box; every figure stays exact with them.
const std::vector<std::string> kCounts{"1", "2", "3", "5", "12", "0", "2.5", "-3", "", " ", "3 trucks", "abc"};

class Soak {
public:
    Soak(std::uint32_t seed, QString folder) : random_(seed), folder_(std::move(folder))
    {
        for (const ControlDesign &d : kDesign)
            if (!d.has(Hidden) && (d.kind == Kind::TextBox || d.kind == Kind::List || d.kind == Kind::CheckBox))
                (d.kind == Kind::TextBox ? boxes_ : d.kind == Kind::List ? lists_ : checks_).push_back(d.id);
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
            std::string failure = play("erase", {name(box)});
            if (failure.empty())
                failure = play("type", {name(box), oneOf(kCounts)});
            if (!failure.empty() || roll >= 300)
                return failure;
            return pick(Id(index(box) + 1)); // the row's list stands after its box in the design
        }
        if (roll < 650)
            return pick(oneOf(lists_));
        if (roll < 750)
            return play(std::bernoulli_distribution(0.5)(random_) ? "tick" : "untick", {name(oneOf(checks_))});
        if (roll < 990)
            return play("press", {name(oneOf(kClears))});
        if (roll < 998)
            return print();
        return exitAndStartAgain();
    }

    std::string recent() const
    {
        std::string s;
        for (const std::string &line : history_)
            s += "  " + line + "\n";
        return s;
    }

    int refusals = 0, prints = 0, undone = 0;

private:
    template <class C> const typename C::value_type &oneOf(const C &c)
    {
        return c[std::uniform_int_distribution<std::size_t>(0, c.size() - 1)(random_)];
    }
    static std::string name(Id id) { return std::string(nameOf(id)); }
    Window &window() { return player_.window(); }
    const FormState &state()
    {
        window().finishStep();
        return window().state();
    }

    // A pick of a random entry of the list, or of another open list when it
    // is no open list; a refused one changes nothing but its count box.
    std::string pick(Id list)
    {
        if (std::find(lists_.begin(), lists_.end(), list) == lists_.end() || !window().widget(list)->isEnabled()) {
            std::vector<Id> open;
            std::copy_if(lists_.begin(), lists_.end(), std::back_inserter(open),
                         [this](Id l) { return window().widget(l)->isEnabled(); });
            list = oneOf(open);
        }
        const auto *combo = qobject_cast<QComboBox *>(window().widget(list));
        const int entry = std::uniform_int_distribution<int>(0, combo->count() - 1)(random_);
        const FormState before = state();
        const int refusedBefore = refusals;
        if (std::string failure = play("pick", {name(list), combo->itemText(entry).toStdString()});
            !failure.empty() || refusals == refusedBefore)
            return failure;
        const FormState &after = state();
        std::string changed;
        bool countReset = false;
        for (std::size_t i = 0; i < kControlCount; ++i) {
            if (Id(i) == list || after.texts[i] == before.texts[i])
                continue;
            if (design(Id(i)).kind == Kind::TextBox && after.texts[i] == "0" && !std::exchange(countReset, true))
                continue;
            changed += name(Id(i)) + "=\"" + after.texts[i] + "\" ";
        }
        return changed.empty() ? "" : "expected a refused pick to book nothing; found " + changed;
    }

    // With no printer, Print asks for a file and writes the page as a PDF.
    std::string print()
    {
        const QString file = folder_ + QStringLiteral("/print.pdf");
        player_.answerFileDialog(file);
        if (std::string failure = play("press", {"Command1"}); !failure.empty())
            return failure;
        QFile pdf(file);
        const bool page = pdf.open(QIODevice::ReadOnly) && pdf.read(5) == "%PDF-" && pdf.size() > 1000;
        pdf.remove();
        ++prints;
        return page ? "" : "expected Print to save a PDF page in " + file.toStdString();
    }

    // Undoing every step of the window's life gives the state it started
    // with, and redoing them all the state before; then Exit, and a new
    // window.
    std::string exitAndStartAgain()
    {
        const FormState now = state();
        while (window().canUndo())
            window().undo();
        if (state() != window().startState())
            return "expected undoing every step to give the start-up state";
        while (window().canRedo())
            window().redo();
        if (state() != now)
            return "expected redoing every step to give the state before undoing";
        ++undone;
        if (std::string failure = play("press", {"Command3"}); !failure.empty())
            return failure;
        if (!window().closed())
            return "expected Exit to close the window";
        player_.newWindow();
        return "";
    }

    // Plays a step, keeping it for the failure message, and checks that every
    // box it showed was answered and is one the system shows.
    std::string play(const std::string &verb, std::vector<std::string> args)
    {
        Step s;
        s.verb = scenario::verbNamed(verb);
        s.args = std::move(args);
        s.source = verb;
        for (const std::string &a : s.args)
            s.source += " \"" + a + "\"";
        history_.push_back(s.source);
        if (history_.size() > 16)
            history_.pop_front();
        if (auto failure = player_.play(s))
            return *failure;
        if (QWidget *modal = QApplication::activeModalWidget())
            return "expected no dialog left open; found " + modal->windowTitle().toStdString();
        while (!player_.unchecked().empty()) {
            const std::string title = player_.unchecked().front().title;
            if (title != "Mission Error" && title != "Transport Error")
                return "expected only the system's own message boxes; found " + player_.unchecked().front().describe();
            refusals += title == "Transport Error";
            if (auto failure = player_.alert({title}))
                return *failure;
        }
        return "";
    }

    std::mt19937 random_;
    QString folder_;
    scenario::Player player_;
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
              << " pages saved as PDF, " << soak.undone << " windows undone to the start" << std::endl;
}

} // namespace
} // namespace quarvel

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("CUPS_SERVER", "/nonexistent/quarvel-soak/cups.sock"); // no printer: Print saves a PDF file
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
    qInstallMessageHandler(quarvel::scenario::quietPlatform);
    QApplication app(argc, argv);
    quarvel::prepareApplication();
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setQuitOnLastWindowClosed(false); // Exit closes a window; a new one follows
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
