#include "commands/print.h"

#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

#include <unistd.h>

#include <cerrno>
#include <cstring>

// What Print shares with the rest of the window (saving plans, their file
// dialogs): built into both the program and the print module.

namespace quarvel {

NoQtSettings::NoQtSettings()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("/dev/null"));
}

NoQtSettings::~NoQtSettings()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

QString writeWhole(const QString &file, const QByteArray &bytes)
{
    // No fallback to writing over the earlier file where the folder takes no
    // new one: a failure half way would destroy it.
    QSaveFile out(file);
    // Unbuffered: a buffer would meet a full disk only as the file is
    // committed, and QSaveFile does not look at that failure.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return out.errorString();
    auto abandon = [&out](const QString &why) {
        out.cancelWriting(); // the new file goes with `out`
        return why;
    };
    // A full disk lets a write take part of the bytes; the next one says why.
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = out.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return abandon(out.errorString());
        done += written;
    }
    // Some file systems (network disks, quotas) tell of a lack of room only
    // when the data is flushed to them; QSaveFile ignores what flushing says.
    if (::fsync(out.handle()) != 0 && errno != EINVAL)
        return abandon(QString::fromLocal8Bit(std::strerror(errno)));
    if (!out.commit())
        return out.errorString();
    return QString();
}

} // namespace quarvel
