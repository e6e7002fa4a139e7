// Print, pressed on a real window, against a private print scheduler that
// spooler.sh starts: the page that reaches a printer or a PDF file, and the
// message box when it cannot.

#include "app/window.h"
#include "cells/design.h"
#include "pages.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageLayout>
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cups/cups.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <functional>
#include <iostream>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace quarvel::print {
namespace {

constexpr int kDpi = 100;

// A modal dialog as it was shown.
struct Seen {
    QString kind; // "message box", "file dialog" or the class of anything else
    QString title, text;
    bool critical = false;
    bool okOnly = false;
    QString folder, fileName; // what a file dialog proposed
    qint64 at = 0;            // when it showed, by Dialogs::now()
};

// Answers the program's modal dialogs as a person would, from a timer that
// watches QApplication::activeModalWidget(): a message box is read and closed
// with OK (or Yes, when the test would replace files), a file dialog goes to
// the test's hands, anything else is cancelled. Answers are queued, so a
// dialog that opens another is answered in turn.
class Dialogs : public QObject {
public:
    Dialogs()
    {
        connect(&timer_, &QTimer::timeout, this, &Dialogs::look);
        timer_.start(10);
        clock_.start();
    }

    // What the test does with a file dialog; without it the dialog is cancelled.
    std::function<void(QFileDialog &)> fileDialog;
    // Whether to answer Yes when asked to replace a file.
    bool replace = false;
    std::vector<Seen> seen;

    qint64 now() const { return clock_.elapsed(); }

    std::vector<Seen> boxes() const { return only(QStringLiteral("message box")); }
    std::vector<Seen> fileDialogs() const { return only(QStringLiteral("file dialog")); }

private:
    std::vector<Seen> only(const QString &kind) const
    {
        std::vector<Seen> found;
        for (const Seen &s : seen)
            if (s.kind == kind)
                found.push_back(s);
        return found;
    }

    void look()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || answered_.contains(modal))
            return;
        answered_.append(modal);
        Seen s;
        s.title = modal->windowTitle();
        s.at = now();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            s.kind = QStringLiteral("message box");
            s.text = box->text();
            s.critical = box->icon() == QMessageBox::Critical;
            s.okOnly = box->buttons().size() == 1 && box->standardButtons() == QMessageBox::Ok;
            QTimer::singleShot(0, box, [box, yes = replace] {
                if (QAbstractButton *ok = box->button(QMessageBox::Ok))
                    ok->click();
                else if (QAbstractButton *replace = box->button(QMessageBox::Yes); replace && yes)
                    replace->click();
                else
                    box->reject();
            });
        } else if (auto *files = qobject_cast<QFileDialog *>(modal)) {
            s.kind = QStringLiteral("file dialog");
            s.folder = files->directory().absolutePath();
            if (auto *name = files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                s.fileName = name->text();
            QTimer::singleShot(0, files, [this, files] {
                if (fileDialog)
                    fileDialog(*files);
                else
                    files->reject();
            });
        } else {
            s.kind = QString::fromLatin1(modal->metaObject()->className());
            QTimer::singleShot(0, modal, [modal] {
                if (auto *dialog = qobject_cast<QDialog *>(modal))
                    dialog->reject();
                else
                    modal->close();
            });
        }
        seen.push_back(s);
    }

    QTimer timer_;
    QElapsedTimer clock_;
    QList<QPointer<QWidget>> answered_;
};

std::string describe(const std::vector<Seen> &all)
{
    std::string text;
    for (const Seen &s : all)
        text += "\n  " + s.kind.toStdString() + " \"" + s.title.toStdString() + "\" " + s.text.toStdString();
    return text.empty() ? " none" : text;
}

// Types a file name into the dialog and presses Enter, as a person would.
void typeAndSave(QFileDialog &dialog, const QString &file)
{
    if (auto *name = dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))) {
        name->selectAll();
        QTest::keyClicks(name, file);
        // The name's completions would take the Enter meant for the dialog.
        if (QCompleter *completer = name->completer(); completer && completer->popup()->isVisible())
            QTest::keyClick(completer->popup(), Qt::Key_Escape);
        QTest::keyClick(name, Qt::Key_Return);
    } else {
        dialog.selectFile(file);
        static_cast<QDialog &>(dialog).accept(); // QFileDialog hides its accept
    }
    if (dialog.isVisible())
        dialog.reject(); // the dialog refused the name; the test sees nothing written
}

