// Print pressed on a real window, against the private print scheduler that
// spooler.sh starts for each group of tests: the page that reaches a printer
// or a PDF file, and the one "Print Error" box when none can.

#include "playing.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <QThread>

#include <cups/cups.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <thread>

// Failures show texts, not their bytes.
static void PrintTo(const QString &text, std::ostream *out) { *out << '"' << text.toStdString() << '"'; }

namespace quarvel {
namespace {

QString spool(const QString &path) { return QDir(qEnvironmentVariable("QUARVEL_SPOOL")).filePath(path); }

QStringList filesUnder(const QString &folder)
{
    QStringList files;
    for (QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();)
        files << it.next();
    return files;
}

// The states of the printer's jobs, once none waits or prints any more (a
// job held by a stopped printer waits for ever: ten seconds at most).
std::vector<int> jobs(const char *printer)
{
    for (QDeadlineTimer deadline(10000);; QTest::qWait(100)) {
        cups_job_t *list = nullptr;
        const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &list, printer, 0, CUPS_WHICHJOBS_ALL);
        std::vector<int> states;
        for (int i = 0; i < count; ++i)
            states.push_back(list[i].state);
        cupsFreeJobs(count, list);
        if (deadline.hasExpired() ||
            std::all_of(states.begin(), states.end(), [](int s) { return s >= IPP_JSTATE_CANCELED; }))
            return states;
    }
}

// The steps that take the one "Print Error" box, and no other.
std::string printError(const QString &why)
{
    const QString prompt = "The window was not printed: " + why + '.';
    return "alert \"Print Error\" \"" + QString(prompt).replace('"', "\\\"").toStdString() + "\"\nno-alert";
}

// How alike two pictures look, from -1 to 1: the correlation of their greys
// at one small size, which the softening and small shifts of printing barely
// move. A uniform picture, such as a blank page, is like nothing.
double likeness(const QImage &a, const QImage &b)
{
    const QSize size = a.size().scaled(192, 192, Qt::KeepAspectRatio);
    auto grey = [size](const QImage &image) {
        return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_Grayscale8);
    };
    const QImage x = grey(a), y = grey(b);
    double n = 0, sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
    for (int row = 0; row < size.height(); ++row)
        for (int col = 0; col < size.width(); ++col) {
            const double p = x.constScanLine(row)[col], q = y.constScanLine(row)[col];
            n += 1, sx += p, sy += q, sxx += p * p, syy += q * q, sxy += p * q;
        }
    const double vx = sxx - sx * sx / n, vy = syy - sy * sy / n;
    return vx < 1 || vy < 1 ? 0 : (sxy - sx * sy / n) / std::sqrt(vx * vy);
}

// The file holds one page: inside the area (in points; the whole page when
// empty), the form drawn across its width in the form's proportions, and
// text beneath the drawing.
void expectPage(const QString &file, const QImage &form, QRectF area = {})
{
    QTemporaryDir out;
    QProcess::execute("gs", {"-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=png16m", "-r72",
                             "-dInterpolateControl=-1", "-sOutputFile=" + out.filePath("%d.png"), file});
    ASSERT_EQ(QDir(out.path()).entryList(QDir::Files).size(), 1) << "pages in " << file.toStdString();
    const QImage page(out.filePath("1.png"));
    QRect ink; // paper is white; the window's light grey is not
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 248)
                ink |= QRect(x, y, 1, 1);
    if (area.isEmpty())
        area = page.rect();
    EXPECT_TRUE(area.adjusted(-2, -2, 2, 2).contains(ink)) << "printed outside the printable area";
    EXPECT_GT(ink.width() / area.width(), 0.85) << "not filled";
    // The window's grey ends at its right edge where the drawing does; no
    // line of text beneath is as wide.
    QRect drawing = ink;
    for (drawing.setBottom(ink.top()); qGray(page.pixel(ink.right(), drawing.bottom() + 1)) < 248;)
        drawing.setBottom(drawing.bottom() + 1);
    EXPECT_LT(drawing.bottom(), ink.bottom()) << "no text beneath the drawing";
    EXPECT_NEAR(double(drawing.width()) / drawing.height(), double(form.width()) / form.height(), 0.02);
    EXPECT_GT(likeness(page.copy(drawing), form), 0.9) << "the page does not look like the window";
}

class PrintTest : public WindowTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(qEnvironmentVariableIsSet("QUARVEL_SPOOL")) << "run through tests/print/spooler.sh";
        WindowTest::SetUp();
        ASSERT_EQ(play("type Text16 12"), ""); // a page with more on it than start-up's
    }

    // Qt's file dialog leaves no settings of its own where a person's are.
    void TearDown() override
    {
        for (const QString &folder : {QDir::homePath(), qEnvironmentVariable("XDG_CONFIG_HOME")})
            for (const QString &file : filesUnder(folder))
                EXPECT_FALSE(file.contains("QtProject")) << file.toStdString();
    }

    // A printer that prints into the spool folder, made the default.
    static void addPrinter(const QString &name)
    {
        const QString out = "file:" + spool("out/" + name + ".prn");
        ASSERT_EQ(QProcess::execute("lpadmin", {"-p", name, "-E", "-v", out, "-m", "drv:///sample.drv/generic.ppd"}),
                  0);
        ASSERT_EQ(QProcess::execute("lpadmin", {"-d", name}), 0);
    }
};

