#include "commands/print.h"

#include "app/window.h"

#include <QDir>
#include <QFileDialog>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <cups/cups.h>

namespace quarvel {
namespace {

void failed(Window &window, const QString &why)
{
    window.alert(QStringLiteral("The window was not printed: %1.").arg(why).toStdString(), "Print Error");
}

// CUPS ends its messages with a full stop; the alert's sentence has its own.
QString cupsReason()
{
    QString reason = QString::fromUtf8(cupsLastErrorString()).trimmed();
    while (reason.endsWith(QLatin1Char('.')))
        reason.chop(1);
    return reason;
}

// Draws the image at the top of the page, centred across it, as large as the
// printable area allows without changing its proportions.
bool paint(QPagedPaintDevice &device, const QPixmap &image)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QRect page = painter.viewport();
    const QSizeF size = QSizeF(image.size()).scaled(page.size(), Qt::KeepAspectRatio);
    const QRectF target(page.x() + (page.width() - size.width()) / 2, page.y(), size.width(), size.height());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(target, image, QRectF(image.rect()));
    return painter.end();
}

// Where the Save as PDF dialog opens: the documents folder, or the home
// folder where there is none yet.
QString proposedFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

// The paper of the person's locale, with margins a printer could print to.
QPageLayout pdfLayout()
{
    const bool letter = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
    return QPageLayout(QPageSize(letter ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
}

void writePdf(Window &window, const QPixmap &image, const QString &file);

void saveAsPdf(Window &window, const QPixmap &image)
{
    QFileDialog dialog(&window, QStringLiteral("Save as PDF"), proposedFolder(), QStringLiteral("PDF files (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(QStringLiteral("Quarvel.pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return; // cancelled: nothing to do
    writePdf(window, image, dialog.selectedFiles().constFirst());
}

void writePdf(Window &window, const QPixmap &image, const QString &file)
{
    const QString shown = QDir::toNativeSeparators(file);

    // The page reaches the file whole or not at all: a write that fails half
    // way leaves any earlier file of that name as it was.
    QSaveFile out(file);
    // Unless the folder takes no new file beside it: then an existing file is
    // overwritten in place, and a failure is still reported.
    out.setDirectWriteFallback(true);
    if (!out.open(QIODevice::WriteOnly)) {
        failed(window, QStringLiteral("the file %1 could not be written (%2)").arg(shown, out.errorString()));
        return;
    }
    {
        QPdfWriter pdf(&out);
        pdf.setTitle(QStringLiteral("Quarvel"));
        pdf.setCreator(QStringLiteral("Quarvel"));
        pdf.setPageLayout(pdfLayout());
        if (!paint(pdf, image)) {
            failed(window, QStringLiteral("the file %1 could not be written").arg(shown));
            return;
        }
    }
    if (!out.commit())
        failed(window, QStringLiteral("the file %1 could not be written (%2)").arg(shown, out.errorString()));
}

void sendToPrinter(Window &window, const QPixmap &image, const QPrinterInfo &info)
{
    const QString name = info.printerName();
    const QString shown = QStringLiteral("\"%1\"").arg(name);
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Quarvel"));
    if (!printer.isValid() || printer.outputFormat() != QPrinter::NativeFormat) {
        failed(window, QStringLiteral("the printer %1 could not be opened").arg(shown));
        return;
    }

    // A stopped printer would hold the page in its queue, and one that refuses
    // jobs would turn it away: say so now rather than send it. Asking also
    // leaves CUPS's last answer fresh, so the check after sending cannot read
    // one left over from an earlier request.
    const QStringList queue = name.split(QLatin1Char('/')); // a queue, then an instance of its options
    const QByteArray queueName = queue.constFirst().toLocal8Bit();
    const QByteArray instance = queue.size() > 1 ? queue.at(1).toLocal8Bit() : QByteArray();
    cups_dest_t *dest =
        cupsGetNamedDest(CUPS_HTTP_DEFAULT, queueName.constData(), instance.isEmpty() ? nullptr : instance.constData());
    if (!dest) {
        failed(window, QStringLiteral("the printer %1 could not be reached (%2)").arg(shown, cupsReason()));
        return;
    }
    const char *state = cupsGetOption("printer-state", dest->num_options, dest->options);
    const char *accepting = cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    const bool stopped = state && QByteArray(state).toInt() == IPP_PSTATE_STOPPED;
    const bool refusing = accepting && qstrcmp(accepting, "false") == 0;
    cupsFreeDests(1, dest);
    if (stopped || refusing) {
        failed(window, refusing ? QStringLiteral("the printer %1 is not accepting jobs").arg(shown)
                                : QStringLiteral("the printer %1 is stopped").arg(shown));
        return;
    }

    if (!paint(printer, image)) {
        failed(window, QStringLiteral("the page for the printer %1 could not be prepared").arg(shown));
        return;
    }
    // Qt hands the page to CUPS as the painter ends and drops CUPS's answer;
    // CUPS keeps it as the last error of this thread, and Qt asks nothing
    // after it.
    if (cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE)
        failed(window, QStringLiteral("the printer %1 refused the job (%2)").arg(shown, cupsReason()));
}

} // namespace

void printWindow(Window &window)
{
    // The window as shown now, before any dialog covers it.
    const QPixmap image = window.form()->grab();
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        saveAsPdf(window, image);
    else
        sendToPrinter(window, image, info);
}

} // namespace quarvel

namespace quarvel {

void exportPage(Window &window, const QString &path) { writePdf(window, window.form()->grab(), path); }

} // namespace quarvel
