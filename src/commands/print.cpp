#include "commands/print.h"

#include "app/window.h"

#include <QDir>
#include <QFileDialog>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

#include <cups/cups.h>

namespace quarvel {
namespace {

void failed(Window &window, const QString &why)
{
    window.alert(QStringLiteral("The window was not printed: %1.").arg(why).toStdString(), "Print Error");
}

// Draws the image centred on the page, as large as the printable area allows.
bool paint(QPrinter &printer, const QPixmap &image)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRect page = painter.viewport();
    const QSizeF size = QSizeF(image.size()).scaled(page.size(), Qt::KeepAspectRatio);
    const QRectF target(page.x() + (page.width() - size.width()) / 2, page.y(), size.width(), size.height());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(target, image, QRectF(image.rect()));
    return painter.end();
}

} // namespace

void printWindow(Window &window)
{
    const QPixmap image = window.grab();
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Quarvel"));

    if (info.isNull()) {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QString file = QFileDialog::getSaveFileName(&window, QStringLiteral("Save as PDF"),
                                                          QDir(folder).filePath(QStringLiteral("Quarvel.pdf")),
                                                          QStringLiteral("PDF files (*.pdf)"));
        if (file.isEmpty())
            return; // cancelled: nothing to do
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        if (!paint(printer, image))
            failed(window, QStringLiteral("the file %1 could not be written").arg(QDir::toNativeSeparators(file)));
        return;
    }

    printer.setPrinterName(info.printerName());
    if (!paint(printer, image)) {
        failed(window, QStringLiteral("the printer %1 could not be opened").arg(info.printerName()));
        return;
    }
    // Qt hands the page to CUPS when the painter ends but does not say how it
    // went; CUPS keeps the answer to its last request.
    if (cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE)
        failed(window, QStringLiteral("the printer %1 refused the job (%2)")
                           .arg(info.printerName(), QString::fromUtf8(cupsLastErrorString())));
}

} // namespace quarvel
