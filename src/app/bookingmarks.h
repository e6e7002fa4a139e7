#pragma once

#include "cells/controlid.h"

#include <array>

class QLabel;
class QWidget;

namespace quarvel {

class FormCells;

// A row that has booked more than its list shows says so: a small mark on
// the list's right edge, "×2", whose tooltip lists what the row booked. The
// marks are no controls of the design: they hold nothing and take no focus.
class BookingMarks {
public:
    BookingMarks(const FormCells &cells, QWidget *form);

    // Shows the marks the rows' bookings and lists call for now.
    void show();
    // The row's mark; null for a control that is no row's list, and for a
    // row that never showed one.
    QLabel *mark(Id list) const { return marks_[index(list)]; }

private:
    QLabel *made(Id list);
    void showFor(Id list);

    const FormCells &cells_;
    QWidget *form_;
    std::array<QLabel *, kControlCount> marks_{};
};

} // namespace quarvel
