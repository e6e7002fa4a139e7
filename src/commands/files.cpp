#include "commands/files.h"

#include <QRandomGenerator>
#include <QSettings>
#include <QStandardPaths>

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <memory>

namespace quarvel {
namespace {

QString lastError() { return QString::fromLocal8Bit(std::strerror(errno)); }

// What a file that is not a plain file is, in a planner's words.
QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("a named pipe");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("a device");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("something other than a file");
}

QString notPlain(mode_t mode) { return kindOf(mode) + QStringLiteral(", not a plain file"); }

// Why a file that is not a plain file is not read, worded to follow "it".
QString notRead(mode_t mode) { return QStringLiteral("is ") + (S_ISDIR(mode) ? kindOf(mode) : notPlain(mode)); }

// The length of the UTF-8 character at the start of `s`, or 0 where none
// stands there.
int characterLength(const unsigned char *s, std::size_t n)
{
    if (s[0] < 0x80)
        return 1;
    int length = 0;
    unsigned code = 0, least = 0;
    if ((s[0] & 0xE0) == 0xC0)
        length = 2, code = s[0] & 0x1F, least = 0x80;
    else if ((s[0] & 0xF0) == 0xE0)
        length = 3, code = s[0] & 0x0F, least = 0x800;
    else if ((s[0] & 0xF8) == 0xF0)
        length = 4, code = s[0] & 0x07, least = 0x10000;
    if (length == 0 || n < std::size_t(length))
        return 0;
    for (int k = 1; k < length; ++k) {
        if ((s[k] & 0xC0) != 0x80)
            return 0;
        code = code << 6 | (s[k] & 0x3F);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < least || code > 0x10FFFF || surrogate ? 0 : length;
}

bool standsForByte(QChar c) { return c.unicode() >= 0xDC80 && c.unicode() <= 0xDCFF; }

// A descriptor that closes itself.
struct Descriptor {
    int fd = -1;
    explicit Descriptor(int d) : fd(d) {}
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
};

// The folder and the name of a path.
std::pair<QByteArray, QByteArray> split(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return {QByteArrayLiteral("."), path};
    return {slash == 0 ? QByteArrayLiteral("/") : path.left(slash), path.mid(slash + 1)};
}

// The file a chain of links ends at (the path itself when it is no link).
QByteArray followLinks(QByteArray path, QString &why)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        QByteArray target(PATH_MAX, Qt::Uninitialized);
        const ssize_t n = ::readlink(path.constData(), target.data(), target.size());
        if (n < 0 || n == target.size()) {
            why = lastError();
            return QByteArray();
        }
        target.truncate(n);
        path = target.startsWith('/') ? target : split(path).first + '/' + target;
    }
    why = QString::fromLocal8Bit(std::strerror(ELOOP));
    return QByteArray();
}

// Copies that a write of `name` cut short left in the folder. A copy being
// written now is locked by its writer and stays.
QByteArray copyPrefix(const QByteArray &name) { return '.' + name + ".saving-"; }
constexpr int kCopyMarks = 6;

void removeCopies(const QByteArray &folder, const QByteArray &name)
{
    const std::unique_ptr<DIR, int (*)(DIR *)> dir(::opendir(folder.constData()), ::closedir);
    if (!dir)
        return;
    const QByteArray prefix = copyPrefix(name);
    while (const dirent *entry = ::readdir(dir.get())) {
        const QByteArray seen(entry->d_name);
        if (!seen.startsWith(prefix) || seen.size() != prefix.size() + kCopyMarks)
            continue;
        const Descriptor copy(
            ::openat(::dirfd(dir.get()), entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat st {};
        if (copy.fd >= 0 && ::fstat(copy.fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
            ::flock(copy.fd, LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(::dirfd(dir.get()), entry->d_name, 0);
    }
}

// A new file for the copy, as the folder's other new files are made (the
// mask applies), locked while it is written.
int newCopy(const QByteArray &folder, const QByteArray &name, QByteArray &copy)
{
    static const char marks[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int tries = 0; tries < 100; ++tries) {
        copy = folder + '/' + copyPrefix(name);
        for (int k = 0; k < kCopyMarks; ++k)
            copy += marks[QRandomGenerator::global()->bounded(int(sizeof marks - 1))];
        const int fd = ::open(copy.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::flock(fd, LOCK_EX | LOCK_NB);
            return fd;
        }
        if (errno != EEXIST)
            return -1;
    }
    return -1;
}

} // namespace

NoQtSettings::NoQtSettings()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("/dev/null"));
}

NoQtSettings::~NoQtSettings()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

QString decodeName(const QByteArray &name)
{
    const QString utf8 = QString::fromUtf8(name);
    if (utf8.toUtf8() == name)
        return utf8;
    QString out;
    const auto *s = reinterpret_cast<const unsigned char *>(name.constData());
    for (std::size_t i = 0, n = std::size_t(name.size()); i < n;) {
        if (const int length = characterLength(s + i, n - i)) {
            out += QString::fromUtf8(name.constData() + i, length);
            i += std::size_t(length);
        } else {
            out += QChar(0xDC00 + s[i++]);
        }
    }
    return out;
}

QByteArray encodeName(const QString &name)
{
    if (std::none_of(name.begin(), name.end(), standsForByte))
        return name.toUtf8();
    QByteArray out;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        const bool pair = c.isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate();
        if (pair)
            out += name.mid(i++, 2).toUtf8();
        else if (standsForByte(c))
            out += char(c.unicode() - 0xDC00);
        else
            out += QString(c).toUtf8();
    }
    return out;
}

QByteArray escapeName(const QString &name) { return encodeName(name).toPercentEncoding("/"); }

QString unescapeName(const QByteArray &text) { return decodeName(QByteArray::fromPercentEncoding(text)); }

bool exists(const QString &file)
{
    struct stat st {};
    return ::stat(encodeName(file).constData(), &st) == 0;
}

std::optional<QByteArray> readWhole(const QString &file, qint64 most, QString &why)
{
    const QByteArray name = encodeName(file);
    struct stat st {};
    // Looked at before it is opened: opening a pipe or a device can wait, or
    // do something of its own.
    if (::stat(name.constData(), &st) == 0 && !S_ISREG(st.st_mode)) {
        why = notRead(st.st_mode);
        return std::nullopt;
    }
    const Descriptor in(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (in.fd < 0 || ::fstat(in.fd, &st) != 0) {
        why = QStringLiteral("could not be read (%1)").arg(lastError());
        return std::nullopt;
    }
    if (!S_ISREG(st.st_mode)) { // put in its place since
        why = notRead(st.st_mode);
        return std::nullopt;
    }
    // Read straight into room for its size, and no further than asked: the
    // file may grow while it is read.
    QByteArray bytes(qsizetype(std::min<qint64>(std::max<qint64>(st.st_size, 1 << 16), most + 1)), Qt::Uninitialized);
    qsizetype got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got > most)
                break;
            bytes.resize(qsizetype(std::min<qint64>(2 * qint64(got), most + 1)));
        }
        const ssize_t n = ::read(in.fd, bytes.data() + got, std::size_t(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            why = QStringLiteral("could not be read (%1)").arg(lastError());
            return std::nullopt;
        }
        if (n == 0)
            break;
        got += n;
    }
    bytes.truncate(got);
    return bytes;
}

