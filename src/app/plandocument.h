#pragma once

#include "app/keeper.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace quarvel {

class NoticeBar;
class Window;

// The plan in the window: its content, its file, and whether it holds work
// not yet saved travel together. New, Open and Recover are steps that Undo
// takes back with the file name and the saved mark; Save writes the file
// the title names, and only that. The title names the plan and marks
// unsaved work. Unsaved work is kept on disk after every step, and stays
// there when the window ends holding it, however it ends; the plans opened
// and saved are remembered for Open Recent.
class PlanDocument : public QObject {
    Q_OBJECT

public:
    PlanDocument(Window &window, NoticeBar &notice);
    // Keeps the window's last step before it goes.
    ~PlanDocument() override;

    // The plan's file; empty while it has none.
    const QString &file() const { return file_; }

    void startAfresh();
    // Opens the plan as a step of its own; on failure an "Open Error" box
    // says why and the window is as it was.
    bool open(const QString &path);
    // Saves the window into the plan file; on failure a "Save Error" box.
    bool save(const QString &path);
    void undo();
    void redo();

    // Unsaved work that windows no longer running left, newest first.
    std::vector<KeptState> keptStates() const;
    // Puts kept work in the window as a step of its own, under its plan's
    // file name, unsaved.
    void recover(const KeptState &kept);
    void discard(const KeptState &kept);
    // Recovers the newest kept work.
    void reopenLastSession();
    bool canReopen() const { return canReopen_; }

    // The last plans opened or saved that still exist, newest first.
    QStringList recentPlans() const;
    // Where the file dialogs open: the folder of the last plan.
    QString folder() const;

    // Waits until the window's unsaved work is kept, for at most `wait`.
    bool finishKeeping(std::chrono::milliseconds wait) { return keeper_.finish(wait); }

signals:
    // The title, the saved mark, Undo and Redo, or the kept work changed.
    void changed();

private:
    void foundKept(int found);
    void moveTo(const FormState &state, const QString &file);
    std::string document() const;
    void adopt(const std::string &document);
    void update();
    void remember(const QString &path);
    void refuse(const QString &title, const QString &sentence);

    Window &window_;
    NoticeBar &notice_;
    QString file_;
    int slot_ = 0, slots_ = 0;              // where the window's unsaved work is kept
    QHash<QString, std::uint64_t> savedAt_; // where in the history each plan was opened or saved
    bool modified_ = false;
    bool canReopen_ = false;
    Keeper keeper_;
};

// Where Quarvel keeps its settings and unsaved work: the XDG folders, under
// its own name; empty when the person has no home folder.
QString configFolder();
QString stateFolder();

} // namespace quarvel
