// Exit ends the program at once, with status 0, asking nothing, and no
// handler runs after it; closing the window does the same.
//
// exit_test button | close

#include "app/window.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstring>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool byButton = argc > 1 && std::strcmp(argv[1], "button") == 0;

    quarvel::Window window;
    window.load();
    window.show();

    // Any message box would mean a handler ran: count it and close it.
    int boxes = 0;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            ++boxes;
            box->accept();
        }
    });
    watch.start(10);

    QTimer::singleShot(0, [&] {
        if (byButton)
            QTest::mouseClick(window.widget(quarvel::Id::Command3), Qt::LeftButton);
        else
            window.close();
        // A person still typing and picking after it: nothing may run.
        QTest::keyClicks(window.widget(quarvel::Id::Text4), "12");
        QTest::mouseClick(window.widget(quarvel::Id::Command2), Qt::LeftButton);
        window.setText(quarvel::Id::Text10, "3");
    });
    const int status = app.exec();

    const bool quiet = boxes == 0 && window.text(quarvel::Id::Label1) == "0";
    std::printf("exec returned %d, %d message box(es), window %s\n", status, boxes,
                window.isVisible() ? "still shown" : "closed");
    return status == 0 && quiet && !window.isVisible() ? 0 : 1;
}
