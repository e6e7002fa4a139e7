#pragma once

namespace quarvel {

class Window;

// Print: one page to the default printer, no dialog, the window's client area
// as shown now, scaled to fit the printable area. With no print service or no
// default printer the page can be saved as a PDF file instead; an earlier
// file of that name is replaced only by a whole page. A page that could not
// be printed (a printer that is stopped or turns the job away, a print
// service that does not answer within 10 seconds, a file that cannot be
// written whole) is reported in a "Print Error" message box, never passed
// over in silence. While Print waits for the print service the window goes
// on painting; input waits until Print is done.
void printWindow(Window &window);

} // namespace quarvel
