#include "app/formcells.h"
#include "app/plandocument.h"
#include "app/quitsignals.h"
#include "app/window.h"
#include "app/windowstyle.h"
#include "commands/files.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include <fontconfig/fontconfig.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

const char *const kElsewhere = "start it from a desktop session, or without one under a virtual display: "
                               "xvfb-run quarvel";

const char *setting(const char *name)
{
    const char *v = std::getenv(name);
    return v && *v ? v : nullptr;
}

// While the application connects to the display. Qt ends the program with
// an abort when no display can be reached, after lines of its own: one line
// names the display instead, and the program ends with status 1.
void whileConnecting(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtFatalMsg) {
        if (const char *tried = setting("DISPLAY") ? setting("DISPLAY") : setting("WAYLAND_DISPLAY"))
            std::fprintf(stderr, "quarvel: the display \"%s\" cannot be reached; %s\n", tried, kElsewhere);
        else
            std::fprintf(stderr, "quarvel: no display to show the window on; %s\n", kElsewhere);
        std::_Exit(1);
    }
    if (context.category && std::strncmp(context.category, "qt.qpa.", 7) == 0)
        return; // the platform's own account of it, said in that one line
    std::fputs(qPrintable(qFormatLogMessage(type, context, message) + QLatin1Char('\n')), stderr);
}

// The plan named on the command line, if any; --help and --version answer
// and end the program, display or not.
QString planToOpen(int argc, char *argv[])
{
    if (argc < 2)
        return QString(); // nothing to read, and no application to make and take down for it
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(QUARVEL_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Plans the force and the supplies of a military mission."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("plan"), QStringLiteral("A plan to open (a .quarvel file)."),
                                 QStringLiteral("[plan]"));
    parser.process(app);
    if (parser.positionalArguments().size() > 1)
        parser.showHelp(1);
    const QString named = parser.positionalArguments().value(0);
    // The name as the system gave it: Qt's reading of the arguments loses
    // the bytes of a name that is not UTF-8.
    for (int i = argc - 1; i > 0 && !named.isEmpty(); --i)
        if (QString::fromLocal8Bit(argv[i]) == named)
            return quarvel::decodeName(argv[i]);
    return named;
}

} // namespace

int main(int argc, char *argv[])
{
    const QString plan = planToOpen(argc, argv);
    if (!setting("QT_QPA_PLATFORM") && !setting("DISPLAY") && !setting("WAYLAND_DISPLAY")) {
        std::fprintf(stderr, "quarvel: no display to show the window on; %s\n", kElsewhere);
        return 1;
    }
    // A file size limit (ulimit -f) makes a write that passes it fail, to be
    // reported like a full disk, rather than end the program.
    std::signal(SIGXFSZ, SIG_IGN);
    quarvel::QuitSignals quitSignals;
    // Fontconfig reads its configuration and font caches (some 4 ms) before
    // the first text is measured: on a second core while Qt connects to the
    // display, rather than after it.
    std::thread fonts(FcInit);
    const QtMessageHandler before = qInstallMessageHandler(whileConnecting);
    QApplication app(argc, argv);
    qInstallMessageHandler(before);
    QApplication::setApplicationVersion(QStringLiteral(QUARVEL_VERSION));
    QApplication::setStyle(new quarvel::WindowStyle);
    quarvel::prepareApplication();
    fonts.join();
    quarvel::Window window(nullptr, true); // a first start takes its zoom from the desktop's font
    // The program is its window: it ends, with status 0, whenever the window
    // goes, message box or not.
    QObject::connect(&window, &quarvel::Window::ended, &app, [] { QCoreApplication::exit(0); });
    quitSignals.onArrival([&window] { window.cells().exit(); });
    window.load();
    window.show();
    if (!plan.isEmpty())
        QTimer::singleShot(0, &window, [&window, plan] { window.document().open(plan); });
    return app.exec();
}
