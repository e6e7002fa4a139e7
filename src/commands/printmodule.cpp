#include "commands/printmodule.h"
#include "commands/print.h"

#include "commands/files.h"

#include "cells/cells.h"

#include <QAbstractEventDispatcher>
#include <QBuffer>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTimer>
#include <QWidget>

#include <cups/cups.h>

#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace quarvel {

namespace {

// How long the print service may keep Print waiting for an answer before
// Print gives up on it.
constexpr qint64 kPatienceMs = 10000;
// How often Print looks at its wait, at the least.
constexpr qint64 kPaintEveryMs = 50;
// One try at reaching the service; tries go on until kPatienceMs.
constexpr int kConnectTryMs = 250;
// The page goes to the service in pieces: each piece it takes shows that it
// is still listening.
constexpr qint64 kPieceBytes = 16384;

// Input held back while Print waited for the print service reaches the
// window before the box opens: once the box is up, keys and clicks meant for
// the window would be dropped. The platform hands held input over only when
// the event loop is woken. Closing the window meanwhile leaves nobody to tell.
void report(PrintTarget &window, const QString &text, const char *title = "Print Error")
{
    if (QAbstractEventDispatcher *events = QCoreApplication::eventDispatcher())
        events->wakeUp();
    QCoreApplication::processEvents();
    if (!window.closed())
        window.cells.alert(text.toStdString(), title);
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

// The page's text: the page's own font, at a size read at arm's length.
constexpr qreal kTextPoints = 10;

// Fusion paints buttons and lists into pictures it keeps for the screen,
// which would reach the page as raster images. On the page they are drawn
// as an outline, a fill and their text, a list with its arrow; their edit
// fields, like every other control, paint themselves.
class Outlined : public QObject {
public:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        auto *button = qobject_cast<QPushButton *>(object);
        auto *list = qobject_cast<QComboBox *>(object);
        if (event->type() != QEvent::Paint || (!button && !list))
            return false;
        auto *control = static_cast<QWidget *>(object);
        const QPalette &palette = control->palette();
        QPainter painter(control); // the page's, while the form is drawn on it
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(palette.color(QPalette::Dark));
        painter.setBrush(palette.button());
        painter.drawRoundedRect(QRectF(control->rect()).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
        QRect text = control->rect();
        if (list) {
            QStyleOptionComboBox option;
            option.initFrom(list);
            option.editable = list->isEditable();
            const QRect arrow =
                list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, list);
            text = list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
            const QPointF tip = QRectF(arrow).center() + QPointF(0, 2);
            painter.setPen(Qt::NoPen);
            painter.setBrush(palette.color(QPalette::ButtonText));
            painter.drawPolygon(QPolygonF({tip, tip + QPointF(-3.5, -4), tip + QPointF(3.5, -4)}));
        }
        if (!list || !list->isEditable())
            control->style()->drawItemText(
                &painter, text, (button ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter), palette,
                control->isEnabled(), button ? button->text() : list->currentText(), QPalette::ButtonText);
        return true;
    }
};

// Draws the form at the top of the page, centred across it, as large as the
// printable area allows without changing its proportions (on paper of
// portrait shape: across the printable width), as lines and text: each
// control paints itself onto the page as on the screen, buttons and lists
// as outlines. Returns where the drawing ends.
qreal drawForm(QPainter &painter, QWidget &form, const QRectF &page)
{
    const qreal scale = std::min(page.width() / form.width(), page.height() / form.height());
    painter.save();
    painter.translate(page.x() + (page.width() - form.width() * scale) / 2, page.y());
    painter.scale(scale, scale);
    Outlined outlined; // leaves the controls as it goes
    for (QWidget *control : form.findChildren<QWidget *>())
        control->installEventFilter(&outlined);
    form.render(&painter, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    painter.restore();
    return page.top() + form.height() * scale;
}

// Beneath the drawing, in two columns: the plan and when it was printed,
// then the force section by section; then the summary's sentences. A line
// that no longer fits goes on a new page.
bool drawListing(QPainter &painter, QPagedPaintDevice &device, const PrintTarget &window, const QRectF &page, qreal top)
{
    QFont font = window.form->font();
    font.setPointSizeF(kTextPoints);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QFontMetricsF metrics(painter.font(), &device);
    const qreal line = metrics.lineSpacing();
    const QLocale locale;
    const QDateTime now = QDateTime::currentDateTime();
    std::vector<std::pair<QString, QString>> lines = {
        {QStringLiteral("Plan"), window.plan},
        {QStringLiteral("Printed"), locale.toString(now.date(), QLocale::LongFormat) + QStringLiteral(", ") +
                                        locale.toString(now.time(), QLocale::ShortFormat)},
        {},
    };
    for (const Listing::Section &section : window.listing.force)
        for (const std::string &row : section.rows)
            lines.emplace_back(&row == &section.rows.front() ? QString::fromStdString(section.name) : QString(),
                               QString::fromStdString(row));
    qreal indent = 0;
    for (const auto &[heading, text] : lines)
        indent = std::max(indent, metrics.horizontalAdvance(heading + QStringLiteral("    ")));
    // The summary's sentences stand alone, from the left.
    lines.emplace_back();
    for (const std::string &sentence : window.listing.summary)
        lines.emplace_back(QString::fromStdString(sentence), QString());
    qreal y = top + line;
    for (const auto &[heading, text] : lines) {
        if (y + line > page.bottom()) {
            if (!device.newPage())
                return false;
            y = page.top();
        }
        const qreal baseline = y + metrics.ascent();
        // A text longer than the page is wide (a name typed into a list)
        // ends where the page does.
        painter.drawText(QPointF(page.left(), baseline), metrics.elidedText(heading, Qt::ElideRight, page.width()));
        painter.drawText(QPointF(page.left() + indent, baseline),
                         metrics.elidedText(text, Qt::ElideRight, page.width() - indent));
        y += line;
    }
    return true;
}

bool paint(QPagedPaintDevice &device, const PrintTarget &window)
{
    QPainter painter;
    if (!window.form || !painter.begin(&device))
        return false;
    const QRectF page = painter.viewport();
    qreal bottom = 0;
    window.atDesignSize([&] { bottom = drawForm(painter, *window.form, page); });
    const bool drawn = drawListing(painter, device, window, page, bottom);
    return painter.end() && drawn;
}

// The page as a PDF file in memory, so that nothing reaches a disk or a
// printer until the whole of it exists; empty if it could not be made.
QByteArray pdfPage(const PrintTarget &window, const QPageLayout &layout)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setTitle(QStringLiteral("Quarvel"));
    pdf.setCreator(QStringLiteral("Quarvel"));
    if (!pdf.setPageLayout(layout) || !paint(pdf, window) || !bytes.startsWith("%PDF-"))
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

// Writes the page into the file. Print, saving it for want of a printer,
// says the window was not printed; Export says which file it could not
// write.
void writePage(PrintTarget &window, const QString &file, bool exporting)
{
    const QString shown = QDir::toNativeSeparators(file);
    auto fail = [&](const QString &printing, const QString &why) {
        if (exporting)
            report(window, QStringLiteral("The page could not be exported to %1: %2.").arg(shown, why), "Export Error");
        else
            failed(window, printing);
    };
    const QByteArray page = pdfPage(window, pdfLayout());
    if (page.isEmpty())
        return fail(QStringLiteral("the page for the file %1 could not be prepared").arg(shown),
                    QStringLiteral("the page could not be prepared"));
    const QString why = writeWhole(file, page);
    if (why.isEmpty())
        return;
    const QString folder = QDir::toNativeSeparators(QFileInfo(file).absolutePath());
    if (QFileInfo(folder).isDir() && !QFileInfo(folder).isWritable())
        fail(QStringLiteral("the folder %1 takes no new file, so the file %2 could not be written safely (%3)")
                 .arg(folder, shown, why),
             QStringLiteral("the folder %1 takes no new file (%2)").arg(folder, why));
    else
        fail(QStringLiteral("the file %1 could not be written (%2)").arg(shown, why), why);
}

void saveAsPdf(PrintTarget &window)
{
    const QString file = window.askForPage();
    if (!file.isEmpty()) // else cancelled: nothing to do
        writePage(window, file, false);
}

// Print's own connection to the print service. Qt's print support waits on
// CUPS's shared connection for as long as the service takes, which is for
// ever when the service has stopped, and CUPS itself waits for as long as a
// service keeps sending something, however little. Every request here runs
// on a thread of its own while the window waits: it paints, input waits
// until Print is done (held, not lost, and no handler runs meanwhile), and
// Print gives up on a request not answered in full within kPatienceMs, or
// once the window has gone. A request given up on is cut off at its
// connection and left to end on its thread.
class Service {
public:
    enum class State {
        Answering,
        Absent, // nothing listens where the service would be: this machine has none
        Silent, // no whole answer in time
        WindowClosed,
    };

    explicit Service(PrintTarget &window);
    ~Service();
    Service(const Service &) = delete;
    Service &operator=(const Service &) = delete;

    State state() const { return state_; }
    bool answering() const { return state_ == State::Answering; }

    // Runs the request on the connection, the first one connecting; its
    // result once it is done, or nothing once Print gives up on it.
    template <class Result> std::optional<Result> ask(std::function<Result(http_t *)> request)
    {
        auto result = std::make_shared<std::optional<Result>>();
        run([request = std::move(request), result](http_t *http) { *result = request(http); });
        return answering() ? std::move(*result) : std::nullopt;
    }

private:
    struct Line;
    void run(std::function<void(http_t *)> request);
    void cutOff();

    PrintTarget *window_;
    std::shared_ptr<Line> line_;
    State state_ = State::Answering;
};

// What the window's thread and a request's thread share; the last of them
// to let it go closes the connection.
struct Service::Line {
    std::mutex mutex;
    bool done = false;
    int cancel = 0; // CUPS stops trying to connect once this is set
    QByteArray server;
    int port = 0;
    http_encryption_t encryption = HTTP_ENCRYPTION_IF_REQUESTED;
    http_t *http = nullptr;
    bool absent = false;
    QAbstractEventDispatcher *window = nullptr; // woken when a request is done

    ~Line()
    {
        if (http)
            httpClose(http);
    }

    // Connects, trying again until it works, nothing listens, or Print
    // gives up.
    void connect()
    {
        // CUPS keeps its settings for each thread: this one's are the window's.
        cupsSetServer(server.constData());
        while (!http && !cancel) {
            QElapsedTimer attempt;
            attempt.start();
            http_t *made =
                httpConnect2(server.constData(), port, nullptr, AF_UNSPEC, encryption, 1, kConnectTryMs, &cancel);
            const std::lock_guard<std::mutex> lock(mutex);
            http = made;
            // Turned away before the try was up, rather than left without an answer.
            if (!http && attempt.elapsed() < kConnectTryMs / 2) {
                absent = true;
                return;
            }
        }
    }
};

Service::Service(PrintTarget &window) : window_(&window), line_(std::make_shared<Line>())
{
    line_->server = cupsServer();
    line_->port = ippPort();
    line_->encryption = cupsEncryption();
    line_->window = QAbstractEventDispatcher::instance();
}

Service::~Service() { cutOff(); }

// A request still running is cut off at its connection, so that it ends on
// its thread; the connection is closed once it has.
void Service::cutOff()
{
    const std::lock_guard<std::mutex> lock(line_->mutex);
    line_->cancel = 1;
    line_->window = nullptr;
    if (line_->http && !line_->done)
        ::shutdown(httpGetFd(line_->http), SHUT_RDWR);
}

void Service::run(std::function<void(http_t *)> request)
{
    if (!answering())
        return;
    {
        const std::lock_guard<std::mutex> lock(line_->mutex);
        line_->done = false;
    }
    std::thread([line = line_, request = std::move(request)] {
        line->connect();
        if (line->http)
            request(line->http);
        const std::lock_guard<std::mutex> lock(line->mutex);
        line->done = true;
        if (line->window)
            line->window->wakeUp();
    }).detach();

    QElapsedTimer clock;
    clock.start();
    QTimer tick; // so that the wait is looked at, even with nothing else to do
    tick.start(int(kPaintEveryMs));
    for (;;) {
        {
            const std::lock_guard<std::mutex> lock(line_->mutex);
            if (line_->done) {
                if (line_->absent)
                    state_ = State::Absent;
                return;
            }
        }
        if (window_->closed())
            state_ = State::WindowClosed;
        else if (clock.hasExpired(kPatienceMs))
            state_ = State::Silent;
        if (!answering())
            return cutOff();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    }
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

// A printer as CUPS describes it, and what the printer says it takes: shared
// with the requests that use them, which may outlive Print's wait.
using Dest = std::shared_ptr<cups_dest_t>;
using DestInfo = std::shared_ptr<cups_dinfo_t>;
Dest owned(cups_dest_t *dest)
{
    return Dest(dest, [](cups_dest_t *d) { cupsFreeDests(1, d); });
}

// What CUPS said of a request, read on the request's own thread: CUPS keeps
// its last error for each thread.
struct Said {
    ipp_status_t status = IPP_STATUS_OK;
    QString reason;
    static Said now() { return Said{cupsLastError(), cupsReason()}; }
};

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

void sendToPrinter(PrintTarget &window, Service &service, const Dest &dest)
{
    const QString name = QString::fromLocal8Bit(dest->name) +
                         (dest->instance ? QLatin1Char('/') + QString::fromLocal8Bit(dest->instance) : QString());
    const QString shown = QStringLiteral("\"%1\"").arg(name);

    // A stopped printer would hold the page in its queue, and one that refuses
    // jobs would turn it away: say so now rather than send it.
    const char *state = cupsGetOption("printer-state", dest->num_options, dest->options);
    const char *accepting = cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    if (accepting && qstrcmp(accepting, "false") == 0) {
        failed(window, QStringLiteral("the printer %1 is not accepting jobs").arg(shown));
        return;
    }
    if (state && QByteArray(state).toInt() == IPP_PSTATE_STOPPED) {
        failed(window, QStringLiteral("the printer %1 is stopped").arg(shown));
        return;
    }

    struct Paper {
        DestInfo info;
        bool known = false;
        cups_size_t media{};
        Said said;
    };
    const std::optional<Paper> paper = service.ask<Paper>([dest](http_t *http) {
        Paper paper;
        paper.info.reset(cupsCopyDestInfo(http, dest.get()), cupsFreeDestInfo);
        paper.said = Said::now();
        if (paper.info)
            paper.known = cupsGetDestMediaDefault(http, dest.get(), paper.info.get(), 0, &paper.media) != 0;
        return paper;
    });
    if (!stillAnswering(window, service))
        return;
    if (!paper->info) {
        failed(window, QStringLiteral("the printer %1 could not be reached (%2)").arg(shown, paper->said.reason));
        return;
    }
    const QByteArray page = pdfPage(window, paper->known ? printerLayout(paper->media) : pdfLayout());
    if (page.isEmpty()) {
        failed(window, QStringLiteral("the page for the printer %1 could not be prepared").arg(shown));
        return;
    }

    struct Job {
        int id = 0;
        Said said;
    };
    const std::optional<Job> job = service.ask<Job>([dest, paper = *paper](http_t *http) {
        cups_option_t *options = nullptr;
        int optionCount = 0;
        if (paper.known)
            optionCount = cupsAddOption("media", paper.media.media, optionCount, &options);
        Job job;
        cupsCreateDestJob(http, dest.get(), paper.info.get(), &job.id, "Quarvel", optionCount, options);
        job.said = Said::now();
        cupsFreeOptions(optionCount, options);
        return job;
    });
    if (!stillAnswering(window, service))
        return; // a job left without its page is never printed
    if (job->said.status > IPP_STATUS_OK_EVENTS_COMPLETE || job->id <= 0) {
        failed(window, QStringLiteral("the printer %1 refused the job (%2)").arg(shown, job->said.reason));
        return;
    }

    const std::optional<Said> refused = service.ask<Said>([dest, info = paper->info, id = job->id, page](http_t *http) {
        bool sent = cupsStartDestDocument(http, dest.get(), info.get(), id, "Quarvel", CUPS_FORMAT_PDF, 0, nullptr,
                                          1) == HTTP_STATUS_CONTINUE;
        for (qint64 done = 0; sent && done < page.size(); done += kPieceBytes) {
            const auto piece = std::min(kPieceBytes, page.size() - done);
            sent = cupsWriteRequestData(http, page.constData() + done, size_t(piece)) == HTTP_STATUS_CONTINUE;
        }
        if (sent)
            return Said();
        const Said said = Said::now();
        cupsCancelDestJob(http, dest.get(), id);
        return said.status > IPP_STATUS_OK_EVENTS_COMPLETE ? said : Said{IPP_STATUS_ERROR_INTERNAL, said.reason};
    });
    if (!stillAnswering(window, service))
        return; // the service never had the whole page
    if (refused->status > IPP_STATUS_OK_EVENTS_COMPLETE) {
        failed(window, QStringLiteral("the page could not be sent to the printer %1 (%2)").arg(shown, refused->reason));
        return;
    }
    const std::optional<Said> finished = service.ask<Said>([dest, info = paper->info](http_t *http) {
        cupsFinishDestDocument(http, dest.get(), info.get());
        return Said::now();
    });
    if (!stillAnswering(window, service, true))
        return;
    if (finished->status > IPP_STATUS_OK_EVENTS_COMPLETE)
        failed(window, QStringLiteral("the printer %1 refused the job (%2)").arg(shown, finished->reason));
}

// The printer the person names for Print, as CUPS reads it (LPDEST, else
// PRINTER unless it is "lp", an old default of shells), and which names it.
std::pair<QString, QString> namedPrinter()
{
    for (const char *variable : {"LPDEST", "PRINTER"}) {
        const QString name = qEnvironmentVariable(variable);
        if (!name.isEmpty() && !(name == QLatin1String("lp") && qstrcmp(variable, "PRINTER") == 0))
            return {name, QString::fromLatin1(variable)};
    }
    return {};
}

void printForm(PrintTarget &window)
{
    bool noPrinter = false;
    {
        Service service(window);
        struct Named {
            Dest dest;
            Said said;
            http_status_t answer = HTTP_STATUS_ERROR;
            int lost = 0; // why the connection failed, if it did
        };
        const std::optional<Named> named = service.ask<Named>([](http_t *http) {
            Named named;
            // The person's default (LPDEST, PRINTER, lpoptions) before the service's.
            named.dest = owned(cupsGetNamedDest(http, nullptr, nullptr));
            named.said = Said::now();
            named.answer = httpGetStatus(http);
            named.lost = httpError(http);
            return named;
        });
        const auto [printer, namedBy] = namedPrinter();
        if (service.state() == Service::State::Absent)
            noPrinter = true;
        else if (!stillAnswering(window, service))
            return;
        else if (named->dest)
            sendToPrinter(window, service, named->dest);
        // CUPS says "not found" whatever became of the request: only a
        // service that answered names no printer.
        else if (named->answer != HTTP_STATUS_OK)
            failed(window, named->lost == EPIPE || named->lost == ECONNRESET
                               ? QStringLiteral("the print service closed the connection without an answer")
                               : QStringLiteral("the print service gave an answer that is not a print service's"));
        else if (!printer.isEmpty())
            failed(window, QStringLiteral("the printer \"%1\" that %2 names does not exist").arg(printer, namedBy));
        else if (named->said.status == IPP_STATUS_ERROR_NOT_FOUND)
            noPrinter = true;
        else
            failed(window,
                   QStringLiteral("the print service did not name a default printer (%1)").arg(named->said.reason));
    }
    if (noPrinter)
        saveAsPdf(window);
}

} // namespace
} // namespace quarvel

extern "C" {

Q_DECL_EXPORT void quarvelPrintWindow(quarvel::PrintTarget &window) { quarvel::printForm(window); }

Q_DECL_EXPORT void quarvelExportPage(quarvel::PrintTarget &window, const QString &path)
{
    quarvel::writePage(window, path, true);
}
}