// Every cell as text: the window shows the same figures after Print.
std::vector<std::string> cells(const Window &window)
{
    std::vector<std::string> texts;
    for (const ControlDesign &d : kDesign)
        texts.push_back(window.text(d.id));
    return texts;
}

// Every file under a folder, hidden ones included.
QStringList filesUnder(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    return files;
}

// What a file holds; empty when there is no such file.
QByteArray contents(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// What the window looks like on the page, and how much unlike its upside-down
// self (a page showing something else) and a blank page it is.
struct Likeness {
    double window = 0, different = 0, blank = 0;
};

Likeness compare(const QImage &printed, const QImage &shown)
{
    QImage white(shown.size(), QImage::Format_RGB32);
    white.fill(Qt::white);
    return {likeness(printed, shown), likeness(printed, shown.mirrored(false, true)), likeness(white, shown)};
}

void expectShowsTheWindow(const QImage &printed, const QImage &shown)
{
    const Likeness l = compare(printed, shown);
    EXPECT_GT(l.window, 0.9) << "the page does not look like the window";
    EXPECT_GT(l.window - l.different, 0.5) << "a page showing something else looks as much like it";
    EXPECT_GT(l.window - l.blank, 0.5) << "a blank page looks as much like it";
}

class PrintTest : public testing::Test {
protected:
    void SetUp() override
    {
        spool_ = qEnvironmentVariable("QUARVEL_SPOOL");
        ASSERT_FALSE(spool_.isEmpty()) << "run these tests through tests/print/spooler.sh";
        removePrinters();
        window_ = std::make_unique<Window>();
        window_->load();
        window_->show();
        window_->activateWindow();
        QApplication::setActiveWindow(window_.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        // Some figures in the window, so that the page shows more than start-up.
        QWidget *first = window_->widget(Id::Text16);
        QTest::mouseClick(first, Qt::LeftButton);
        QTest::keyClicks(first, QStringLiteral("12"));
    }

    void TearDown() override
    {
        window_.reset();
        // Whatever the program keeps between runs it keeps in the person's
        // config folder under its own name; nothing of the toolkit's own
        // (QtProject.conf) anywhere.
        const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        ASSERT_FALSE(config.isEmpty()) << "spooler.sh sets XDG_CONFIG_HOME";
        QStringList strays;
        for (const QString &folder : {home(), config})
            for (const QString &file : filesUnder(folder))
                if (QFileInfo(file).fileName().startsWith(QLatin1String("QtProject")) ||
                    (file.startsWith(config + QLatin1Char('/')) &&
                     !QDir(config).relativeFilePath(file).startsWith(QLatin1String("quarvel/"))))
                    strays << file;
        EXPECT_TRUE(strays.isEmpty()) << "left behind: " << strays.join(QLatin1Char(' ')).toStdString();
    }

    Window &window() { return *window_; }
    QString spool(const QString &path) const { return QDir(spool_).filePath(path); }
    QString home() const { return QDir::homePath(); }

    // Presses Print with the mouse, as a person would.
    void pressPrint() { QTest::mouseClick(window_->widget(Id::Command1), Qt::LeftButton); }

    // Presses Print and saves the page as the file named, replacing any.
    QByteArray saveAs(const QString &file)
    {
        dialogs.replace = true;
        dialogs.fileDialog = [file](QFileDialog &dialog) { typeAndSave(dialog, file); };
        pressPrint();
        return contents(file);
    }

    // Runs one of the scheduler's tools; its complaint, or "" when it did its work.
    static std::string run(const QString &tool, const QStringList &args)
    {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(tool, args);
        if (!p.waitForFinished(20000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
            return (tool + QLatin1Char(' ') + args.join(QLatin1Char(' ')) + QStringLiteral(": ") +
                    QString::fromLocal8Bit(p.readAll()) + p.errorString())
                .toStdString();
        return "";
    }

    // A printer that prints into the spool folder, made the default.
    QString addPrinter(const QString &name)
    {
        const QString out = spool(QStringLiteral("out/%1.prn").arg(name));
        EXPECT_EQ(
            run(QStringLiteral("lpadmin"),
                {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"), QStringLiteral("file:") + out,
                 QStringLiteral("-m"), QStringLiteral("drv:///sample.drv/generic.ppd")}),
            "");
        EXPECT_EQ(run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), name}), "");
        return out;
    }

    static void removePrinters()
    {
        cups_dest_t *dests = nullptr;
        const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
        for (int i = 0; i < count; ++i)
            EXPECT_EQ(run(QStringLiteral("lpadmin"), {QStringLiteral("-x"), QString::fromLocal8Bit(dests[i].name)}),
                      "");
        cupsFreeDests(count, dests);
    }

    // The states of the printer's jobs, once none is waiting or printing.
    static std::vector<ipp_jstate_t> finishedJobs(const QString &printer)
    {
        const QByteArray name = printer.toLocal8Bit();
        const QDeadlineTimer deadline(30000);
        for (;;) {
            cups_job_t *jobs = nullptr;
            const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, name.constData(), 0, CUPS_WHICHJOBS_ALL);
            std::vector<ipp_jstate_t> states;
            bool busy = false;
            for (int i = 0; i < count; ++i) {
                states.push_back(jobs[i].state);
                busy = busy || jobs[i].state < IPP_JSTATE_CANCELED;
            }
            cupsFreeJobs(count, jobs);
            if (!busy || deadline.hasExpired())
                return states;
            QTest::qWait(100);
        }
    }

    Dialogs dialogs;

private:
    QString spool_;
    std::unique_ptr<Window> window_;
};

