#include "app/noticebar.h"
#include "app/plandocument.h"
#include "app/planfile.h"
#include "commands/files.h"
#include "playing.h"

#include <QKeySequence>
#include <QTemporaryDir>
#include <QTest>

#include <pwd.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <functional>

namespace quarvel {
namespace {

using PlansTest = WindowTest;

// What the line under the menu bar says once the window's unsaved work has
// been handed to the disk.
std::string noticeOnceKept(Window &window)
{
    EXPECT_TRUE(window.document().finishKeeping(std::chrono::seconds(5)));
    QCoreApplication::processEvents();
    return window.notice().text().toStdString();
}

// A file that is no plan, or no plan this window can show, changes nothing:
// one "Open Error" box says why.
TEST_F(PlansTest, BadPlansChangeNothing)
{
    QTemporaryDir folder;
    ASSERT_EQ(play("pick Combo2 Raid\ntype Text10 1\npick Combo33 Landrover\nsave " +
                   folder.filePath("good.quarvel").toStdString()),
              "");
    const QByteArray good = contents(folder.filePath("good.quarvel"));
    auto edited = [&good](const char *from, const char *to) { return QByteArray(good).replace(from, to); };
    const struct {
        const char *name;
        QByteArray bytes;
        const char *why;
    } cases[] = {
        {"words.quarvel", "Hill 112, at dawn", "is not a Quarvel plan"},
        {"newer.quarvel", edited("\"version\": 2", "\"version\": 3"), "was saved by a newer Quarvel (plan version 3)"},
        {"cut.quarvel", good.left(good.size() / 2), "is cut short"},
        {"tick.quarvel", edited("\"Check1\": false", "\"Check1\": \"no\""), "gives the check box Check1 no tick"},
        {"number.quarvel", edited("\"Label108\": \"1250\"", "\"Label108\": 1250"), "gives Label108 no text"},
        {"stranger.quarvel", edited("\"Label1\":", "\"Label999\": \"\", \"Label1\":"),
         "names a control the window does not have (\"Label999\")"},
        {"missing.quarvel", edited("\"Label1\": \"1\",", ""), "leaves out the control Label1"},
        {"long.quarvel", edited("\"Text35\": \"\"", ("\"Text35\": \"" + std::string(40000, 'x') + "\"").c_str()),
         "gives Text35 a text longer than the window can hold"},
        {"junk.quarvel", {}, "is too large to be a plan"},
    };
    ASSERT_EQ(play("type Text35 Kursk"), "");
    const FormState before = state();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = folder.filePath(QString::fromLatin1(c.name));
        if (c.why == std::string("is too large to be a plan"))
            ASSERT_TRUE(put(path, {}) && QFile::resize(path, 100 << 20)); // 100 MB, never read
        else
            ASSERT_TRUE(put(path, c.bytes));
        ASSERT_EQ(play("open " + path.toStdString()), "");
        const QString prompt =
            QStringLiteral("The plan %1 could not be opened: it %2.").arg(path, QLatin1String(c.why));
        EXPECT_EQ(play("alert \"Open Error\" \"" + QString(prompt).replace(u'"', QLatin1String("\\\"")).toStdString() +
                       "\"\nno-alert"),
                  "");
        EXPECT_TRUE(state() == before);
        EXPECT_EQ(window().cells().text(Id::Form1), "good.quarvel* — Quarvel");
    }
}

// A write that fails leaves what was there and says so: a plan in a "Save
// Error" box, a page exported in an "Export Error" box, the window's unsaved
// work in the line under the menu bar for
// as long as it cannot be kept.
TEST_F(PlansTest, WritesThatFailLeaveWhatWasThereAndSaySo)
{
    QTemporaryDir folder;
    player.setFolder(folder.path());
    ASSERT_EQ(play("save plan.quarvel\nset Text35 " + std::string(20000, 'x')), "");
    const QByteArray earlier = contents(folder.filePath("plan.quarvel"));
    ASSERT_TRUE(put(folder.filePath("page.pdf"), "an earlier page"));
    rlimit was{};
    getrlimit(RLIMIT_FSIZE, &was);
    rlimit small = was;
    small.rlim_cur = 8192;
    const auto xfsz = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const std::string played = play("type Text36 x\nsave plan.quarvel\nexport page.pdf");
    const std::string failing = noticeOnceKept(window());
    setrlimit(RLIMIT_FSIZE, &was);
    std::signal(SIGXFSZ, xfsz);
    ASSERT_EQ(played, "");
    const std::string path = folder.filePath("plan.quarvel").toStdString();
    EXPECT_EQ(play("alert \"Save Error\" \"The plan could not be saved as " + path + ": File too large.\""), "");
    EXPECT_EQ(play("alert \"Export Error\" \"The page could not be exported to " +
                   folder.filePath("page.pdf").toStdString() + ": File too large.\""),
              "");
    EXPECT_EQ(contents(QString::fromStdString(path)), earlier);
    EXPECT_EQ(contents(folder.filePath("page.pdf")), "an earlier page");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    EXPECT_EQ(failing, "Unsaved work cannot be kept: File too large (in " + stateFolder().toStdString() + ")");
    ASSERT_EQ(play("type Text36 y"), "");
    EXPECT_EQ(noticeOnceKept(window()), "");
}

// Only plain files are opened or replaced: a pipe, a socket, a device (made
// only where the test may, and with the numbers of the null device), a link
// to one, or a folder is refused, and stays as it was. A link to a plan is
// followed, and the plan replaced.
TEST_F(PlansTest, OnlyPlainFilesAreOpenedOrReplaced)
{
    QTemporaryDir folder;
    player.setFolder(folder.path());
    auto at = [&folder](const char *name) { return QFile::encodeName(folder.filePath(QString::fromLatin1(name))); };
    const std::function<bool(const char *)> socketAt = [](const char *path) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path, sizeof address.sun_path - 1);
        const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
        const bool bound = ::bind(s, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
        ::close(s);
        return bound;
    };
    const struct {
        const char *name, *kind;
        std::function<bool(const char *)> make;
    } nodes[] = {
        {"pipe.quarvel", "a named pipe", [](const char *path) { return ::mkfifo(path, 0600) == 0; }},
        {"socket.quarvel", "a socket", socketAt},
        {"device.quarvel", "a device",
         [](const char *path) { return ::mknod(path, S_IFCHR | 0600, makedev(1, 3)) == 0; }},
        {"to-device.quarvel", "a device", [](const char *path) { return ::symlink("device.quarvel", path) == 0; }},
        {"folder.quarvel", "a folder", [](const char *path) { return ::mkdir(path, 0700) == 0; }},
    };
    for (const auto &node : nodes) {
        SCOPED_TRACE(node.name);
        struct stat before {
        }, after{};
        if (!node.make(at(node.name)) || ::stat(at(node.name), &before) != 0) {
            std::printf("%s could not be made here; not tried\n", node.name);
            continue;
        }
        const QString path = folder.filePath(QString::fromLatin1(node.name));
        const std::string kind =
            node.kind == std::string("a folder") ? "a folder" : std::string(node.kind) + ", not a plain file";
        window().document().open(path); // a file dialog takes no folder for a file: asked directly
        window().document().save(path);
        EXPECT_EQ(play("alert \"Open Error\" \"The plan " + path.toStdString() + " could not be opened: it is " + kind +
                       ".\"\nalert \"Save Error\" \"The plan could not be saved as " + path.toStdString() + ": it is " +
                       std::string(node.kind) + ", not a plain file.\"\nno-alert"),
                  "");
        ASSERT_EQ(::stat(at(node.name), &after), 0);
        EXPECT_EQ(after.st_mode & S_IFMT, before.st_mode & S_IFMT);
    }
    ASSERT_EQ(play("open pipe.quarvel\nalert \"Open Error\""), "") << "through the file dialog too";

