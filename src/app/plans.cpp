#include "app/plans.h"

#include "app/planfile.h"
#include "app/window.h"
#include "commands/files.h"
#include "commands/print.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>

namespace quarvel {
namespace {

constexpr int kMostRecent = 8;
const QString kPlanFilter = QStringLiteral("Quarvel plans (*.quarvel)");

QSettings settings() { return QSettings(configFolder() + QStringLiteral("/quarvel.conf"), QSettings::IniFormat); }

QString sessionFile() { return stateFolder() + QStringLiteral("/last-session.quarvel"); }

void press(Window &window, Id button)
{
    // As a click does, without a button's pressed look first.
    if (auto *b = qobject_cast<QPushButton *>(window.widget(button)))
        b->click();
}

} // namespace

QString configFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/quarvel");
}

QString stateFolder()
{
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/quarvel");
}

Plans::Plans(Window &window) : QObject(&window), window_(window)
{
    QMenuBar *bar = window.menuBar();
    QMenu *file = bar->addMenu(tr("&File"));
    newPlan = file->addAction(tr("&New"), QKeySequence::New, this, &Plans::startAfresh);
    openPlan = file->addAction(tr("&Open…"), QKeySequence::Open, this, &Plans::openChosen);
    recent_ = file->addMenu(tr("Open &Recent"));
    connect(recent_, &QMenu::aboutToShow, this, &Plans::fillRecent);
    savePlan = file->addAction(tr("&Save"), QKeySequence::Save, this, [this] { saveChosen(false); });
    saveAs = file->addAction(tr("Save &As…"), QKeySequence::SaveAs, this, [this] { saveChosen(true); });
    file->addAction(tr("&Export as PDF…"), this, &Plans::exportPdf);
    reopen_ = file->addAction(tr("Reopen &Last Session"), this, &Plans::reopenLastSession);
    file->addSeparator();
    file->addAction(tr("&Print"), QKeySequence::Print, this, [this] { press(window_, Id::Command1); });
    file->addSeparator();
    file->addAction(tr("&Quit"), QKeySequence::Quit, this, [this] { press(window_, Id::Command3); });

    QMenu *edit = bar->addMenu(tr("&Edit"));
    undo = edit->addAction(tr("&Undo"), QKeySequence::Undo, &window, &Window::undo);
    redo = edit->addAction(tr("&Redo"), QKeySequence::Redo, &window, &Window::redo);

    QMenu *help = bar->addMenu(tr("&Help"));
    help->addAction(tr("&About Quarvel"), this, [this] {
        QMessageBox::about(&window_, tr("About Quarvel"),
                           tr("Quarvel %1\nPlans the force and the supplies of a military mission.")
                               .arg(QStringLiteral(QUARVEL_VERSION)));
    });

    sessionKept_ = QFileInfo::exists(sessionFile());
    connect(&window, &Window::stepped, this, &Plans::stepped);
    updateMenus();
}

void Plans::updateMenus()
{
    undo->setEnabled(window_.canUndo());
    redo->setEnabled(window_.canRedo());
    reopen_->setEnabled(sessionRead_ ? lastSession_.has_value() : sessionKept_);
    retitle();
}

void Plans::stepped()
{
    updateMenus();
    if (!keeping_) {
        keeping_ = true;
        QTimer::singleShot(0, this, &Plans::keepSession);
    }
}

// Kept after every step, whole or not at all: what the window holds now is
// what Reopen Last Session brings back after Exit, a crash or a kill.
void Plans::keepSession()
{
    keeping_ = false;
    lastSession();
    QString why;
    if (QDir().mkpath(stateFolder()))
        writePlanFile(sessionFile(), window_.state(), why);
}

void Plans::retitle()
{
    const bool changed = window_.state() != (path_.isEmpty() ? window_.startState() : saved_);
    window_.setWindowTitle(path_.isEmpty() ? QStringLiteral("Quarvel")
                                           : QFileInfo(path_).fileName() + QStringLiteral("[*] — Quarvel"));
    window_.setWindowModified(!path_.isEmpty() && changed);
}

