#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

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

// File names as the system gives them: bytes, which need not be UTF-8. A
// byte that is no part of a UTF-8 character stands as one of U+DC80 to
// U+DCFF and goes back to that byte, so that every file that exists can be
// named, shown and opened.
QString decodeName(const QByteArray &name);
QByteArray encodeName(const QString &name);

// A file name as text that any file format can hold (percent-encoded), and
// back.
QByteArray escapeName(const QString &name);
QString unescapeName(const QByteArray &text);

// Whether something of that name exists (a link, what it leads to).
bool exists(const QString &file);

// The bytes of a plain file, at most `most` + 1 of them, read without ever
// waiting on anything but the disk: a folder, a pipe, a device or a socket
// is refused before it is opened. Or nothing, and in `why` the reason,
// worded to follow "it": "is a named pipe, not a plain file".
std::optional<QByteArray> readWhole(const QString &file, qint64 most, QString &why);

// What writeWhole does with a link in the file's place: follow it to the
// file it names and replace that (a plan), or replace the link itself (a
// file of the program's own).
enum class Links { Follow, Replace };

// Writes the bytes as a new file beside `file` and puts it in the place of
// any earlier one only once every byte has reached the disk. Only a plain
// file is ever replaced. Copies left beside it by a write that was cut short
// (the program killed) go first. Returns why it could not, worded to stand
// alone ("No space left on device"), or nothing; on failure an earlier file
// stays as it was.
QString writeWhole(const QString &file, const QByteArray &bytes, Links links = Links::Follow);

// Makes the folder and those above it, as only the person may use them.
// Returns why it could not, or nothing.
QString makeFolder(const QString &folder);

// Removes the file and any copies that a write cut short left beside it.
void removeWhole(const QString &file);

// The person's home folder: $HOME, else the one the system's user database
// gives; empty when there is none (never the root).
QString homeFolder();

// One of the person's own folders, as the XDG base directories name them:
// $VARIABLE when it names a folder from the root, else the folder under the
// home folder; empty when there is no home folder (never the root).
QString userFolder(const char *variable, const char *underHome);

} // namespace quarvel