    ASSERT_EQ(play("save plan.quarvel"), "");
    ASSERT_EQ(::symlink("plan.quarvel", at("link.quarvel")), 0);
    ASSERT_EQ(play("type Text35 Kursk\nsave link.quarvel\nexpect Form1 \"link.quarvel — Quarvel\""), "");
    EXPECT_TRUE(contents(folder.filePath("plan.quarvel")).contains("Kursk"));
    EXPECT_TRUE(QFileInfo(folder.filePath("link.quarvel")).isSymLink());
}

// The plan in the window is one thing: Undo and Redo of New and Open bring
// back its file name and its saved mark with its content, and Save writes
// the file the title names, and only that. Save As names a plan NAME.quarvel;
// copies that a save cut short left beside a plan go at its next save.
TEST_F(PlansTest, UndoAndRedoCarryThePlansName)
{
    QTemporaryDir folder;
    player.setFolder(folder.path());
    ASSERT_EQ(play("expect Form1 Quarvel\nunmodified\ntype Text35 Brigade\nexpect Form1 \"Untitled* — Quarvel\"\n"
                   "save brigade\nexpect Form1 \"brigade.quarvel — Quarvel\"\nunmodified\n"
                   "new\nexpect Form1 Quarvel\nundo\nexpect Form1 \"brigade.quarvel — Quarvel\"\nredo\n"
                   "type Text35 Draft notes\nopen brigade.quarvel\nundo\nexpect Text35 Draft notes\n"
                   "expect Form1 \"Untitled* — Quarvel\"\nsave\n"
                   "redo\nexpect Form1 \"brigade.quarvel — Quarvel\"\ntype Text36 Kursk\n"
                   "expect Form1 \"brigade.quarvel* — Quarvel\"\nundo\nunmodified"),
              "");
    EXPECT_EQ(player.dialogsCancelled(), 1); // Save of the untitled draft asked for a name
    EXPECT_TRUE(contents(folder.filePath("brigade.quarvel")).contains("\"Text35\": \"Brigade\""));

    const QString copy = folder.filePath(".brigade.quarvel.saving-AbC123");
    ASSERT_TRUE(put(copy, "{\n    \"format\": \"Quarv"));
    ASSERT_EQ(play("save\ntype Text36 x\nsave mission.v2\nexpect Form1 \"mission.v2.quarvel — Quarvel\"\n"
                   "type Text36 y\nsave\ntype Text36 z\nundo\nunmodified\nexpect Text36 xy"),
              "");
    EXPECT_FALSE(QFileInfo::exists(copy));
    EXPECT_TRUE(QFileInfo::exists(folder.filePath("mission.v2.quarvel")));
}