// The page on the printer, rendered as a person's viewer would.
QImage onlyPage(const QString &file)
{
    QString error;
    const std::vector<QImage> pages = renderPages(file, kDpi, &error);
    EXPECT_EQ(pages.size(), 1u) << error.toStdString();
    return pages.empty() ? QImage() : pages.front();
}

using PrintOnPrinter = PrintTest;

TEST_F(PrintOnPrinter, PrintsTheWindowAsShownOnOnePageOfTheDefaultPrinter)
{
    addPrinter(QStringLiteral("spare")); // a printer that is not the default gets nothing
    const QString out = addPrinter(QStringLiteral("desk"));
    const QImage shown = window().form()->grab().toImage();
    const std::vector<std::string> before = cells(window());

    pressPrint();

    EXPECT_TRUE(dialogs.seen.empty()) << "dialogs shown:" << describe(dialogs.seen);
    EXPECT_EQ(cells(window()), before);
    EXPECT_EQ(finishedJobs(QStringLiteral("desk")), std::vector<ipp_jstate_t>{IPP_JSTATE_COMPLETED});
    EXPECT_TRUE(finishedJobs(QStringLiteral("spare")).empty());
    const QImage page = onlyPage(out);
    ASSERT_FALSE(page.isNull());

    // The window fills the printable area one way, keeps its proportions, and
    // leaves the margins the printer cannot print on.
    const QPageLayout layout = QPrinter(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution).pageLayout();
    const double scale = double(page.width()) / layout.fullRect(QPageLayout::Point).width();
    const QRectF paint = layout.paintRect(QPageLayout::Point);
    const QRectF area(paint.x() * scale, paint.y() * scale, paint.width() * scale, paint.height() * scale);
    const QRect ink = inkBox(page);
    ASSERT_TRUE(ink.isValid()) << "the page is blank";
    EXPECT_TRUE(area.adjusted(-2, -2, 2, 2).contains(QRectF(ink))) << "printed outside the printable area";
    EXPECT_TRUE(ink.width() >= area.width() - 3 || ink.height() >= area.height() - 3)
        << "the window does not fill the printable area";
    EXPECT_NEAR(double(ink.width()) / ink.height(), double(shown.width()) / shown.height(), 0.02);
    expectShowsTheWindow(page.copy(ink), shown);
}

