#include "app/quitsignals.h"
#include "app/window.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

bool hasDisplay()
{
    auto set = [](const char *name) {
        const char *v = std::getenv(name);
        return v && *v;
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char *argv[])
{
    if (!hasDisplay()) {
        std::fputs("quarvel: no display to show the window on; start it from a desktop session, "
                   "or without one under a virtual display: xvfb-run build/quarvel\n",
                   stderr);
        return 1;
    }
    quarvel::QuitSignals quitSignals;
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    quarvel::Window window;
    // The program is its window: it ends, with status 0, whenever the window
    // goes, message box or not.
    QObject::connect(&window, &quarvel::Window::ended, &app, [] { QCoreApplication::exit(0); });
    quitSignals.onArrival([&window] { window.exit(); });
    window.load();
    window.show();
    return app.exec();
}
