// bare: the bare window as a program of its own, for cold_start, started as
// Quarvel starts. Ctrl+Q ends it.

#include "app/windowstyle.h"
#include "bare.h"

#include <QApplication>

#include <fontconfig/fontconfig.h>

#include <thread>

int main(int argc, char *argv[])
{
    std::thread fonts(FcInit); // as Quarvel starts
    QApplication app(argc, argv);
    QApplication::setStyle(new quarvel::WindowStyle);
    fonts.join();
    quarvel::BareWindow window(quarvel::bareControls());
    window.show();
    return app.exec();
}