using PrintFailure = PrintTest;

// A printer that turns the job away, or would keep it unprinted, is reported
// in one message box and gets no job from Quarvel.
TEST_F(PrintFailure, APrinterThatDoesNotPrintIsReportedAndGetsNoJob)
{
    const QString desk = QStringLiteral("desk");
    const QString small = spool(QStringLiteral("small.txt"));
    QFile file(small);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("a job before Quarvel's\n") > 0);
    file.close();
    const struct {
        const char *name;
        std::vector<QStringList> setUp; // a tool and its arguments, in turn
        const char *why;
    } cases[] = {
        {"refusing jobs", {{QStringLiteral("cupsreject"), desk}}, "is not accepting jobs"},
        {"stopped", {{QStringLiteral("cupsdisable"), desk}}, "is stopped"},
        // Accepting and idle, so only the answer to the job itself tells.
        {"over its quota",
         {{QStringLiteral("lpadmin"), QStringLiteral("-p"), desk, QStringLiteral("-o"),
           QStringLiteral("job-quota-period=3600"), QStringLiteral("-o"), QStringLiteral("job-k-limit=1")},
          {QStringLiteral("lp"), QStringLiteral("-d"), desk, QStringLiteral("-o"), QStringLiteral("raw"), small}},
         "refused the job (Quota limit reached)"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        removePrinters();
        dialogs.seen.clear();
        const QString out = addPrinter(desk);
        for (const QStringList &step : c.setUp)
            ASSERT_EQ(run(step.front(), step.mid(1)), "");
        const std::vector<ipp_jstate_t> jobs = finishedJobs(desk);
        const QByteArray printed = contents(out);
        const std::vector<std::string> before = cells(window());

        pressPrint();

        const std::vector<Seen> boxes = dialogs.boxes();
        ASSERT_EQ(dialogs.seen.size(), 1u) << "dialogs shown:" << describe(dialogs.seen);
        ASSERT_EQ(boxes.size(), 1u) << "dialogs shown:" << describe(dialogs.seen);
        EXPECT_EQ(boxes[0].title, QStringLiteral("Print Error"));
        EXPECT_TRUE(boxes[0].critical);
        EXPECT_TRUE(boxes[0].okOnly);
        EXPECT_TRUE(boxes[0].text.startsWith(QStringLiteral("The window was not printed: the printer \"desk\" ")))
            << boxes[0].text.toStdString();
        EXPECT_TRUE(boxes[0].text.contains(QLatin1String(c.why))) << boxes[0].text.toStdString();
        EXPECT_TRUE(boxes[0].text.endsWith(QLatin1Char('.'))) << boxes[0].text.toStdString();
        EXPECT_EQ(cells(window()), before);
        EXPECT_EQ(finishedJobs(desk), jobs);
        EXPECT_EQ(contents(out), printed);
    }
}

using PrintWithoutPrinter = PrintTest;

// With no printer, Print offers to save the page as Quarvel.pdf in the
// documents folder, or in the home folder where there is none.
TEST_F(PrintWithoutPrinter, OffersQuarvelPdfInTheDocumentsFolder)
{
    const QString documents = QDir(home()).filePath(QStringLiteral("Documents"));
    for (bool hasDocuments : {true, false}) {
        SCOPED_TRACE(hasDocuments ? "with a documents folder" : "without one");
        dialogs.seen.clear();
        if (hasDocuments)
            ASSERT_TRUE(QDir().mkpath(documents));
        else
            ASSERT_TRUE(QDir(documents).removeRecursively());

        pressPrint();

        const std::vector<Seen> files = dialogs.fileDialogs();
        ASSERT_EQ(dialogs.seen.size(), 1u) << "dialogs shown:" << describe(dialogs.seen);
        ASSERT_EQ(files.size(), 1u) << "dialogs shown:" << describe(dialogs.seen);
        EXPECT_EQ(files[0].title, QStringLiteral("Save as PDF"));
        EXPECT_EQ(files[0].folder, hasDocuments ? documents : home());
        EXPECT_EQ(files[0].fileName, QStringLiteral("Quarvel.pdf"));
    }
    ASSERT_TRUE(QDir().mkpath(documents));
}

