// Shows the window as the program does, at the scale factor its environment
// sets (QT_SCALE_FACTOR is read at start-up, hence a process of its own), and
// reports it in device pixels: the window's image, saved as PNG, and on
// standard output "image W H", then "NAME X Y W H" for every control shown.
//
// quarvel-shot IMAGE.png

#include "app/window.h"
#include "cells/design.h"

#include <QApplication>
#include <QPixmap>
#include <QTest>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    if (argc != 2) {
        std::fputs("usage: quarvel-shot IMAGE.png\n", stderr);
        return 2;
    }
    quarvel::Window window;
    window.load();
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    const QPixmap image = window.grab();
    if (!image.save(QString::fromLocal8Bit(argv[1]), "PNG"))
        return 1;

    const qreal ratio = window.devicePixelRatioF();
    std::printf("image %d %d\n", image.width(), image.height());
    for (const quarvel::ControlDesign &d : quarvel::kDesign) {
        const QWidget *w = window.widget(d.id);
        if (!w)
            continue;
        const QRectF device(QPointF(w->mapTo(&window, QPoint())) * ratio, QSizeF(w->size()) * ratio);
        std::printf("%.*s %g %g %g %g\n", int(d.name.size()), d.name.data(), device.x(), device.y(), device.width(),
                    device.height());
    }
    return 0;
}
