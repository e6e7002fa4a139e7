#pragma once

#include "commands/listing.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

namespace quarvel {

class Cells;

// What Print works on: the form it draws and parents its dialogs to, the
// cells that show its message box, whether the window has gone (Print then
// stops and says nothing), the window's own dialog asking where to save the
// page (empty: cancelled), and what the page says beneath the drawing: the
// plan's name ("Untitled" while it has no file) and the listing of the
// force as it stood when Print was given.
struct PrintTarget {
    QPointer<QWidget> form;
    Cells &cells;
    std::function<bool()> gone;
    std::function<QString()> askForPage;
    QString plan;
    Listing listing;
    // Runs the drawing with the form laid out at its design size: the page is
    // the same whatever the window's zoom.
    std::function<void(const std::function<void()> &)> atDesignSize;

    bool closed() const { return !form || gone(); }
};

// Print: the page to the default printer, no dialog. The page draws the
// form as shown now across the printable width, as lines and text, and lists
// beneath it the plan's name, the date and time, the force and the summary
// (PrintTarget), going on to a second page only when they do not fit. With
// no print service or no default printer the page can be saved as a PDF file
// instead; an earlier file of that name is replaced only by a whole page. A
// page that could not be printed (a printer that is stopped or turns the job
// away, a print service that does not answer within 10 seconds, a file that
// cannot be written whole) is reported in a "Print Error" message box, never
// passed over in silence. While Print waits for the print service the window
// goes on painting; input waits until Print is done. Print's code is loaded
// on first use: without it, a "Print Error" box says so.
void printWindow(PrintTarget &window);

// Export as PDF: the page Print would print, into the file, whole or not at
// all; a failure (its code not loaded among them) is reported in an "Export
// Error" message box that names the file.
void exportPage(PrintTarget &window, const QString &path);

} // namespace quarvel
