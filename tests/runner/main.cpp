// quarvel-scenario FILE...: plays scenario files through the real window.

#include "player.h"
#include "quiet.h"
#include "scenario.h"

#include <QApplication>
#include <QFileInfo>

#include <cstdlib>
#include <fstream>
#include <iostream>

int main(int argc, char *argv[])
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quarvel::scenario::quietPlatform);
    QApplication app(argc, argv);
    quarvel::prepareApplication();
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setQuitOnLastWindowClosed(false);

    using namespace quarvel::scenario;
    Player player;
    int passed = 0, failed = 0;
    bool unreadable = false;
    for (int i = 1; i < argc; ++i) {
        const std::string file = argv[i];
        // The file is read line by line, twice, and never held whole: first
        // every line must be a step the runner knows, then the steps play.
        // However long the file, the runner's memory stays the same.
        std::ifstream in(file, std::ios::binary);
        std::string text;
        bool known = true;
        for (int number = 1; in && std::getline(in, text); ++number) {
            if (const auto step = parseLine(text, number); step && !step->verb) {
                std::cout << file << ":" << number << ": " << step->source << "\n  " << step->unknown << "\n";
                known = false;
            }
        }
        if (!in.eof())
            std::cout << file << ": cannot be read\n";
        if (!in.eof() || !known) {
            ++failed;
            unreadable = true;
            continue;
        }

        in.clear();
        in.seekg(0);
        player.setFolder(QFileInfo(QString::fromStdString(file)).absolutePath());
        player.newWindow();
        bool ok = true;
        for (int number = 1; ok && std::getline(in, text); ++number) {
            const auto step = parseLine(text, number);
            if (const Failure failure = step ? player.play(*step) : std::nullopt) {
                std::cout << file << ":" << number << ": " << step->source << "\n  " << *failure << "\n";
                ok = false;
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
