#include "app/keeper.h"

#include "app/planfile.h"
#include "commands/files.h"

#include <QRandomGenerator>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <map>
#include <mutex>
#include <set>

namespace quarvel {
namespace {

const QByteArray kSuffix = QByteArrayLiteral(".quarvel");
const QByteArray kMarkSuffix = QByteArrayLiteral(".lock");

// Kept work is named WINDOW-SLOT.quarvel, and its window's mark WINDOW.lock:
// a file the window holds locked for as long as it runs. The system lets the
// lock go however the window ends.
QByteArray windowOf(const QByteArray &name)
{
    const qsizetype dash = name.indexOf('-');
    return dash >= 0 ? name.left(dash) : name.chopped(kSuffix.size());
}

// Whether a running window holds the mark.
bool held(const QByteArray &mark)
{
    const int fd = ::open(mark.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool taken = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return taken;
}

std::vector<QByteArray> namesIn(const QByteArray &folder)
{
    std::vector<QByteArray> names;
    const std::unique_ptr<DIR, int (*)(DIR *)> dir(::opendir(folder.constData()), ::closedir);
    while (const dirent *entry = dir ? ::readdir(dir.get()) : nullptr)
        if (entry->d_name[0] != '.')
            names.emplace_back(entry->d_name);
    return names;
}

// The names of the kept work in the folder that no running window owns.
std::vector<QByteArray> unowned(const QByteArray &folder)
{
    std::vector<QByteArray> names = namesIn(folder);
    names.erase(std::remove_if(names.begin(), names.end(),
                               [&folder](const QByteArray &name) {
                                   return !name.endsWith(kSuffix) || held(folder + '/' + windowOf(name) + kMarkSuffix);
                               }),
                names.end());
    return names;
}

} // namespace

std::vector<KeptState> keptStates(const QString &folder, std::size_t most)
{
    const QByteArray path = encodeName(folder);
    std::vector<KeptState> found;
    for (const QByteArray &name : unowned(path)) {
        KeptState kept;
        kept.file = decodeName(path + '/' + name);
        struct stat st {};
        if (::lstat((path + '/' + name).constData(), &st) == 0)
            kept.changed =
                QDateTime::fromMSecsSinceEpoch(qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000);
        kept.state = readPlanFile(kept.file, kept.why, &kept.plan);
        found.push_back(std::move(kept));
    }
    std::sort(found.begin(), found.end(), [](const KeptState &a, const KeptState &b) {
        return a.changed != b.changed ? a.changed > b.changed : a.file < b.file;
    });
    while (found.size() > most) {
        removeKept(found.back().file);
        found.pop_back();
    }
    return found;
}

int countKept(const QString &folder, int most) { return std::min(int(unowned(encodeName(folder)).size()), most); }

void removeKept(const QString &file)
{
    removeWhole(file);
    const QByteArray path = encodeName(file);
    const QByteArray folder = path.left(path.lastIndexOf('/'));
    const QByteArray window = windowOf(path.mid(folder.size() + 1));
    for (const QByteArray &name : namesIn(folder))
        if (name.endsWith(kSuffix) && windowOf(name) == window)
            return;
    const QByteArray mark = folder + '/' + window + kMarkSuffix;
    const int fd = ::open(mark.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
        ::unlink(mark.constData());
    if (fd >= 0)
        ::close(fd);
}

struct Keeper::Shared {
    std::mutex mutex;
    std::condition_variable wake, idle;
    QString folder;

    // Given by the window.
    std::map<int, std::optional<Work>> given;
    QStringList takenIn;
    bool looking = false, stopping = false, busy = false;

    // Where the reports go; cleared as the keeper goes.
    QObject *context = nullptr;
    std::function<void(const QString &)> kept;
    std::function<void(int)> found;

    // The keeper's thread's own.
    QByteArray window;     // this window's name among the kept files
    int mark = -1;         // its mark, held locked
    std::set<int> written; // slots with a file

    QString slotFile(int slot) const
    {
        return folder + QLatin1Char('/') + decodeName(window) + QLatin1Char('-') + QString::number(slot) +
               QLatin1String(kSuffix);
    }

    // Marks the files about to be written as this window's own.
    QString markAsOwn()
    {
        for (int tries = 0; mark < 0 && tries < 100; ++tries) {
            window = QByteArray::number(QRandomGenerator::system()->generate64(), 16);
            const QByteArray file = encodeName(folder) + '/' + window + kMarkSuffix;
            const int fd = ::open(file.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
            if (fd < 0 && errno == EEXIST)
                continue;
            if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
                mark = fd;
                break;
            }
            const QString why = QString::fromLocal8Bit(std::strerror(errno));
            if (fd >= 0) {
                ::unlink(file.constData());
                ::close(fd);
            }
            return why;
        }
        return mark >= 0 ? QString() : QStringLiteral("no name of its own could be found for this window's work");
    }

    QString write(int slot, const Work &work)
    {
        if (folder.isEmpty())
            return QStringLiteral("there is no home folder to keep it in");
        if (const QString why = makeFolder(folder); !why.isEmpty())
            return why;
        QString why = markAsOwn();
        if (why.isEmpty())
            why = writeWhole(slotFile(slot), planText(work.state, work.plan), Links::Replace);
        if (!why.isEmpty())
            return QStringLiteral("%1 (in %2)").arg(why, folder);
        written.insert(slot);
        return why;
    }

    void post(std::function<void()> report)
    {
        if (context)
            QMetaObject::invokeMethod(context, std::move(report), Qt::QueuedConnection);
    }

    static void run(const std::shared_ptr<Shared> &s);
};

void Keeper::Shared::run(const std::shared_ptr<Shared> &s)
{
    std::unique_lock<std::mutex> lock(s->mutex);
    for (;;) {
        s->wake.wait(lock, [&s] { return s->stopping || s->looking || !s->given.empty(); });
        if (!s->looking && s->given.empty())
            break;
        const auto given = std::exchange(s->given, {});
        const bool look = std::exchange(s->looking, false);
        const QStringList takenIn = std::exchange(s->takenIn, {});
        s->busy = true;
        lock.unlock();

        QString failure;
        bool wrote = false;
        for (const auto &[slot, work] : given) {
            if (!work) {
                if (s->written.erase(slot))
                    removeWhole(s->slotFile(slot));
            } else if (const QString why = s->write(slot, *work); !why.isEmpty()) {
                failure = why;
            } else {
                wrote = true;
            }
        }
        // Work taken in from another window is safe in this one's files now.
        for (const QString &file : wrote ? takenIn : QStringList())
            removeKept(file);
        const int found = look ? int(keptStates(s->folder).size()) : 0;

        lock.lock();
        if (!wrote)
            s->takenIn = takenIn + s->takenIn;
        s->busy = false;
        if (!given.empty() && s->kept)
            s->post([kept = s->kept, failure] { kept(failure); });
        if (look && s->found)
            s->post([f = s->found, found] { f(found); });
        s->idle.notify_all();
    }
    // The window has gone: its mark goes with it when it kept nothing.
    if (s->mark >= 0) {
        if (s->written.empty())
            ::unlink((encodeName(s->folder) + '/' + s->window + kMarkSuffix).constData());
        ::close(s->mark);
    }
}

Keeper::Keeper(const QString &folder) : shared_(std::make_shared<Shared>()) { shared_->folder = folder; }

// The thread starts when there is first something to write or to look for:
// a window that is only looked at never has one.
void Keeper::start()
{
    if (!thread_.joinable())
        thread_ = std::thread(&Shared::run, shared_);
}

Keeper::~Keeper()
{
    {
        const std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->context = nullptr;
        shared_->stopping = true;
    }
    shared_->wake.notify_all();
    if (!thread_.joinable())
        return;
    if (finish(std::chrono::seconds(1)))
        thread_.join();
    else
        thread_.detach(); // it ends with the program, or once the disk answers
}

void Keeper::keep(int slot, std::optional<Work> work)
{
    if (!work && !everGiven_.count(slot))
        return; // nothing was kept for it
    everGiven_.insert(slot);
    start();
    {
        const std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->given[slot] = std::move(work);
    }
    shared_->wake.notify_all();
}

void Keeper::takeIn(const QString &keptFile)
{
    const std::lock_guard<std::mutex> lock(shared_->mutex);
    shared_->takenIn << keptFile;
}

void Keeper::look()
{
    start();
    {
        const std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->looking = true;
    }
    shared_->wake.notify_all();
}

bool Keeper::finish(std::chrono::milliseconds wait)
{
    std::unique_lock<std::mutex> lock(shared_->mutex);
    return shared_->idle.wait_for(lock, wait,
                                  [this] { return shared_->given.empty() && !shared_->looking && !shared_->busy; });
}

void Keeper::report(QObject *context, std::function<void(const QString &)> kept, std::function<void(int)> found)
{
    const std::lock_guard<std::mutex> lock(shared_->mutex);
    shared_->context = context;
    shared_->kept = std::move(kept);
    shared_->found = std::move(found);
}

const QString &Keeper::folder() const { return shared_->folder; }

} // namespace quarvel