// Every window keeps its own unsaved work, and what one left is there for
// the next: listed newest first, unreadable work with its reason; Reopen
// Last Session brings back the newest as a step, unsaved. The last keys are
// kept as a window goes; saved work is not kept, a draft that a plan
// replaced is, and work taken into a window is kept there, not twice.
TEST_F(PlansTest, EveryWindowKeepsItsOwnUnsavedWork)
{
    QTemporaryDir folder;
    player.setFolder(folder.path());
    ASSERT_EQ(makeFolder(stateFolder()), "");
    QFile damaged(stateFolder() + QStringLiteral("/damaged-1.quarvel"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly) && damaged.write("{\"format\": \"Quarvel plan\"") > 0 &&
                damaged.flush());
    damaged.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime); // the oldest
    damaged.close();
    QTest::keyClicks(window().widget(Id::Text35), "W1 important"); // keys the window has not made a step of yet
    player.newWindow(true); // the window ends; the next starts in the same folders
    ASSERT_EQ(play("type Text36 Hill 112\nsave saved.quarvel"), "");
    player.newWindow(true);
    ASSERT_EQ(play("type Text35 x\nopen saved.quarvel"), ""); // the draft is kept apart from the plan
    player.newWindow(true);

    EXPECT_EQ(window().notice().text(), "Unsaved work from an earlier session is kept: 3 plans.");
    std::vector<KeptState> kept = window().document().keptStates();
    ASSERT_EQ(kept.size(), 3u);
    ASSERT_TRUE(kept[0].state && kept[1].state);
    EXPECT_EQ(kept[0].state->texts[index(Id::Text35)], "x");
    EXPECT_EQ(kept[1].state->texts[index(Id::Text35)], "W1 important");
    EXPECT_EQ(kept[2].why, "is cut short");
    EXPECT_EQ(window().document().recentPlans(), QStringList{folder.filePath("saved.quarvel")});

    ASSERT_EQ(play("menu File › Reopen Last Session\nexpect Text35 x\nexpect Form1 \"Untitled* — Quarvel\"\nmodified"),
              "");
    EXPECT_EQ(noticeOnceKept(window()), "Unsaved work from an earlier session is kept: 2 plans.");
    kept = window().document().keptStates();
    ASSERT_EQ(kept.size(), 2u);
    window().document().discard(kept[1]);
    EXPECT_EQ(window().document().keptStates().size(), 1u);
    ASSERT_EQ(play("undo\nexpect Form1 Quarvel\nunmodified"), "");
}

