#include <QApplication>
#include <QStyleFactory>

#include <gtest/gtest.h>

#include <iostream>

namespace {

// The offscreen platform says what it cannot do each time a dialog opens;
// that is no news to these tests.
void quietPlatform(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (message.startsWith(QLatin1String("This plugin does not support")) ||
        message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    if (type != QtDebugMsg)
        std::cerr << message.toStdString() << std::endl;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // A desktop's platform theme would bring its own file dialog, out of the
    // test's reach; Qt's own is the one driven here.
    qunsetenv("QT_QPA_PLATFORMTHEME");
    qInstallMessageHandler(quietPlatform);
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setQuitOnLastWindowClosed(false);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
