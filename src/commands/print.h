#pragma once

#include <QString>

namespace quarvel {

class Window;

// Print: one page to the default printer, no dialog, the window's client area
// as shown now, scaled to fit the printable area. With no default printer the
// page can be saved as a PDF file instead. A page that could not be printed
// (a printer that is stopped or turns the job away, a file that cannot be
// written) is reported in a "Print Error" message box, never passed over in
// silence.
void printWindow(Window &window);

// Export as PDF: the page Print would print, into the file, whole or not at
// all; a failure is reported in a "Print Error" message box.
void exportPage(Window &window, const QString &path);

} // namespace quarvel
