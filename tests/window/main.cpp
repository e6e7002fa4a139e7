#include "app/window.h"

#include <QApplication>
#include <QStyleFactory>

#include <gtest/gtest.h>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Pressing Print here must never reach the machine's own printers.
    if (!qEnvironmentVariableIsSet("CUPS_SERVER"))
        qputenv("CUPS_SERVER", "/nonexistent/quarvel-no-printer.sock");
    QApplication app(argc, argv);
    quarvel::prepareApplication();
    QApplication::setStyle(QStringLiteral("Fusion"));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
