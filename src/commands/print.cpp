#include "commands/print.h"

#include "app/window.h"

#include <QBuffer>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

#include <cups/cups.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

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

// The page as a PDF file in memory, so that nothing reaches a disk or a
// printer until the whole of it exists; empty if it could not be made.
QByteArray pdfPage(const QPixmap &image, const QPageLayout &layout)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setTitle(QStringLiteral("Quarvel"));
    pdf.setCreator(QStringLiteral("Quarvel"));
    if (!pdf.setPageLayout(layout) || !paint(pdf, image) || !bytes.startsWith("%PDF-"))
        return QByteArray();
    return bytes;
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

// Qt's file dialog keeps its history and sidebar in a settings file of Qt's
// own, QtProject.conf in the person's config folder, and reads what other Qt
// programs left there. Quarvel keeps nothing between runs: while a dialog
// lives, Qt's settings point where no file can be made (a path under a
// device), so that the dialog reads nothing and writes nothing anywhere.
class NoQtSettings {
public:
    NoQtSettings() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("/dev/null")); }
    ~NoQtSettings()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    }
    NoQtSettings(const NoQtSettings &) = delete;
    NoQtSettings &operator=(const NoQtSettings &) = delete;
};

// The file the person chose to save the page as; empty when they cancelled.
QString askForPdfFile(Window &window)
{
    const NoQtSettings noQtSettings;
    QFileDialog dialog(&window, QStringLiteral("Save as PDF"), proposedFolder(), QStringLiteral("PDF files (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(QStringLiteral("Quarvel.pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

// Writes the bytes as a new file beside `file` and puts it in the place of
// any earlier one only once every byte has reached the disk. Returns why it
// could not, or nothing; on failure an earlier file stays as it was.
QString writeWhole(const QString &file, const QByteArray &bytes)
{
    // No fallback to writing over the earlier file where the folder takes no
    // new one: a failure half way would destroy it.
    QSaveFile out(file);
    // Unbuffered: a buffer would meet a full disk only as the file is
    // committed, and QSaveFile does not look at that failure.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return out.errorString();
    auto abandon = [&out](const QString &why) {
        out.cancelWriting(); // the new file goes with `out`
        return why;
    };
    // A full disk lets a write take part of the bytes; the next one says why.
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = out.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return abandon(out.errorString());
        done += written;
    }
    // Some file systems (network disks, quotas) tell of a lack of room only
    // when the data is flushed to them; QSaveFile ignores what flushing says.
    if (::fsync(out.handle()) != 0 && errno != EINVAL)
        return abandon(QString::fromLocal8Bit(std::strerror(errno)));
    if (!out.commit())
        return out.errorString();
    return QString();
}

void saveAsPdf(Window &window, const QPixmap &image)
{
    const QString file = askForPdfFile(window);
    if (file.isEmpty())
        return; // cancelled: nothing to do
    const QString shown = QDir::toNativeSeparators(file);
    const QByteArray page = pdfPage(image, pdfLayout());
    if (page.isEmpty()) {
        failed(window, QStringLiteral("the page for the file %1 could not be prepared").arg(shown));
        return;
    }
    const QString why = writeWhole(file, page);
    if (why.isEmpty())
        return;
    const QFileInfo folder(QFileInfo(file).absolutePath());
    if (folder.isDir() && !folder.isWritable())
        failed(window,
               QStringLiteral("the folder %1 takes no new file, so the file %2 could not be written safely (%3)")
                   .arg(QDir::toNativeSeparators(folder.filePath()), shown, why));
    else
        failed(window, QStringLiteral("the file %1 could not be written (%2)").arg(shown, why));
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
    const QPixmap image = window.grab();
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        saveAsPdf(window, image);
    else
        sendToPrinter(window, image, info);
}

} // namespace quarvel