// The menus' keys work wherever the focus is, a text box's too: Undo takes
// back the window's step, its row's gate and all, and Print prints (here with
// no printer: it offers to save the page, and the player cancels).
TEST_F(PlansTest, TheMenusKeysWorkWhereverTheFocusIs)
{
    ASSERT_EQ(play("type Text4 7\nalert \"Mission Error\"\npick Combo2 Probe\ntype Text5 2\nenabled Combo3"), "");
    const QKeySequence undo = QKeySequence::keyBindings(QKeySequence::Undo).value(0);
    QTest::keyClick(window().widget(Id::Text5), undo[0].key(), undo[0].keyboardModifiers());
    EXPECT_EQ(play("expect Text5 \"\"\ndisabled Combo3\nexpect Label1 1\ncan-redo\nno-alert"), "");
    const QKeySequence print = QKeySequence::keyBindings(QKeySequence::Print).value(0);
    QTest::keyClick(window().widget(Id::Text4), print[0].key(), print[0].keyboardModifiers());
    EXPECT_EQ(player.dialogsCancelled(), 1);
}

// A plan whose every box holds what is hardest to lay out (a letter under a
// pile of accents, right-to-left marks, control characters) opens whole and
// is painted.
TEST_F(PlansTest, AHostilePlanOpens)
{
    std::string hostile = "a";
    for (int i = 0; i < 30000; ++i)
        hostile += "\u0301";
    for (int i = 0; i < 2766; ++i)
        hostile += i % 2 ? "\u200f" : "\x07";
    FormState plan = state();
    for (const ControlDesign &d : kDesign)
        if (d.kind == Kind::TextBox)
            plan.texts[index(d.id)] = hostile;
    QTemporaryDir folder;
    QString why;
    ASSERT_TRUE(writePlanFile(folder.filePath("hostile.quarvel"), plan, why));
    ASSERT_EQ(play("open " + folder.filePath("hostile.quarvel").toStdString() + "\nno-alert"), "");
    window().repaint();
    EXPECT_EQ(window().cells().text(Id::Text38), hostile);
}

// Quarvel's folders follow the XDG rules: a relative folder is no folder,
// and without $HOME the home folder is the one the user database gives.
TEST(Folders, FollowTheXdgRulesAndNeverTheRoot)
{
    const QByteArray home = qgetenv("HOME"), state = qgetenv("XDG_STATE_HOME");
    qunsetenv("HOME");
    qputenv("XDG_STATE_HOME", "relative/state");
    const QString found = stateFolder();
    qputenv("HOME", home);
    qputenv("XDG_STATE_HOME", state);
    EXPECT_EQ(found, QFile::decodeName(::getpwuid(::getuid())->pw_dir) + QStringLiteral("/.local/state/quarvel"));
}

} // namespace
} // namespace quarvel