// The same holds when no scheduler answers at all.
TEST_F(PrintWithoutPrinter, OffersAPdfWhenNoSchedulerAnswers)
{
    addPrinter(QStringLiteral("desk"));
    const QString nowhere = QDir(home()).filePath(QStringLiteral("no-scheduler.sock"));
    cupsSetServer(nowhere.toLocal8Bit().constData());

    pressPrint();

    cupsSetServer(nullptr);
    EXPECT_EQ(dialogs.fileDialogs().size(), 1u) << "dialogs shown:" << describe(dialogs.seen);
    EXPECT_EQ(dialogs.seen.size(), 1u) << "dialogs shown:" << describe(dialogs.seen);
    EXPECT_TRUE(finishedJobs(QStringLiteral("desk")).empty());
}

TEST_F(PrintWithoutPrinter, SavesThePageWhereTheDialogSays)
{
    ASSERT_TRUE(QDir().mkpath(QDir(home()).filePath(QStringLiteral("Documents"))));
    ASSERT_TRUE(QDir().mkpath(QDir(home()).filePath(QStringLiteral("plans"))));
    const struct {
        const char *name;
        QString typed;  // empty: the proposal as it stands
        QString stored; // relative to the home folder
    } cases[] = {
        {"the proposed name", QString(), QStringLiteral("Documents/Quarvel.pdf")},
        {"a name of the person's", QDir(home()).filePath(QStringLiteral("plans/attack.pdf")),
         QStringLiteral("plans/attack.pdf")},
        {"a name without its extension", QDir(home()).filePath(QStringLiteral("plans/supplies")),
         QStringLiteral("plans/supplies.pdf")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.seen.clear();
        QString selected;
        dialogs.fileDialog = [&](QFileDialog &dialog) {
            if (c.typed.isEmpty())
                QTest::keyClick(&dialog, Qt::Key_Return);
            else
                typeAndSave(dialog, c.typed);
            selected = dialog.selectedFiles().value(0);
        };
        const QImage shown = window().form()->grab().toImage();
        const std::vector<std::string> before = cells(window());

        pressPrint();

        const QString file = QDir(home()).filePath(c.stored);
        ASSERT_EQ(dialogs.seen.size(), 1u) << "dialogs shown:" << describe(dialogs.seen);
        EXPECT_EQ(selected, file);
        EXPECT_EQ(cells(window()), before);
        ASSERT_TRUE(QFile::exists(file));
        const QImage page = onlyPage(file);
        ASSERT_FALSE(page.isNull());
        const QRect ink = inkBox(page);
        ASSERT_TRUE(ink.isValid()) << "the page is blank";
        EXPECT_GT(std::max(double(ink.width()) / page.width(), double(ink.height()) / page.height()), 0.8)
            << "the window does not fill the page";
        EXPECT_NEAR(double(ink.width()) / ink.height(), double(shown.width()) / shown.height(), 0.02);
        expectShowsTheWindow(page.copy(ink), shown);
    }
}

TEST_F(PrintWithoutPrinter, CancellingTheDialogDoesNothing)
{
    const QStringList before = filesUnder(home());
    dialogs.fileDialog = [](QFileDialog &dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); };

    pressPrint();

    EXPECT_EQ(dialogs.seen.size(), 1u) << "dialogs shown:" << describe(dialogs.seen);
    EXPECT_EQ(dialogs.fileDialogs().size(), 1u);
    EXPECT_EQ(filesUnder(home()), before);
}

