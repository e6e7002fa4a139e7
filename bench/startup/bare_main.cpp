// bare: the bare window as a program of its own, for cold_start. Ctrl+Q
// ends it.

#include "app/windowstyle.h"
#include "bare.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(new quarvel::WindowStyle);
    quarvel::BareWindow window(quarvel::bareControls());
    window.show();
    return app.exec();
}
