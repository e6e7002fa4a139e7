#include "app/plandocument.h"

#include "app/formcells.h"
#include "app/noticebar.h"
#include "app/planfile.h"
#include "app/window.h"
#include "commands/files.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

namespace quarvel {
namespace {

constexpr int kMostRecent = 8;
constexpr std::uint64_t kNever = ~std::uint64_t(0);

// The plans opened and saved, newest first, and the folder of the last.
struct Recent {
    QStringList plans;
    QString folder;
};

QString recentFile() { return configFolder() + QStringLiteral("/recent-plans.json"); }

Recent readRecent()
{
    QString why;
    const std::optional<QByteArray> bytes =
        configFolder().isEmpty() ? std::nullopt : readWhole(recentFile(), 1 << 20, why);
    const QJsonObject kept = bytes ? QJsonDocument::fromJson(*bytes).object() : QJsonObject();
    Recent recent;
    for (const QJsonValue &plan : kept.value(QStringLiteral("plans")).toArray())
        recent.plans << unescapeName(plan.toString().toLatin1());
    recent.folder = unescapeName(kept.value(QStringLiteral("folder")).toString().toLatin1());
    return recent;
}

QString writeRecent(const Recent &recent)
{
    if (configFolder().isEmpty())
        return QStringLiteral("there is no home folder to keep them in");
    QJsonArray plans;
    for (const QString &plan : recent.plans)
        plans.append(QString::fromLatin1(escapeName(plan)));
    const QJsonObject kept{{QStringLiteral("plans"), plans},
                           {QStringLiteral("folder"), QString::fromLatin1(escapeName(recent.folder))}};
    QString why = makeFolder(configFolder());
    if (why.isEmpty())
        why = writeWhole(recentFile(), QJsonDocument(kept).toJson());
    return why;
}

} // namespace

QString configFolder()
{
    const QString folder = userFolder("XDG_CONFIG_HOME", ".config");
    return folder.isEmpty() ? folder : folder + QStringLiteral("/quarvel");
}

QString stateFolder()
{
    const QString folder = userFolder("XDG_STATE_HOME", ".local/state");
    return folder.isEmpty() ? folder : folder + QStringLiteral("/quarvel");
}

PlanDocument::PlanDocument(Window &window, NoticeBar &notice) : window_(window), notice_(notice), keeper_(stateFolder())
{
    keeper_.report(
        this, [this](const QString &why) { notice_.setFailure(why); }, [this](int found) { foundKept(found); });
    // What earlier windows left is counted once the window is up, and only
    // read when the person asks for it.
    QTimer::singleShot(0, this, [this] { foundKept(countKept(keeper_.folder())); });
    connect(&window, &Window::stepped, this, &PlanDocument::update);
}

PlanDocument::~PlanDocument()
{
    window_.finishStep(); // a step not yet recorded is kept too
}

void PlanDocument::foundKept(int found)
{
    canReopen_ = found > 0;
    notice_.setKept(found);
    emit changed();
}

std::string PlanDocument::document() const { return std::to_string(slot_) + '\n' + encodeName(file_).toStdString(); }

void PlanDocument::adopt(const std::string &document)
{
    const std::size_t end = document.find('\n');
    slot_ = std::stoi(document.substr(0, end));
    file_ = decodeName(QByteArray::fromStdString(document.substr(end + 1)));
}

// After every step: the title, and the unsaved work kept, or its file gone
// once there is none.
void PlanDocument::update()
{
    const FormState &state = window_.state();
    modified_ = file_.isEmpty() ? state != window_.startState() : savedAt_.value(file_, kNever) != window_.position();
    QString name = file_.isEmpty() ? (modified_ ? tr("Untitled") : QString()) : QFileInfo(file_).fileName();
    name.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")); // Qt's mark for unsaved work, in a file's name
    window_.setWindowTitle(name.isEmpty() ? QStringLiteral("Quarvel") : name + QStringLiteral("[*] — Quarvel"));
    window_.setWindowModified(modified_);
    keeper_.keep(slot_, modified_ ? std::optional<Keeper::Work>(Keeper::Work{state, file_}) : std::nullopt);
    emit changed();
}

// New, Open and Recover put a whole other plan in the window, as a step of
// its own; its unsaved work is kept apart from the plan's before it.
void PlanDocument::moveTo(const FormState &state, const QString &file)
{
    window_.finishStep(); // a step not yet recorded belongs to the plan before
    const std::string before = document();
    slot_ = ++slots_;
    file_ = file;
    window_.moveTo(state, History::Moved{before, document()});
}

void PlanDocument::startAfresh()
{
    moveTo(window_.startState(), QString());
    update();
}

bool PlanDocument::open(const QString &path)
{
    QString why;
    const std::optional<FormState> plan = readPlanFile(path, why);
    if (!plan) {
        refuse(tr("Open Error"),
               tr("The plan %1 could not be opened: it %2.").arg(QDir::toNativeSeparators(path), why));
        return false;
    }
    const QString file = QFileInfo(path).absoluteFilePath();
    moveTo(*plan, file);
    savedAt_[file] = window_.position();
    remember(file);
    update();
    return true;
}

bool PlanDocument::save(const QString &path)
{
    QString why;
    window_.finishStep();
    if (!writePlanFile(path, window_.state(), why)) {
        refuse(tr("Save Error"), tr("The plan could not be saved as %1: %2.").arg(QDir::toNativeSeparators(path), why));
        return false;
    }
    file_ = QFileInfo(path).absoluteFilePath();
    savedAt_[file_] = window_.position();
    window_.endStretch(); // typing on starts a step of its own: Undo comes back to what was saved
    remember(file_);
    update();
    return true;
}

void PlanDocument::undo()
{
    if (const std::optional<std::string> moved = window_.undo())
        adopt(*moved);
    update();
}

void PlanDocument::redo()
{
    if (const std::optional<std::string> moved = window_.redo())
        adopt(*moved);
    update();
}

std::vector<KeptState> PlanDocument::keptStates() const { return quarvel::keptStates(keeper_.folder()); }

void PlanDocument::recover(const KeptState &kept)
{
    if (!kept.state)
        return;
    keeper_.takeIn(kept.file);
    moveTo(*kept.state, kept.plan);
    update();
    keeper_.look();
}

void PlanDocument::discard(const KeptState &kept)
{
    removeKept(kept.file);
    keeper_.look();
}

void PlanDocument::reopenLastSession()
{
    const std::vector<KeptState> kept = keptStates();
    for (const KeptState &newest : kept)
        if (newest.state)
            return recover(newest);
    canReopen_ = false;
    notice_.say(kept.empty()
                    ? tr("No unsaved work from an earlier session is left to reopen.")
                    : tr("The unsaved work kept from an earlier session cannot be read: it %1.").arg(kept.front().why));
    emit changed();
}

QStringList PlanDocument::recentPlans() const
{
    QStringList plans;
    for (const QString &plan : readRecent().plans)
        if (plans.size() < kMostRecent && exists(plan))
            plans << plan;
    return plans;
}

QString PlanDocument::folder() const
{
    const QString last = readRecent().folder;
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    const QString home = homeFolder();
    return home.isEmpty() ? QDir::currentPath() : home;
}

void PlanDocument::remember(const QString &path)
{
    Recent recent = readRecent();
    recent.plans.removeAll(path);
    recent.plans.prepend(path);
    recent.plans = recent.plans.mid(0, kMostRecent);
    recent.folder = QFileInfo(path).absolutePath();
    if (const QString why = writeRecent(recent); !why.isEmpty())
        notice_.say(tr("The recent plans cannot be kept: %1").arg(why));
}

void PlanDocument::refuse(const QString &title, const QString &sentence)
{
    window_.cells().alert(sentence.toStdString(), title.toStdString());
}

} // namespace quarvel