// A file that cannot be written is reported in one message box, and nothing
// is left behind.
TEST_F(PrintWithoutPrinter, AFileThatCannotBeWrittenIsReported)
{
    ASSERT_TRUE(QDir().mkpath(QDir(home()).filePath(QStringLiteral("Documents"))));
    QFile notes(QDir(home()).filePath(QStringLiteral("notes.txt")));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.close();
    const struct {
        const char *name;
        QString file;
    } cases[] = {
        {"in a folder that does not exist", QDir(home()).filePath(QStringLiteral("gone/plan.pdf"))},
        {"under a file, not a folder", QDir(home()).filePath(QStringLiteral("notes.txt/plan.pdf"))},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.seen.clear();
        const QStringList before = filesUnder(home());
        dialogs.fileDialog = [&](QFileDialog &dialog) { typeAndSave(dialog, c.file); };

        pressPrint();

        const std::vector<Seen> boxes = dialogs.boxes();
        ASSERT_EQ(dialogs.seen.size(), 2u) << "dialogs shown:" << describe(dialogs.seen);
        ASSERT_EQ(boxes.size(), 1u) << "dialogs shown:" << describe(dialogs.seen);
        EXPECT_EQ(boxes[0].title, QStringLiteral("Print Error"));
        EXPECT_TRUE(boxes[0].critical);
        EXPECT_TRUE(boxes[0].okOnly);
        EXPECT_TRUE(boxes[0].text.startsWith(QStringLiteral("The window was not printed: the file ") + c.file))
            << boxes[0].text.toStdString();
        EXPECT_TRUE(boxes[0].text.endsWith(QLatin1Char('.'))) << boxes[0].text.toStdString();
        EXPECT_EQ(filesUnder(home()), before);
        EXPECT_FALSE(QFileInfo::exists(QDir(home()).filePath(QStringLiteral("gone"))));
    }
}

// A tmpfs of the given size mounted on a folder for as long as it lives,
// where the test may mount one (as root, with the right to mount).
class SmallDisk {
public:
    SmallDisk(const QString &folder, int kilobytes) : folder_(folder)
    {
        QProcess mount;
        mount.start(QStringLiteral("mount"),
                    {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                     QStringLiteral("size=%1k,mode=0777").arg(kilobytes), QStringLiteral("quarvel-test"), folder});
        mounted_ = mount.waitForFinished(20000) && mount.exitStatus() == QProcess::NormalExit && mount.exitCode() == 0;
        if (!mounted_)
            why_ = QString::fromLocal8Bit(mount.readAllStandardError()).section(QLatin1Char('\n'), 0, 0).trimmed();
    }
    ~SmallDisk()
    {
        if (mounted_)
            QProcess::execute(QStringLiteral("umount"), {folder_});
    }
    bool mounted() const { return mounted_; }
    QString why() const { return why_; }

private:
    QString folder_, why_;
    bool mounted_ = false;
};

// Fills the folder's file system with one file until no more fits, then
// gives back the given number of bytes.
void fill(const QString &folder, qint64 leave)
{
    QFile filler(QDir(folder).filePath(QStringLiteral("filler")));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size()) {
    }
    filler.close();
    ASSERT_TRUE(filler.resize(std::max<qint64>(0, filler.size() - leave)));
}

// Writes into any file fail past the given size for as long as it lives, as
// under a shell's file size limit; the signal that would end the program is
// ignored meanwhile.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limit = saved_;
        limit.rlim_cur = std::min(bytes, saved_.rlim_max);
        setrlimit(RLIMIT_FSIZE, &limit);
        handler_ = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, handler_);
    }

private:
    rlimit saved_{};
    void (*handler_)(int) = nullptr;
};

