#include "app/bookingmarks.h"

#include "app/formcells.h"
#include "app/qs.h"
#include "commands/bookings.h"

#include <QLabel>

namespace quarvel {

BookingMarks::BookingMarks(const FormCells &cells, QWidget *form) : cells_(cells), form_(form) {}

// A row's mark is made the first time it shows: most rows never need one,
// and the window starts without them.
QLabel *BookingMarks::made(Id list)
{
    QLabel *&mark = marks_[index(list)];
    if (!mark) {
        mark = new QLabel(form_);
        mark->setObjectName(qs(nameOf(list)) + QStringLiteral("Booked"));
        mark->setTextFormat(Qt::PlainText);
        mark->setAlignment(Qt::AlignCenter);
        mark->setFrameStyle(QFrame::Box | QFrame::Plain);
        mark->setAutoFillBackground(true);
        mark->setBackgroundRole(QPalette::ToolTipBase);
        mark->setForegroundRole(QPalette::ToolTipText);
    }
    return mark;
}

void BookingMarks::show()
{
    for (const Section *section : kSections)
        for (const Row &row : section->rows)
            showFor(row.list);
}

void BookingMarks::showFor(Id id)
{
    QWidget *list = cells_.widget(id);
    const std::vector<Booking> bookings = bookingsOf(cells_.tag(id));
    const long times = bookedBeyondShown(bookings, cells_.text(id));
    if (times == 0) {
        if (QLabel *mark = marks_[index(id)])
            mark->hide();
        return;
    }
    QLabel *mark = made(id);
    mark->show();
    QStringList lines{QStringLiteral("Booked since the last Clear:")};
    for (const Booking &b : bookings)
        lines << qs(b.words());
    mark->setText(QStringLiteral("×%1").arg(times));
    // A little smaller than the form's text, at every zoom.
    QFont font = mark->parentWidget()->font();
    font.setPixelSize(font.pixelSize() > 0 ? font.pixelSize() * 5 / 6 : 9);
    mark->setFont(font);
    mark->setToolTip(lines.join(QLatin1Char('\n')));
    mark->setAccessibleName(QStringLiteral("Booked %1 times").arg(times));
    mark->setAccessibleDescription(mark->toolTip());
    // Astride the list's top right corner: over the list's own edge and
    // into the gap beside it, covering no other control.
    const QRect edge = list->geometry();
    const QSize size(std::max(edge.height() * 3 / 4, mark->sizeHint().width()), edge.height() * 4 / 7);
    mark->setGeometry(QRect(QPoint(edge.right() - size.width() / 2, edge.top() - size.height() / 4), size));
    mark->raise();
}

} // namespace quarvel