QString writeWhole(const QString &file, const QByteArray &bytes, Links links)
{
    QString why;
    const QByteArray target = links == Links::Follow ? followLinks(encodeName(file), why) : encodeName(file);
    if (target.isEmpty())
        return why;
    struct stat st {};
    const bool exists = ::lstat(target.constData(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode) && !(links == Links::Replace && S_ISLNK(st.st_mode)))
        return QStringLiteral("it is ") + notPlain(st.st_mode);
    if (exists && S_ISREG(st.st_mode) && ::access(target.constData(), W_OK) != 0)
        return lastError(); // a file kept from changes is not replaced either
    const auto [folder, name] = split(target);
    removeCopies(folder, name);
    QByteArray copy;
    const Descriptor out(newCopy(folder, name, copy));
    if (out.fd < 0)
        return lastError();
    auto abandon = [&copy] {
        const QString error = lastError();
        ::unlink(copy.constData());
        return error;
    };
    if (exists && S_ISREG(st.st_mode) && ::fchmod(out.fd, st.st_mode & 07777) != 0)
        return abandon();
    // A full disk lets a write take part of the bytes; the next one says why.
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(out.fd, bytes.constData() + done, std::size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return abandon();
        done += n;
    }
    // Some file systems (network disks, quotas) tell of a lack of room only
    // when the data is flushed to them.
    if (::fsync(out.fd) != 0 && errno != EINVAL)
        return abandon();
    if (::rename(copy.constData(), target.constData()) != 0)
        return abandon();
    return QString();
}

QString makeFolder(const QString &folder)
{
    const QByteArray path = encodeName(folder);
    for (qsizetype slash = path.indexOf('/', 1);; slash = path.indexOf('/', slash + 1)) {
        const QByteArray upTo = slash < 0 ? path : path.left(slash);
        if (::mkdir(upTo.constData(), 0700) != 0 && errno != EEXIST)
            return QStringLiteral("%1 cannot be made (%2)").arg(decodeName(upTo), lastError());
        if (slash < 0)
            break;
    }
    struct stat st {};
    if (::stat(path.constData(), &st) != 0)
        return QStringLiteral("%1 cannot be made (%2)").arg(folder, lastError());
    if (!S_ISDIR(st.st_mode))
        return QStringLiteral("%1 is %2, not a folder").arg(folder, kindOf(st.st_mode));
    return QString();
}

void removeWhole(const QString &file)
{
    const QByteArray path = encodeName(file);
    ::unlink(path.constData());
    const auto [folder, name] = split(path);
    removeCopies(folder, name);
}

QString homeFolder()
{
    QByteArray home = qgetenv("HOME");
    if (!home.startsWith('/') || home == "/") {
        const passwd *entry = ::getpwuid(::getuid());
        home = entry && entry->pw_dir ? QByteArray(entry->pw_dir) : QByteArray();
    }
    return home.startsWith('/') && home != "/" ? decodeName(home) : QString();
}

QString userFolder(const char *variable, const char *underHome)
{
    const QByteArray set = qgetenv(variable);
    if (set.startsWith('/'))
        return decodeName(set);
    const QString home = homeFolder();
    return home.isEmpty() ? home : home + QLatin1Char('/') + QLatin1String(underHome);
}

} // namespace quarvel