// A page saved over an earlier file where it cannot be written whole: the
// disk fills or the file size limit is reached part way, or the folder takes
// no new file (where the earlier one could only be overwritten in place). One
// message box says why, the earlier file stays as it was and nothing else is
// left beside it.
TEST_F(PrintWithoutPrinter, APageThatCannotBeWrittenWholeLeavesTheEarlierFile)
{
    const QByteArray page = saveAs(QDir(home()).filePath(QStringLiteral("Documents/first.pdf")));
    ASSERT_GT(page.size(), 32 * 1024) << "no page saved where there is room";
    enum How { FullDisk, SizeLimit, ClosedFolder };
    const struct {
        const char *name;
        How how;
        const char *why; // %1 the file, %2 its folder
    } cases[] = {
        {"on a nearly full disk", FullDisk, "the file %1 could not be written (No space left on device)"},
        {"past the file size limit", SizeLimit, "the file %1 could not be written (File too large)"},
        {"in a folder that takes no new file", ClosedFolder,
         "the folder %2 takes no new file, so the file %1 could not be written safely (Permission denied)"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.seen.clear();
        const QString folder = spool(QString::fromLatin1(c.name).replace(QLatin1Char(' '), QLatin1Char('-')));
        ASSERT_TRUE(QDir().mkpath(folder));
        std::optional<SmallDisk> disk;
        if (c.how == FullDisk) {
            disk.emplace(folder, int(page.size() / 1024) + 64);
            if (!disk->mounted()) {
                std::cout << "not tried " << c.name << ": " << disk->why().toStdString() << std::endl;
                continue;
            }
        }
        if (c.how == ClosedFolder && geteuid() == 0) {
            std::cout << "not tried " << c.name << ": root makes files in any folder" << std::endl;
            continue;
        }
        const QString file = QDir(folder).filePath(QStringLiteral("Quarvel.pdf"));
        QFile earlier(file);
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly) && earlier.write(page) == page.size() && earlier.flush());
        earlier.close();
        if (c.how == FullDisk)
            fill(folder, 8 * 1024);
        const QFileDevice::Permissions open = QFile::permissions(folder);
        if (c.how == ClosedFolder) {
            ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        }
        const QStringList before = filesUnder(folder);

        {
            std::optional<FileSizeLimit> limit;
            if (c.how == SizeLimit)
                limit.emplace(8 * 1024);
            saveAs(file);
        }

        QFile::setPermissions(folder, open);
        const QByteArray left = contents(file);
        EXPECT_TRUE(left == page) << "the earlier page (" << page.size() << " bytes) was replaced by " << left.size()
                                  << " bytes starting " << left.left(8).toStdString();
        EXPECT_EQ(filesUnder(folder), before);
        std::vector<Seen> errors;
        for (const Seen &box : dialogs.boxes())
            if (box.title == QStringLiteral("Print Error"))
                errors.push_back(box);
        ASSERT_EQ(errors.size(), 1u) << "dialogs shown:" << describe(dialogs.seen);
        EXPECT_EQ(errors[0].text.toStdString(),
                  (QStringLiteral("The window was not printed: ") + QLatin1String(c.why) + QLatin1Char('.'))
                      .arg(file, folder)
                      .toStdString());
        EXPECT_TRUE(errors[0].critical && errors[0].okOnly);
    }
}

// The private scheduler stopped (SIGSTOP), as a print service that no longer
// answers, for as long as this lives. A watchdog lets it go on after the
// given time whatever happens, so that nothing waits for it for ever.
class StoppedScheduler {
public:
    StoppedScheduler(qint64 pid, std::chrono::seconds watchdog) : pid_(pid)
    {
        if (pid_ <= 0 || ::kill(pid_t(pid_), SIGSTOP) != 0)
            return;
        stopped_ = true;
        // Stopped once the kernel says so, not when the signal was sent.
        for (const QDeadlineTimer deadline(5000); !deadline.hasExpired() && state() != 'T';)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        watchdog_ = std::thread([this, watchdog] {
            std::unique_lock<std::mutex> lock(mutex_);
            if (!resumed_.wait_for(lock, watchdog, [this] { return done_; }))
                expired_ = true;
            ::kill(pid_t(pid_), SIGCONT);
        });
    }
    ~StoppedScheduler() { resume(); }

    bool stopped() const { return stopped_; }
    // Whether the watchdog had to let the scheduler go on.
    bool expired() const { return expired_; }

    void resume()
    {
        if (!stopped_)
            return;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            done_ = true;
        }
        resumed_.notify_all();
        watchdog_.join();
        stopped_ = false;
    }

private:
    char state() const
    {
        const QByteArray stat = contents(QStringLiteral("/proc/%1/stat").arg(pid_));
        const int end = stat.lastIndexOf(')'); // the name in brackets may hold anything
        return end > 0 && end + 2 < stat.size() ? stat.at(end + 2) : '?';
    }

    qint64 pid_;
    bool stopped_ = false;
    std::atomic<bool> expired_{false};
    std::mutex mutex_;
    std::condition_variable resumed_;
    bool done_ = false;
    std::thread watchdog_;
};

