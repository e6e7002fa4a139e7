#include "app/menus.h"

#include "app/filedialogs.h"
#include "app/formcells.h"
#include "app/helpwindow.h"
#include "app/noticebar.h"
#include "app/plandocument.h"
#include "app/recoverdialog.h"
#include "app/window.h"
#include "app/zoom.h"
#include "commands/files.h"
#include "commands/listing.h"
#include "commands/print.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

namespace quarvel {
namespace {

void press(Window &window, Id button)
{
    // As a click does, without a button's pressed look first.
    if (auto *b = qobject_cast<QPushButton *>(window.widget(button)))
        b->click();
}

} // namespace

QString shownText(const QAction *item)
{
    QString text = item->text();
    text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    if (text.endsWith(u'…'))
        text.chop(1);
    return text;
}

Menus::Menus(Window &window, PlanDocument &document) : window_(window), document_(document)
{
    // Each item takes every key the desktop gives its command: Redo is
    // Ctrl+Shift+Z as well as Ctrl+Y. Where the desktop gives the command
    // none (Save As on some), the item takes the usual one.
    auto keys = [](QAction *item, QKeySequence::StandardKey key, QKeyCombination usual = {}) {
        item->setShortcuts(key);
        if (item->shortcuts().isEmpty() && usual != QKeyCombination())
            item->setShortcut(usual);
        return item;
    };
    bar_ = new QMenuBar(&window);
    QMenu *file = bar_->addMenu(tr("&File"));
    keys(file->addAction(tr("&New"), &document, &PlanDocument::startAfresh), QKeySequence::New);
    keys(file->addAction(tr("&Open…"), this, &Menus::openChosen), QKeySequence::Open);
    recent_ = file->addMenu(tr("Open &Recent"));
    connect(recent_, &QMenu::aboutToShow, this, &Menus::fillRecent);
    keys(file->addAction(tr("&Save"), this, [this] { saveChosen(false); }), QKeySequence::Save);
    keys(file->addAction(tr("Save &As…"), this, [this] { saveChosen(true); }), QKeySequence::SaveAs,
         Qt::CTRL | Qt::SHIFT | Qt::Key_S);
    file->addAction(tr("&Export as PDF…"), this, &Menus::exportPdf);
    file->addAction(tr("Re&cover Unsaved Plans…"), this, &Menus::recoverChosen);
    reopen_ = file->addAction(tr("Reopen &Last Session"), &document, &PlanDocument::reopenLastSession);
    file->addSeparator();
    keys(file->addAction(tr("&Print"), this, [this] { press(window_, Id::Command1); }), QKeySequence::Print);
    file->addSeparator();
    keys(file->addAction(tr("&Quit"), this, [this] { press(window_, Id::Command3); }), QKeySequence::Quit);

    QMenu *edit = bar_->addMenu(tr("&Edit"));
    undo_ = keys(edit->addAction(tr("&Undo"), &document, &PlanDocument::undo), QKeySequence::Undo);
    redo_ = keys(edit->addAction(tr("&Redo"), &document, &PlanDocument::redo), QKeySequence::Redo);
    edit->addSeparator();
    edit->addAction(tr("&Copy Summary"), this, &Menus::copySummary)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));

    // Zoom takes the desktop's keys, and the usual ones where it gives none.
    QMenu *view = bar_->addMenu(tr("&View"));
    auto zoom = [&](const QString &text, QKeySequence::StandardKey key, const QKeySequence &usual, int (*to)(int)) {
        QAction *item = view->addAction(text, this, [this, to] {
            window_.zoomTo(to(window_.zoom()));
            enableZooms();
        });
        const QList<QKeySequence> keys = QKeySequence::keyBindings(key);
        item->setShortcuts(keys.isEmpty() ? QList<QKeySequence>{usual} : keys);
        zooms_.emplace_back(item, to);
    };
    zoom(tr("Zoom &In"), QKeySequence::ZoomIn, Qt::CTRL | Qt::Key_Plus, zoomedIn);
    zoom(tr("Zoom &Out"), QKeySequence::ZoomOut, Qt::CTRL | Qt::Key_Minus, zoomedOut);
    zoom(tr("&Actual Size"), QKeySequence::UnknownKey, Qt::CTRL | Qt::Key_0, [](int) { return kActualSize; });
    enableZooms();

    QMenu *help = bar_->addMenu(tr("&Help"));
    keys(help->addAction(tr("Quarvel &Help"), this, &Menus::showHelp), QKeySequence::HelpContents,
         QKeyCombination(Qt::Key_F1));
    help->addAction(tr("&About Quarvel"), this, [this] {
        QMessageBox::about(&window_, tr("About Quarvel"),
                           tr("Quarvel %1\nPlans the force and the supplies of a military mission.")
                               .arg(QStringLiteral(QUARVEL_VERSION)));
    });

    connect(&document, &PlanDocument::changed, this, &Menus::update);
    connect(&window.notice(), &NoticeBar::recoverChosen, this, &Menus::recoverChosen);
    update();
}

// A zoom item that would leave the zoom as it is stays disabled.
void Menus::enableZooms()
{
    for (const auto &[item, to] : zooms_)
        item->setEnabled(to(window_.zoom()) != window_.zoom());
}

void Menus::update()
{
    undo_->setEnabled(window_.canUndo());
    redo_->setEnabled(window_.canRedo());
    reopen_->setEnabled(document_.canReopen());
}

QAction *Menus::item(const QString &path) const
{
    QList<QAction *> items = bar_->actions();
    QAction *found = nullptr;
    for (const QString &name : path.split(QStringLiteral(" › "))) {
        found = nullptr;
        for (QAction *item : items)
            if (item->isVisible() && !item->isSeparator() && shownText(item) == name.trimmed())
                found = item;
        if (!found)
            return nullptr;
        if (QMenu *menu = found->menu()) {
            emit menu->aboutToShow();
            items = menu->actions();
        }
    }
    return found;
}

void Menus::openChosen()
{
    const QString path = askForFile(&window_, document_, FileChoice::OpenPlan);
    if (!path.isEmpty())
        document_.open(path);
}

void Menus::saveChosen(bool ask)
{
    const QString path =
        ask || document_.file().isEmpty() ? askForFile(&window_, document_, FileChoice::SavePlan) : document_.file();
    if (!path.isEmpty())
        document_.save(path);
}

QString Menus::askForPage() { return askForFile(&window_, document_, FileChoice::SavePage); }

void Menus::exportPdf()
{
    const QString path = askForPage();
    if (!path.isEmpty()) {
        PrintTarget target = window_.printTarget();
        exportPage(target, path);
    }
}
void Menus::recoverChosen()
{
    RecoverDialog dialog(document_, &window_);
    dialog.exec();
}

void Menus::copySummary()
{
    QString text;
    for (const std::string &line : summaryLines(window_.cells()))
        text += QString::fromStdString(line) + u'\n';
    QApplication::clipboard()->setText(text);
}

void Menus::showHelp()
{
    // One help window for each main window, kept for the next F1 with its
    // place in the text.
    if (!help_)
        help_ = new HelpWindow(*bar_, &window_);
    help_->show();
    help_->raise();
    help_->activateWindow();
}

void Menus::fillRecent()
{
    recent_->clear();
    const QStringList plans = document_.recentPlans();
    for (const QString &path : plans)
        recent_->addAction(QDir::toNativeSeparators(path), this, [this, path] { document_.open(path); });
    if (plans.isEmpty())
        recent_->addAction(tr("No recent plans"))->setEnabled(false);
}

} // namespace quarvel
