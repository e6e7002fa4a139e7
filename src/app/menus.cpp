#include "app/menus.h"

#include "app/noticebar.h"
#include "app/plandocument.h"
#include "app/recoverdialog.h"
#include "app/window.h"
#include "commands/files.h"
#include "commands/print.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>

namespace quarvel {
namespace {

const QString kPlanFilter = QStringLiteral("Quarvel plans (*.quarvel)");

void press(Window &window, Id button)
{
    // As a click does, without a button's pressed look first.
    if (auto *b = qobject_cast<QPushButton *>(window.widget(button)))
        b->click();
}

// A file dialog that names every file it saves NAME.SUFFIX, however the
// person typed the name ("mission.v2" becomes "mission.v2.quarvel"), and
// asks before replacing that file, as it asks for the name typed.
class FileDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override
    {
        const QString typed = selectedFiles().value(0);
        const QString suffix = QLatin1Char('.') + defaultSuffix();
        if (acceptMode() == AcceptSave && !typed.isEmpty() && !typed.endsWith(suffix, Qt::CaseInsensitive) &&
            !QFileInfo(typed).isDir())
            selectFile(typed + suffix);
        QFileDialog::accept();
    }
};

} // namespace

Menus::Menus(Window &window, PlanDocument &document) : window_(window), document_(document)
{
    // Each item takes every key the desktop gives its command: Redo is
    // Ctrl+Shift+Z as well as Ctrl+Y.
    auto keys = [](QAction *item, QKeySequence::StandardKey key) {
        item->setShortcuts(key);
        return item;
    };
    QMenuBar *bar = window.menuBar();
    QMenu *file = bar->addMenu(tr("&File"));
    keys(file->addAction(tr("&New"), &document, &PlanDocument::startAfresh), QKeySequence::New);
    keys(file->addAction(tr("&Open…"), this, &Menus::openChosen), QKeySequence::Open);
    recent_ = file->addMenu(tr("Open &Recent"));
    connect(recent_, &QMenu::aboutToShow, this, &Menus::fillRecent);
    keys(file->addAction(tr("&Save"), this, [this] { saveChosen(false); }), QKeySequence::Save);
    keys(file->addAction(tr("Save &As…"), this, [this] { saveChosen(true); }), QKeySequence::SaveAs);
    file->addAction(tr("&Export as PDF…"), this, &Menus::exportPdf);
    file->addAction(tr("Re&cover Unsaved Plans…"), this, &Menus::recoverChosen);
    reopen_ = file->addAction(tr("Reopen &Last Session"), &document, &PlanDocument::reopenLastSession);
    file->addSeparator();
    keys(file->addAction(tr("&Print"), this, [this] { press(window_, Id::Command1); }), QKeySequence::Print);
    file->addSeparator();
    keys(file->addAction(tr("&Quit"), this, [this] { press(window_, Id::Command3); }), QKeySequence::Quit);

    QMenu *edit = bar->addMenu(tr("&Edit"));
    undo_ = keys(edit->addAction(tr("&Undo"), &document, &PlanDocument::undo), QKeySequence::Undo);
    redo_ = keys(edit->addAction(tr("&Redo"), &document, &PlanDocument::redo), QKeySequence::Redo);

    QMenu *help = bar->addMenu(tr("&Help"));
    help->addAction(tr("&About Quarvel"), this, [this] {
        QMessageBox::about(&window_, tr("About Quarvel"),
                           tr("Quarvel %1\nPlans the force and the supplies of a military mission.")
                               .arg(QStringLiteral(QUARVEL_VERSION)));
    });

    connect(&document, &PlanDocument::changed, this, &Menus::update);
    connect(&window.notice(), &NoticeBar::recoverChosen, this, &Menus::recoverChosen);
    update();
}

void Menus::update()
{
    undo_->setEnabled(window_.canUndo());
    redo_->setEnabled(window_.canRedo());
    reopen_->setEnabled(document_.canReopen());
}

void Menus::openChosen()
{
    const QString path = askForFile(false, kPlanFilter, QString());
    if (!path.isEmpty())
        document_.open(path);
}

void Menus::saveChosen(bool ask)
{
    const QString path =
        ask || document_.file().isEmpty() ? askForFile(true, kPlanFilter, QStringLiteral("quarvel")) : document_.file();
    if (!path.isEmpty())
        document_.save(path);
}

void Menus::exportPdf()
{
    const QString path = askForFile(true, QStringLiteral("PDF files (*.pdf)"), QStringLiteral("pdf"));
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

void Menus::fillRecent()
{
    recent_->clear();
    const QStringList plans = document_.recentPlans();
    for (const QString &path : plans)
        recent_->addAction(QDir::toNativeSeparators(path), this, [this, path] { document_.open(path); });
    if (plans.isEmpty())
        recent_->addAction(tr("No recent plans"))->setEnabled(false);
}

QString Menus::askForFile(bool saving, const QString &filter, const QString &suffix)
{
    const NoQtSettings noQtSettings;
    FileDialog dialog(&window_, saving ? tr("Save As") : tr("Open"), document_.folder(), filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // A name that leads nowhere is refused with the reason, as any plan that
    // cannot be opened is.
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!suffix.isEmpty())
        dialog.setDefaultSuffix(suffix);
    if (saving && !document_.file().isEmpty())
        dialog.selectFile(QFileInfo(document_.file()).completeBaseName() + QLatin1Char('.') + suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace quarvel
