#include "commands/print.h"
#include "commands/printmodule.h"

#include "commands/files.h"

#include "cells/cells.h"

#include <QAbstractEventDispatcher>
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPointer>
#include <QStandardPaths>
#include <QWidget>

#include <cups/cups.h>

#include <algorithm>
#include <memory>

namespace quarvel {

namespace {

// How long the print service may keep Print waiting for an answer before
// Print gives up on it.
constexpr qint64 kPatienceMs = 10000;
// How often the window is painted while Print waits for the service.
constexpr double kPaintEverySeconds = 0.05;
// One try at reaching the service; tries go on until kPatienceMs.
constexpr int kConnectTryMs = 250;
// The page goes to the service in pieces: each piece it takes shows that it
// is still listening.
constexpr qint64 kPieceBytes = 16384;

// Input held back while Print waited for the print service reaches the
// window before the box opens: once the box is up, keys and clicks meant for
// the window would be dropped. The platform hands held input over only when
// the event loop is woken. Closing the window meanwhile leaves nobody to tell.
void report(PrintTarget &window, const QString &text)
{
    if (QAbstractEventDispatcher *events = QCoreApplication::eventDispatcher())
        events->wakeUp();
    QCoreApplication::processEvents();
    if (!window.closed())
        window.cells.alert(text.toStdString(), "Print Error");
}

void failed(PrintTarget &window, const QString &why)
{
    report(window, QStringLiteral("The window was not printed: %1.").arg(why));
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

// The paper of the person's locale, with margins a printer could print to.
QPageLayout pdfLayout()
{
    const bool letter = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
    return QPageLayout(QPageSize(letter ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
}

// Where the Save as PDF dialog opens: the documents folder, or the home
// folder where there is none yet.
QString proposedFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

// The file the person chose to save the page as; empty when they cancelled.
QString askForPdfFile(PrintTarget &window)
{
    const NoQtSettings noQtSettings;
    QFileDialog dialog(window.form, QStringLiteral("Save as PDF"), proposedFolder(),
                       QStringLiteral("PDF files (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(QStringLiteral("Quarvel.pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

void writePage(PrintTarget &window, const QPixmap &image, const QString &file)
{
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

void saveAsPdf(PrintTarget &window, const QPixmap &image)
{
    const QString file = askForPdfFile(window);
    if (!file.isEmpty()) // else cancelled: nothing to do
        writePage(window, image, file);
}

// Print's own connection to the print service. Qt's print support waits on
// CUPS's shared connection for as long as the service takes, which is for
// ever when the service has stopped. Every wait on this one lets the window
// paint (input waits until Print is done: it is held, not lost, and no
// handler runs meanwhile), and gives up once a request has gone unanswered
// for kPatienceMs, or the window was closed. One wait is CUPS's own: up to a
// second for the service to take a request (HTTP's 100-continue) before the
// first call back, so a silent service still holds the window that long.
class Service {
public:
    enum class State {
        Answering,
        Absent, // nothing listens where the service would be: this machine has none
        Silent,
        WindowClosed,
    };

    explicit Service(PrintTarget &window);
    ~Service()
    {
        if (http_)
            httpClose(http_);
    }
    Service(const Service &) = delete;
    Service &operator=(const Service &) = delete;

    http_t *http() const { return http_; }
    State state() const { return state_; }
    bool answering() const { return state_ == State::Answering; }

    // Starts the patience over for the next request.
    void ask() { clock_.start(); }

private:
    static int keepWaiting(http_t *, void *service);

    PrintTarget *window_;
    http_t *http_ = nullptr;
    QElapsedTimer clock_;
    State state_ = State::Answering;
};

Service::Service(PrintTarget &window) : window_(&window)
{
    clock_.start();
    for (;;) {
        QElapsedTimer attempt;
        attempt.start();
        http_ = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, kConnectTryMs, nullptr);
        if (http_) {
            httpSetTimeout(http_, kPaintEverySeconds, &Service::keepWaiting, this);
            return;
        }
        // Turned away before the try was up, rather than left without an answer.
        if (attempt.elapsed() < kConnectTryMs / 2) {
            state_ = State::Absent;
            return;
        }
        if (!keepWaiting(nullptr, this))
            return;
    }
}

// CUPS asks this each time a wait on the connection passes without a word.
int Service::keepWaiting(http_t *, void *service)
{
    auto *self = static_cast<Service *>(service);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (self->window_->closed())
        self->state_ = State::WindowClosed;
    else if (self->clock_.hasExpired(kPatienceMs))
        self->state_ = State::Silent;
    return self->answering() ? 1 : 0;
}

// Whether the service still answers; says so when it stopped answering.
// Once it holds the whole page, giving up cannot take the page back.
bool stillAnswering(PrintTarget &window, const Service &service, bool holdsThePage = false)
{
    if (service.state() == Service::State::Silent) {
        if (holdsThePage)
            report(window, QStringLiteral("The window may not have been printed: the print service took the page, "
                                          "then did not answer within 10 seconds."));
        else
            failed(window, QStringLiteral("the print service did not answer within 10 seconds"));
    }
    return service.answering();
}

struct FreeDest {
    void operator()(cups_dest_t *dest) const { cupsFreeDests(1, dest); }
};
using Dest = std::unique_ptr<cups_dest_t, FreeDest>;

struct FreeDestInfo {
    void operator()(cups_dinfo_t *info) const { cupsFreeDestInfo(info); }
};
using DestInfo = std::unique_ptr<cups_dinfo_t, FreeDestInfo>;

// The paper the printer takes by default, with the margins it cannot print
// on; CUPS gives both in hundredths of a millimetre.
QPageLayout printerLayout(const cups_size_t &media)
{
    const QPageSize size(QSizeF(media.width / 100.0, media.length / 100.0), QPageSize::Millimeter, QString(),
                         QPageSize::FuzzyMatch);
    return QPageLayout(size, QPageLayout::Portrait,
                       QMarginsF(media.left / 100.0, media.top / 100.0, media.right / 100.0, media.bottom / 100.0),
                       QPageLayout::Millimeter);
}

void sendToPrinter(PrintTarget &window, Service &service, cups_dest_t &dest, const QPixmap &image)
{
    const QString name = QString::fromLocal8Bit(dest.name) +
                         (dest.instance ? QLatin1Char('/') + QString::fromLocal8Bit(dest.instance) : QString());
    const QString shown = QStringLiteral("\"%1\"").arg(name);

    // A stopped printer would hold the page in its queue, and one that refuses
    // jobs would turn it away: say so now rather than send it.
    const char *state = cupsGetOption("printer-state", dest.num_options, dest.options);
    const char *accepting = cupsGetOption("printer-is-accepting-jobs", dest.num_options, dest.options);
    if (accepting && qstrcmp(accepting, "false") == 0) {
        failed(window, QStringLiteral("the printer %1 is not accepting jobs").arg(shown));
        return;
    }
    if (state && QByteArray(state).toInt() == IPP_PSTATE_STOPPED) {
        failed(window, QStringLiteral("the printer %1 is stopped").arg(shown));
        return;
    }

    service.ask();
    const DestInfo info(cupsCopyDestInfo(service.http(), &dest));
    if (!stillAnswering(window, service))
        return;
    if (!info) {
        failed(window, QStringLiteral("the printer %1 could not be reached (%2)").arg(shown, cupsReason()));
        return;
    }
    service.ask();
    cups_size_t media{};
    const bool knowsItsPaper = cupsGetDestMediaDefault(service.http(), &dest, info.get(), 0, &media) != 0;
    if (!stillAnswering(window, service))
        return;
    const QByteArray page = pdfPage(image, knowsItsPaper ? printerLayout(media) : pdfLayout());
    if (page.isEmpty()) {
        failed(window, QStringLiteral("the page for the printer %1 could not be prepared").arg(shown));
        return;
    }

    cups_option_t *options = nullptr;
    int optionCount = 0;
    if (knowsItsPaper)
        optionCount = cupsAddOption("media", media.media, optionCount, &options);
    int job = 0;
    service.ask();
    const ipp_status_t created =
        cupsCreateDestJob(service.http(), &dest, info.get(), &job, "Quarvel", optionCount, options);
    cupsFreeOptions(optionCount, options);
    if (!stillAnswering(window, service))
        return; // a job left without its page is never printed
    if (created > IPP_STATUS_OK_EVENTS_COMPLETE || job <= 0) {
        failed(window, QStringLiteral("the printer %1 refused the job (%2)").arg(shown, cupsReason()));
        return;
    }

    service.ask();
    bool sent = cupsStartDestDocument(service.http(), &dest, info.get(), job, "Quarvel", CUPS_FORMAT_PDF, 0, nullptr,
                                      1) == HTTP_STATUS_CONTINUE;
    for (qint64 done = 0; sent && done < page.size(); done += kPieceBytes) {
        service.ask();
        const auto piece = std::min(kPieceBytes, page.size() - done);
        sent = cupsWriteRequestData(service.http(), page.constData() + done, size_t(piece)) == HTTP_STATUS_CONTINUE;
    }
    if (!stillAnswering(window, service))
        return; // the service never had the whole page
    if (!sent) {
        const QString reason = cupsReason();
        cupsCancelDestJob(service.http(), &dest, job);
        failed(window, QStringLiteral("the page could not be sent to the printer %1 (%2)").arg(shown, reason));
        return;
    }
    service.ask();
    const ipp_status_t finished = cupsFinishDestDocument(service.http(), &dest, info.get());
    if (!stillAnswering(window, service, true))
        return;
    if (finished > IPP_STATUS_OK_EVENTS_COMPLETE)
        failed(window, QStringLiteral("the printer %1 refused the job (%2)").arg(shown, cupsReason()));
}

void printForm(PrintTarget &window)
{
    // The window as shown now, before any dialog covers it.
    const QPixmap image = window.form->grab();
    bool noPrinter = false;
    {
        Service service(window);
        if (service.state() == Service::State::Absent) {
            noPrinter = true;
        } else if (stillAnswering(window, service)) {
            service.ask();
            // The person's default (PRINTER, LPDEST, lpoptions) before the service's.
            const Dest dest(cupsGetNamedDest(service.http(), nullptr, nullptr));
            if (!stillAnswering(window, service))
                return;
            if (dest)
                sendToPrinter(window, service, *dest, image);
            // CUPS says "not found" for a request the connection lost as well:
            // only a service that answered names no printer.
            else if (cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND && httpError(service.http()) == 0)
                noPrinter = true;
            else
                failed(window,
                       QStringLiteral("the print service did not name a default printer (%1)").arg(cupsReason()));
        }
    }
    if (noPrinter)
        saveAsPdf(window, image);
}

} // namespace
} // namespace quarvel

extern "C" {

Q_DECL_EXPORT void quarvelPrintWindow(quarvel::PrintTarget &window) { quarvel::printForm(window); }

Q_DECL_EXPORT void quarvelExportPage(quarvel::PrintTarget &window, const QString &path)
{
    quarvel::writePage(window, window.form->grab(), path);
}
}
