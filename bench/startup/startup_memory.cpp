// startup_memory window|bare: builds the window (and runs its start-up) or
// the bare window of the same widgets, paints it once offscreen, and prints
// the process's peak resident memory. bench/startup/measure.sh runs both.

#include "app/window.h"
#include "bare.h"

#include <QApplication>

#include <sys/resource.h>

#include <cstdio>
#include <cstring>
#include <memory>

int main(int argc, char *argv[])
{
    const bool quarvel = argc == 2 && std::strcmp(argv[1], "window") == 0;
    if (argc != 2 || (!quarvel && std::strcmp(argv[1], "bare") != 0)) {
        std::fprintf(stderr, "usage: startup_memory window|bare\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));

    std::unique_ptr<QWidget> window;
    if (quarvel) {
        auto w = std::make_unique<quarvel::Window>();
        w->load();
        window = std::move(w);
    } else {
        window = std::make_unique<quarvel::BareWindow>(quarvel::bareControls());
    }
    window->show();
    window->repaint(); // painted now, into the offscreen backing store
    QApplication::processEvents();

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    // The widget count shows that both windows are alike.
    std::printf("%s: %ld kB peak RSS, %lld widgets\n", argv[1], usage.ru_maxrss,
                static_cast<long long>(window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly).size()));
    return 0;
}
