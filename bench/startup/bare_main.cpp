// bare: the bare window as a program of its own, for cold_start. Ctrl+Q
// ends it.

#include "bare.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    quarvel::BareWindow window(quarvel::bareControls());
    window.show();
    return app.exec();
}
