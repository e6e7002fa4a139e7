// A long random run of a person's actions through the real window, offscreen:
// the random planner the engine fuzzer plays on cells in memory, here through
// the widgets, with Print into a PDF file and Exit, every message box answered.
// After each action no dialog is left open and every box is one the system
// shows; a pick the transport refuses leaves every cell but its count box as it
// was; and before each Exit, undoing every step gives the start-up state and
// redoing them all the state before.
//
// QUARVEL_SOAK_SEED repeats a run; QUARVEL_SOAK_STEPS sets its length.

#include "app/window.h"
#include "planner.h"
#include "player.h"
#include "quiet.h"

#include <QApplication>
#include <QComboBox>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <deque>
#include <iostream>
#include <random>

namespace quarvel {
namespace {

using planner::Action;
using scenario::Step;

class Soak {
public:
    explicit Soak(std::uint32_t seed) : random_(seed) { player_.newWindow(); }

    // Plays the action that the next random bytes read as, and checks the
    // window after it: the failure, or "".
    std::string next()
    {
        std::array<std::uint8_t, 32> bytes; // more than an action reads
        std::generate(bytes.begin(), bytes.end(), [this] { return std::uint8_t(random_()); });
        planner::Input in(bytes.data(), bytes.size());
        const Action a = planner::nextAction(in, controls_, [this](Id list) { return entries(list); });
        // As on the cells in memory, nothing happens to a control that is
        // hidden or disabled.
        if (const QWidget *w = window().widget(a.id); !w || !w->isVisible() || !w->isEnabled())
            return "";
        switch (a.kind) {
        case Action::Mission:
        case Action::Pick: // an empty entry: the list holds none to pick
            return a.text.empty() ? "" : play("pick", a.id, a.text);
        case Action::Retype:
            if (std::string failure = play("erase", a.id); !failure.empty())
                return failure;
            return play("type", a.id, typable(a.text));
        case Action::TypeMore:
            return play("type", a.id, typable(a.text));
        case Action::Erase:
            return play("erase", a.id);
        case Action::Tick: // a click turns the box over
            return play(window().cells().ticked(a.id) ? "untick" : "tick", a.id);
        case Action::Press:
            break;
        }
        if (a.id == Id::Command1)
            return ""; // Print has tests of its own
        return a.id == Id::Command3 ? exitAndStartAgain() : play("press", a.id);
    }

    std::string recent() const
    {
        std::string s;
        for (const std::string &line : history_)
            s += "  " + line + "\n";
        return s;
    }

    int undone = 0;

private:
    Window &window() { return player_.window(); }
    // The state the last action left.
    const FormState &state()
    {
        window().finishStep();
        return window().state();
    }

    std::vector<std::string> entries(Id list)
    {
        std::vector<std::string> all;
        if (const auto *combo = qobject_cast<QComboBox *>(window().widget(list)))
            for (int i = 0; i < combo->count(); ++i)
                all.push_back(combo->itemText(i).toStdString());
        return all;
    }

    // The bytes as a person types them into a box: bytes that are not UTF-8
    // as replacement characters, and no control character (Tab would move on
    // to the next box).
    static std::string typable(const std::string &bytes)
    {
        QString text = QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
        text.removeIf([](QChar c) { return c.category() == QChar::Other_Control; });
        return text.toStdString();
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
        if (std::string failure = play("press", Id::Command3); !failure.empty())
            return failure;
        if (!window().closed())
            return "expected Exit to close the window";
        player_.newWindow();
        return "";
    }

    // Plays a step on the control, keeping it for the failure message, and
    // checks that every box it showed was answered and is one the system
    // shows.
    std::string play(const char *verb, Id id, const std::optional<std::string> &text = {})
    {
        Step s{verb, scenario::verbNamed(verb), {std::string(nameOf(id))}, {}};
        if (text)
            s.args.push_back(*text);
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
            if (!planner::systemTitle(title))
                return "expected only the system's own message boxes; found " + player_.unchecked().front().describe();
            if (auto failure = player_.alert({title}))
                return *failure;
        }
        return "";
    }

    std::mt19937 random_;
    const planner::Controls controls_;
    scenario::Player player_;
    std::deque<std::string> history_;
};

TEST(Soak, ARandomPlannerThroughTheWindow)
{
    const char *seedText = std::getenv("QUARVEL_SOAK_SEED");
    const char *stepsText = std::getenv("QUARVEL_SOAK_STEPS");
    const auto seed = seedText ? static_cast<std::uint32_t>(std::strtoul(seedText, nullptr, 10)) : 1u;
    const int steps = stepsText ? std::atoi(stepsText) : 10000;
    Soak soak(seed);
    for (int i = 1; i <= steps; ++i) {
        const std::string failure = soak.next();
        ASSERT_EQ(failure, "") << "action " << i << " of the run with QUARVEL_SOAK_SEED=" << seed
                               << "; the last steps:\n"
                               << soak.recent();
    }
    std::cout << steps << " actions, seed " << seed << ": " << soak.undone << " windows undone to the start"
              << std::endl;
}

} // namespace
} // namespace quarvel

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quarvel::scenario::quietPlatform);
    QApplication app(argc, argv);
    quarvel::prepareApplication();
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setQuitOnLastWindowClosed(false); // Exit closes a window; a new one follows
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
