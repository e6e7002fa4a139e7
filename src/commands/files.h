#pragma once

#include <QByteArray>
#include <QString>

namespace quarvel {

// Qt's file dialog keeps its history and sidebar in a settings file of Qt's
// own, QtProject.conf in the person's config folder, and reads what other Qt
// programs left there. While one of these lives, Qt's settings point where no
// file can be made (a path under a device): a dialog reads and writes nothing.
class NoQtSettings {
public:
    NoQtSettings();
    ~NoQtSettings();
    NoQtSettings(const NoQtSettings &) = delete;
    NoQtSettings &operator=(const NoQtSettings &) = delete;
};

// Writes the bytes as a new file beside `file` and puts it in the place of
// any earlier one only once every byte has reached the disk. Returns why it
// could not, or nothing; on failure an earlier file stays as it was.
QString writeWhole(const QString &file, const QByteArray &bytes);

} // namespace quarvel
