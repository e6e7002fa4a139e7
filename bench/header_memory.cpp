// header_memory [CYCLES]: the memory the header's text boxes hold after long
// use. Pastes 32,000 characters into "Attack From" (Text35), selects all and
// deletes it, CYCLES times (100 unless given), by keys as a person would, and
// prints the process's resident memory before and after. Offscreen.

#include "app/window.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {

long residentKb()
{
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

} // namespace

int main(int argc, char *argv[])
{
    const int cycles = argc > 1 ? std::atoi(argv[1]) : 100;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    quarvel::prepareApplication();
    QApplication::setStyle(QStringLiteral("Fusion"));
    quarvel::Window window;
    window.load();
    window.show();
    QApplication::processEvents();
    auto *box = qobject_cast<QLineEdit *>(window.widget(quarvel::Id::Text35));
    box->setFocus();
    QApplication::clipboard()->setText(QString(32000, u'x'));

    const long before = residentKb();
    for (int i = 0; i < cycles; ++i) {
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Delete);
        QApplication::processEvents();
    }
    const long after = residentKb();
    std::printf("%d paste, select-all and delete cycles of 32000 characters in Text35: %ld kB resident before, "
                "%ld kB after (%+ld kB)\n",
                cycles, before, after, after - before);
    return box->text().isEmpty() ? 0 : 1;
}
