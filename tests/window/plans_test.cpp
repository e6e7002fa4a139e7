#include "app/planfile.h"
#include "app/plans.h"
#include "playing.h"

#include <QAction>
#include <QFile>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

namespace quarvel {
namespace {

using PlansTest = WindowTest;

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
        {"newer.quarvel", edited("\"version\": 1", "\"version\": 2"), "was saved by a newer Quarvel (plan version 2)"},
        {"cut.quarvel", good.left(good.size() / 2), "is cut short"},
        {"tick.quarvel", edited("\"Check1\": false", "\"Check1\": \"no\""), "gives the check box Check1 no tick"},
        {"number.quarvel", edited("\"Label108\": \"1250\"", "\"Label108\": 1250"), "gives Label108 no text"},
        {"stranger.quarvel", edited("\"Label1\":", "\"Label999\": \"\", \"Label1\":"),
         "names a control the window does not have (\"Label999\")"},
        {"missing.quarvel", edited("\"Label1\": \"1\",", ""), "leaves out the control Label1"},
        {"long.quarvel", edited("\"Text35\": \"\"", ("\"Text35\": \"" + std::string(40000, 'x') + "\"").c_str()),
         "gives Text35 a text longer than the window can hold"},
        {"junk.quarvel", {}, "is too large to be a plan"},
        {"folder.quarvel", {}, "is a folder"},
    };
    ASSERT_EQ(play("type Text35 Kursk"), "");
    const FormState before = window().state();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = folder.filePath(QString::fromLatin1(c.name));
        if (c.why == std::string("is a folder"))
            QDir().mkpath(path);
        else if (c.why == std::string("is too large to be a plan"))
            ASSERT_TRUE(put(path, {}) && QFile::resize(path, 100 << 20)); // 100 MB, never read
        else
            ASSERT_TRUE(put(path, c.bytes));
        if (c.why == std::string("is a folder")) // no file dialog takes a folder for a file
            window().plans().open(path);
        else
            ASSERT_EQ(play("open " + path.toStdString()), "");
        const QString prompt =
            QStringLiteral("The plan %1 could not be opened: it %2.").arg(path, QLatin1String(c.why));
        EXPECT_EQ(play("alert \"Open Error\" \"" + QString(prompt).replace(u'"', QLatin1String("\\\"")).toStdString() +
                       "\"\nno-alert"),
                  "");
        EXPECT_TRUE(window().state() == before);
        EXPECT_EQ(window().text(Id::Form1), "good.quarvel* — Quarvel");
    }
}

// A plan saved where the file cannot be written whole leaves the earlier
// one as it was, and says why.
TEST_F(PlansTest, ASaveThatCannotBeWrittenWholeLeavesTheEarlierFile)
{
    QTemporaryDir folder;
    const std::string path = folder.filePath("plan.quarvel").toStdString();
    ASSERT_EQ(play("save " + path + "\nset Text35 " + std::string(20000, 'x')), "");
    const QByteArray earlier = contents(QString::fromStdString(path));
    rlimit was{};
    getrlimit(RLIMIT_FSIZE, &was);
    rlimit small = was;
    small.rlim_cur = 8192;
    const auto xfsz = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const std::string played = play("save " + path);
    setrlimit(RLIMIT_FSIZE, &was);
    std::signal(SIGXFSZ, xfsz);
    ASSERT_EQ(played, "");
    EXPECT_EQ(play("alert \"Save Error\" \"The plan could not be saved as " + path + ": File too large.\""), "");
    EXPECT_EQ(contents(QString::fromStdString(path)), earlier);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
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

// Open Recent keeps the last plans that still exist; the last session comes
// back from the recovery file, after a kill as after Exit.
TEST_F(PlansTest, RecentPlansAndTheLastSession)
{
    QTemporaryDir folder;
    const QString gone = folder.filePath("gone.quarvel"), kept = folder.filePath("kept.quarvel");
    ASSERT_EQ(play("save " + gone.toStdString() + "\ntype Text36 Hill 112\nsave " + kept.toStdString()), "");
    QFile::remove(gone);
    QMenu *recent = nullptr;
    for (QMenu *menu : window().menuBar()->findChildren<QMenu *>())
        if (menu->title() == QStringLiteral("Open &Recent"))
            recent = menu;
    ASSERT_NE(recent, nullptr);
    emit recent->aboutToShow();
    ASSERT_EQ(recent->actions().size(), 1);
    EXPECT_EQ(recent->actions()[0]->text(), kept);

    const FormState session = window().state();
    player.newWindow(true); // in the folders the last window kept its recovery file in
    EXPECT_EQ(play("expect Text36 \"\""), "");
    QAction *reopen = nullptr;
    for (QAction *item : window().menuBar()->findChildren<QAction *>())
        if (item->text() == QStringLiteral("Reopen &Last Session"))
            reopen = item;
    ASSERT_TRUE(reopen && reopen->isEnabled());
    reopen->trigger();
    EXPECT_TRUE(window().state() == session);
    EXPECT_EQ(play("expect Text36 Hill 112\ncan-undo"), "");
}

} // namespace
} // namespace quarvel
