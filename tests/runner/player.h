#pragma once

#include "scenario.h"

#include "app/formcells.h"
#include "app/window.h"

#include <QObject>
#include <QString>
#include <QTemporaryDir>

#include <deque>
#include <memory>
#include <string>

namespace quarvel::scenario {

// A message box as it was shown.
struct Box {
    std::string title, prompt;
    std::string unlike; // how it is unlike the system's own, as " without the critical-stop icon"
    std::string describe() const { return "message box \"" + title + "\" \"" + prompt + "\"" + unlike; }
};

// Plays steps on a real window, offscreen, as a person would: key and mouse
// events, the list's own drop-down, the menus and their file dialogs. Every
// message box is answered with OK as soon as it shows and queued for
// `alert`; a file dialog is answered when a step chose the file (a file
// dialog's own question whether to replace a file with Yes); any other dialog
// is cancelled. Each window keeps its settings and recovery file in folders
// of its own, so that nothing carries over from one window to the next.
class Player : public QObject {
public:
    Player();
    ~Player() override;

    // A new window, after start-up, exactly as the program starts; in folders
    // of its own unless it keeps those of the last one.
    void newWindow(bool keepFolders = false);
    // The folder relative file names in steps are taken from.
    void setFolder(const QString &folder) { folder_ = folder; }
    Window &window() { return *window_; }

    // Plays one step; the failure as "expected ...; found ...", or nothing.
    Failure play(const Step &step);

    // Answers the next file dialog with the file, a relative name in the
    // folder the dialog shows; a file dialog left unanswered is cancelled.
    void answerFileDialog(const QString &file) { answer_ = file; }
    // The file the last file dialog proposed before it was answered.
    const QString &proposedFile() const { return proposed_; }

    // Message boxes shown and not yet checked by `alert`.
    const std::deque<Box> &unchecked() const { return boxes_; }
    int dialogsCancelled() const { return cancelled_; }

    // Chooses the menu item at the path, as a person would, and answers the
    // file dialog it opens with the file, if one is given.
    Failure choose(const std::string &what, const std::string *file);
    // Checks the oldest message box not yet checked against a title and, if
    // given, a prompt, and takes it off; with neither, that none is left.
    Failure alert(const std::vector<std::string> &titleAndPrompt);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Failure playOn(const Step &step);

    std::unique_ptr<QTemporaryDir> home_; // the window's XDG folders
    std::unique_ptr<Window> window_;
    QString folder_;
    QString answer_; // the file the next file dialog is answered with
    QString proposed_;
    bool refused_ = false;
    std::deque<Box> boxes_;
    int cancelled_ = 0;
};

// A step about to play: its verb and arguments and, when it names a control
// first, that control and its widget (null for a hidden control).
struct Call {
    Player &player;
    Window &window;
    const Verb &verb;
    const std::vector<std::string> &args;
    Id id;
    QWidget *widget;
};

} // namespace quarvel::scenario