using PrintOnPrinter = PrintTest;

TEST_F(PrintOnPrinter, PrintsTheWindowOnOnePageOfThePersonsPrinter)
{
    addPrinter("spare");
    addPrinter("desk");
    EXPECT_EQ(play("press Command1\nno-alert"), "");
    EXPECT_EQ(player.dialogsCancelled(), 0);
    EXPECT_EQ(jobs("desk"), std::vector<int>{IPP_JSTATE_COMPLETED});
    EXPECT_EQ(jobs("spare"), std::vector<int>{});
    const QPrinterInfo desk = QPrinterInfo::defaultPrinter();
    QPrinter printer(desk);
    printer.setPageSize(desk.defaultPageSize());
    expectPage(spool("out/desk.prn"), window().form()->grab().toImage(),
               printer.pageLayout().paintRect(QPageLayout::Point));

    // The printer the person names comes first; one that does not exist is
    // said to be missing, not passed over.
    qputenv("PRINTER", "spare");
    EXPECT_EQ(play("press Command1\nno-alert"), "");
    EXPECT_EQ(jobs("spare"), std::vector<int>{IPP_JSTATE_COMPLETED});
    qputenv("PRINTER", "nosuchprinter");
    EXPECT_EQ(play("press Command1\n" + printError("the printer \"nosuchprinter\" that PRINTER names does not exist")),
              "");
    qunsetenv("PRINTER");
    EXPECT_EQ(jobs("desk"), std::vector<int>{IPP_JSTATE_COMPLETED});
}

using PrintFailure = PrintTest;

