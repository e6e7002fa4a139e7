// floor: the least a Qt Widgets program shows, one label in a window, and
// Ctrl+Q to end it. What cold_start measures every program against.

#include <QApplication>
#include <QLabel>
#include <QShortcut>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Quarvel"));
    label.setWindowTitle(QStringLiteral("Quarvel"));
    new QShortcut(QKeySequence::Quit, &label, &QApplication::quit);
    label.show();
    return app.exec();
}