void Plans::refuse(const QString &title, const QString &sentence)
{
    window_.alert(sentence.toStdString(), title.toStdString());
}

void Plans::startAfresh()
{
    window_.replace(window_.startState());
    path_.clear();
    retitle();
}

bool Plans::open(const QString &path)
{
    QString why;
    const std::optional<FormState> plan = readPlanFile(path, why);
    if (!plan) {
        refuse(tr("Open Error"),
               tr("The plan %1 could not be opened: it %2.").arg(QDir::toNativeSeparators(path), why));
        return false;
    }
    path_ = QFileInfo(path).absoluteFilePath();
    saved_ = *plan;
    window_.replace(*plan);
    remember(path_);
    retitle();
    return true;
}

bool Plans::save(const QString &path)
{
    QString why;
    const FormState state = window_.state();
    if (!writePlanFile(path, state, why)) {
        refuse(tr("Save Error"), tr("The plan could not be saved as %1: %2.").arg(QDir::toNativeSeparators(path), why));
        return false;
    }
    path_ = QFileInfo(path).absoluteFilePath();
    saved_ = state;
    remember(path_);
    retitle();
    return true;
}

void Plans::openChosen()
{
    const QString path = chooseFile(false, kPlanFilter, QString());
    if (!path.isEmpty())
        open(path);
}

void Plans::saveChosen(bool ask)
{
    const QString path = ask || path_.isEmpty() ? chooseFile(true, kPlanFilter, QStringLiteral("quarvel")) : path_;
    if (!path.isEmpty())
        save(path);
}

void Plans::exportPdf()
{
    const QString path = chooseFile(true, QStringLiteral("PDF files (*.pdf)"), QStringLiteral("pdf"));
    if (!path.isEmpty()) {
        PrintTarget target = window_.printTarget();
        exportPage(target, path);
    }
}

// The last session, as the recovery file kept it before this session wrote
// its own: read when first needed, so that start-up does not wait for it.
const std::optional<FormState> &Plans::lastSession()
{
    if (!sessionRead_) {
        sessionRead_ = true;
        QString why;
        lastSession_ = readPlanFile(sessionFile(), why);
    }
    return lastSession_;
}

void Plans::reopenLastSession()
{
    if (!lastSession())
        return updateMenus();
    window_.replace(*lastSession_);
    path_.clear();
    retitle();
}

void Plans::fillRecent()
{
    recent_->clear();
    QSettings s = settings();
    QStringList kept;
    for (const QString &path : s.value(QStringLiteral("recent")).toStringList())
        if (QFileInfo::exists(path) && kept.size() < kMostRecent)
            kept << path;
    s.setValue(QStringLiteral("recent"), kept);
    for (const QString &path : kept)
        recent_->addAction(QDir::toNativeSeparators(path), this, [this, path] { open(path); });
    if (kept.isEmpty())
        recent_->addAction(tr("No recent plans"))->setEnabled(false);
}

void Plans::remember(const QString &path)
{
    QSettings s = settings();
    QStringList recent = s.value(QStringLiteral("recent")).toStringList();
    recent.removeAll(path);
    recent.prepend(path);
    s.setValue(QStringLiteral("recent"), recent.mid(0, kMostRecent));
    s.setValue(QStringLiteral("folder"), QFileInfo(path).absolutePath());
}

QString Plans::chooseFile(bool saving, const QString &filter, const QString &suffix)
{
    QSettings s = settings();
    QString folder = s.value(QStringLiteral("folder")).toString();
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    const NoQtSettings noQtSettings;
    QFileDialog dialog(&window_, saving ? tr("Save As") : tr("Open"), folder, filter);
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // A name that leads nowhere is refused with the reason, as any plan that
    // cannot be opened is.
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!suffix.isEmpty())
        dialog.setDefaultSuffix(suffix);
    if (saving && !path_.isEmpty())
        dialog.selectFile(QFileInfo(path_).completeBaseName() + QLatin1Char('.') + suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace quarvel