TEST_F(PrintFailure, APrinterThatDoesNotPrintGetsNoJob)
{
    const QString earlier = spool("earlier.txt");
    ASSERT_TRUE(put(earlier, "a job before Quarvel's\n"));
    const struct {
        std::vector<QStringList> setUp; // a tool and its arguments, in turn
        const char *why;
    } cases[] = {
        {{{"cupsreject", "desk"}}, "is not accepting jobs"},
        {{{"cupsdisable", "desk"}}, "is stopped"},
        // Accepting and idle: only the answer to the job itself tells.
        {{{"lpadmin", "-p", "desk", "-o", "job-quota-period=3600", "-o", "job-k-limit=1"},
          {"lp", "-d", "desk", "-o", "raw", earlier}},
         "refused the job (Quota limit reached)"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        addPrinter("desk");
        for (const QStringList &step : c.setUp)
            ASSERT_EQ(QProcess::execute(step[0], step.mid(1)), 0);
        const std::vector<int> before = jobs("desk");
        EXPECT_EQ(play("press Command1\n" + printError(QString("the printer \"desk\" ") + c.why)), "");
        EXPECT_EQ(jobs("desk"), before);
    }
}

using PrintWithoutPrinter = PrintTest;

TEST_F(PrintWithoutPrinter, SavesThePageWhereTheDialogSays)
{
    const QString home = QDir::homePath();
    const struct {
        const char *name;
        bool documents, service;
        QString answer; // relative: in the folder proposed; empty: Cancel
        QString proposed, written;
        const char *how = "press Command1";
    } cases[] = {
        {"no default printer", true, true, "Quarvel.pdf", home + "/Documents/Quarvel.pdf",
         home + "/Documents/Quarvel.pdf"},
        {"no print service", false, false, home + "/supplies", home + "/Quarvel.pdf", home + "/supplies.pdf"},
        {"cancelled", true, true, "", home + "/Documents/Quarvel.pdf", ""},
        {"exported", true, true, "", home + "/Documents/Quarvel.pdf", home + "/Documents/sent.pdf",
         "export ~/Documents/sent"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(c.documents ? QDir(home).mkpath("Documents") : QDir(home + "/Documents").removeRecursively());
        if (!c.service) {
            addPrinter("desk"); // there, yet out of reach
            cupsSetServer(qPrintable(spool("nowhere.sock")));
        }
        const QStringList before = filesUnder(home);
        const int cancelled = player.dialogsCancelled();
        player.answerFileDialog(c.answer);
        EXPECT_EQ(play(QString(c.how).replace("~", home).toStdString() + "\nno-alert"), "");
        cupsSetServer(nullptr);
        EXPECT_EQ(player.proposedFile(), c.proposed);
        if (c.written.isEmpty()) {
            EXPECT_EQ(player.dialogsCancelled(), cancelled + 1);
            EXPECT_EQ(filesUnder(home), before);
        } else {
            expectPage(c.written, window().form()->grab().toImage());
        }
        if (!c.service) {
            ASSERT_EQ(QProcess::execute("lpadmin", {"-x", "desk"}), 0);
        }
    }
}

// A print service that behaves as none should, on a socket of the test's
// own: each connection it takes is answered as `way` says.
class HostileService {
public:
    enum Way { Silent, Trickling, SlowBody, Garbage, Closing };

    HostileService(const QString &socket, Way way) : way_(way)
    {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, QFile::encodeName(socket).constData(), sizeof address.sun_path);
        listener_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        ::bind(listener_, reinterpret_cast<sockaddr *>(&address), sizeof address);
        ::listen(listener_, 8);
        thread_ = std::thread([this] { serve(); });
    }
    ~HostileService()
    {
        stop_ = true;
        thread_.join();
        ::close(listener_);
    }

private:
    void serve()
    {
        std::vector<std::thread> answering;
        while (!stop_) {
            pollfd ready{listener_, POLLIN, 0};
            if (::poll(&ready, 1, 50) == 1)
                if (const int connection = ::accept(listener_, nullptr, nullptr); connection >= 0)
                    answering.emplace_back([this, connection] { answer(connection); });
        }
        for (std::thread &t : answering)
            t.join();
    }

    void answer(int connection)
    {
        auto say = [connection](const char *text) { return ::send(connection, text, std::strlen(text), MSG_NOSIGNAL); };
        std::string request;
        char bytes[4096];
        for (ssize_t n = 1; way_ != Closing && n > 0 && request.find("\r\n\r\n") == std::string::npos;) {
            n = ::recv(connection, bytes, sizeof bytes, 0);
            request.append(bytes, size_t(std::max<ssize_t>(n, 0)));
        }
        if (way_ == Garbage) {
            say("This is no print service.\r\n\r\nNothing here means anything.\n");
            // Read the rest of the request before closing: closing on unread
            // bytes resets the connection, which Print may see before the
            // answer.
            ::shutdown(connection, SHUT_WR);
            pollfd rest{connection, POLLIN, 0};
            while (::poll(&rest, 1, 2000) == 1 && ::recv(connection, bytes, sizeof bytes, 0) > 0) {
            }
        }
        if (way_ == Trickling)
            say("HTTP/1.1 200 OK\r\n");
        if (way_ == SlowBody)
            say("HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\nContent-Length: 100000\r\n\r\n");
        while (way_ != Garbage && way_ != Closing && !stop_) {
            if (way_ == Trickling)
                say("X-Still-Here: yes\r\n");
            else if (way_ == SlowBody)
                say("\x01");
            QThread::msleep(20);
        }
        ::close(connection);
    }

    Way way_;
    int listener_ = -1;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

struct Hostile {
    const char *name;
    HostileService::Way way;
    const char *why; // the box's reason; none when the window closes meanwhile
};

class PrintHostileService : public WindowTest, public testing::WithParamInterface<Hostile> {};

// A print service that stops answering, keeps talking without end, answers
// nonsense or hangs up is never taken for no printer and never freezes the
// window: Print gives up with one box within its 10 s, the window painting
// meanwhile; it ends at once and quietly when the window closes.
TEST_P(PrintHostileService, EndsInOneBoxWhileTheWindowKeepsPainting)
{
    QTemporaryDir folder;
    const QString socket = folder.filePath("cups.sock");
    const HostileService service(socket, GetParam().way);
    cupsSetServer(qPrintable(socket));
    const bool close = !GetParam().why;
    if (close)
        QTimer::singleShot(1000, &window(), [this] { window().close(); });
    // A timer's paints: it runs only while Print lets the window paint.
    int paints = 0;
    QTimer repaint;
    QObject::connect(&repaint, &QTimer::timeout, &window(), [&] {
        window().repaint();
        ++paints;
    });
    repaint.start(100); // first due once Print runs
    QElapsedTimer pressed;
    pressed.start();
    const std::string played = play("press Command1");
    const qint64 took = pressed.elapsed();
    repaint.stop();
    cupsSetServer(nullptr);
    EXPECT_EQ(player.dialogsCancelled(), 0) << "a Save as PDF dialog showed";
    EXPECT_EQ(played + play(close ? "no-alert" : printError(GetParam().why)), "");
    EXPECT_LT(took, close ? 2000 : 10500);
    if (took > 1000) {
        EXPECT_GE(paints, took / 200) << "the window did not paint while Print waited";
    }
}

const char *const kNoAnswer = "the print service did not answer within 10 seconds";
INSTANTIATE_TEST_SUITE_P(Services, PrintHostileService,
                         testing::Values(Hostile{"Silent", HostileService::Silent, kNoAnswer},
                                         Hostile{"Trickling", HostileService::Trickling, kNoAnswer},
                                         Hostile{"SlowBody", HostileService::SlowBody, kNoAnswer},
                                         Hostile{"Garbage", HostileService::Garbage,
                                                 "the print service gave an answer that is not a print service's"},
                                         Hostile{"Closing", HostileService::Closing,
                                                 "the print service closed the connection without an answer"},
                                         Hostile{"SilentWindowClosed", HostileService::Silent, nullptr}),
                         [](const testing::TestParamInfo<Hostile> &info) { return std::string(info.param.name); });

} // namespace
} // namespace quarvel