// Counts the window's paints while Print runs, from half a second after it
// was pressed (the paints a press itself brings do not count), and no dialog
// is open.
class Paints : public QObject {
public:
    explicit Paints(Window &window)
    {
        window.installEventFilter(this);
        auto *print = qobject_cast<QPushButton *>(window.widget(Id::Command1));
        connect(print, &QPushButton::pressed, this, [this] { pressed_.start(); });
        // After the window's own handler, which is connected first.
        connect(print, &QPushButton::clicked, this, [this] { pressed_.invalidate(); });
    }
    int count = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && pressed_.isValid() && pressed_.elapsed() >= 500 &&
            !QApplication::activeModalWidget())
            ++count;
        return false;
    }

private:
    QElapsedTimer pressed_;
};

using PrintSilentService = PrintTest;

// A print service that no longer answers is never taken for no printer and
// never freezes the window: Print gives up after ten seconds of silence with
// one message box while the window goes on painting, or at once and quietly
// when the window is closed meanwhile; once the service answers again, Print
// prints.
TEST_F(PrintSilentService, GivesUpWhileTheWindowKeepsPainting)
{
    const qint64 scheduler = qEnvironmentVariableIntValue("QUARVEL_SCHEDULER");
    ASSERT_GT(scheduler, 0) << "spooler.sh names its scheduler in QUARVEL_SCHEDULER";
    const QString desk = QStringLiteral("desk");
    const struct {
        const char *name;
        bool closeWindow;
    } cases[] = {{"the window left open", false}, {"the window closed meanwhile", true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        removePrinters();
        addPrinter(desk);
        dialogs.seen.clear();
        Paints paints(window());
        QTimer repaint;
        QObject::connect(&repaint, &QTimer::timeout, &window(), [this] { window().update(); });
        repaint.start(100);
        if (c.closeWindow)
            QTimer::singleShot(1000, &window(), [this] { window().close(); });
        qint64 pressed = 0, returned = 0;
        bool expired = false;
        {
            StoppedScheduler stopped(scheduler, std::chrono::seconds(20));
            ASSERT_TRUE(stopped.stopped());
            pressed = dialogs.now();
            pressPrint();
            returned = dialogs.now();
            expired = stopped.expired();
        }
        repaint.stop();
        const qint64 answered = dialogs.seen.empty() ? returned : dialogs.seen.front().at;
        std::cout << c.name << ": " << (dialogs.seen.empty() ? "Print returned" : "the first dialog showed")
                  << " after " << answered - pressed << " ms, " << paints.count << " paints of the window meanwhile"
                  << std::endl;

        EXPECT_FALSE(expired) << "Print waited until the service answered again";
        if (c.closeWindow) {
            EXPECT_TRUE(dialogs.seen.empty()) << "dialogs shown:" << describe(dialogs.seen);
            EXPECT_TRUE(finishedJobs(desk).empty());
            continue;
        }
        EXPECT_GT(paints.count, 0) << "the window did not paint while Print waited";
        EXPECT_TRUE(finishedJobs(desk).empty());
        EXPECT_EQ(dialogs.seen.size(), 1u) << "dialogs shown:" << describe(dialogs.seen);
        if (!dialogs.seen.empty()) {
            EXPECT_EQ(dialogs.seen[0].title, QStringLiteral("Print Error"));
            EXPECT_EQ(dialogs.seen[0].text.toStdString(),
                      "The window was not printed: the print service did not answer within 10 seconds.");
            EXPECT_TRUE(dialogs.seen[0].critical && dialogs.seen[0].okOnly);
        }

        dialogs.seen.clear();
        pressPrint();
        EXPECT_TRUE(dialogs.seen.empty()) << "dialogs shown:" << describe(dialogs.seen);
        EXPECT_EQ(finishedJobs(desk), std::vector<ipp_jstate_t>{IPP_JSTATE_COMPLETED});
    }
}

} // namespace
} // namespace quarvel::print
