// quarvel-scenario FILE...: plays scenario files through the real window.

#include "player.h"
#include "quiet.h"
#include "scenario.h"

#include <QApplication>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

int main(int argc, char *argv[])
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quarvel::scenario::quietPlatform);
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setQuitOnLastWindowClosed(false);

    using namespace quarvel::scenario;
    Player player;
    int passed = 0, failed = 0;
    bool unreadable = false;
    for (int i = 1; i < argc; ++i) {
        const std::string file = argv[i];
        std::ifstream in(file, std::ios::binary);
        std::stringstream text;
        if (in)
            text << in.rdbuf();
        if (!in) {
            std::cout << file << ": cannot be read\n";
            ++failed;
            unreadable = true;
            continue;
        }
        const Script script = parse(text.str());
        if (!script.errors.empty()) {
            for (const ParseError &e : script.errors)
                std::cout << file << ":" << e.line << ": " << e.source << "\n  " << e.why << "\n";
            ++failed;
            unreadable = true;
            continue;
        }

        player.newWindow();
        bool ok = true;
        for (const Step &step : script.steps) {
            if (auto failure = player.play(step)) {
                std::cout << file << ":" << step.line << ": " << step.source << "\n  " << *failure << "\n";
                ok = false;
                break;
            }
        }
        if (ok && !player.unchecked().empty()) {
            std::cout << file << ": " << player.unchecked().size() << " message box(es) not checked, first "
                      << player.unchecked().front().describe() << "\n";
            ok = false;
        }
        ok ? ++passed : ++failed;
    }
    std::cout << passed << " passed, " << failed << " failed" << std::endl;
    return unreadable ? 2 : failed ? 1 : 0;
}
