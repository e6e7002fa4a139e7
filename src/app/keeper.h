#pragma once

#include "cells/formstate.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <thread>
#include <vector>

namespace quarvel {

// Unsaved work a window kept, found on disk.
struct KeptState {
    QString file;      // where it is kept
    QDateTime changed; // when it was last written
    std::optional<FormState> state;
    QString why;  // why it cannot be read, when it cannot, worded to follow "it"
    QString plan; // the plan file the work belongs to; empty when it had none
};

// The kept work in the folder that no running window owns, newest first.
// Beyond the `most` newest, kept work is removed.
std::vector<KeptState> keptStates(const QString &folder, std::size_t most = 20);

// How much kept work keptStates would list, without reading it.
int countKept(const QString &folder, int most = 20);

// Removes kept work, and the mark of the window that kept it once nothing of
// that window's is left.
void removeKept(const QString &file);

// Keeps a window's unsaved work on disk, whole, so that it outlives the
// window however the window ends (Exit, closed, killed, crashed). Every
// window keeps its own files, marked as its own for as long as it runs; a
// window may hold several plans over its life (New, Open), each kept in a
// slot of its own. The disk is written on a thread of the keeper's own:
// the window hands over what it holds and never waits.
class Keeper {
public:
    explicit Keeper(const QString &folder);
    // Finishes what it was given, for at most a second: a disk that hangs
    // does not hold up the end of the program.
    ~Keeper();
    Keeper(const Keeper &) = delete;
    Keeper &operator=(const Keeper &) = delete;

    struct Work {
        FormState state;
        QString plan;
    };
    // What the slot holds now: work to keep, or nothing (its file goes).
    // Only the last given for a slot is written.
    void keep(int slot, std::optional<Work> work);
    // Kept work that this window has taken in: removed once this window has
    // kept work of its own after it.
    void takeIn(const QString &keptFile);
    // Looks for kept work that no running window owns; `found` hears how much.
    void look();

    // Waits until all it was given is done, for at most `wait`.
    bool finish(std::chrono::milliseconds wait);

    // What the keeper reports, on the thread of `context`: after each
    // writing, why it failed or nothing; after a look, the kept work found.
    void report(QObject *context, std::function<void(const QString &)> kept, std::function<void(int)> found);

    const QString &folder() const;

private:
    void start();

    struct Shared;
    std::shared_ptr<Shared> shared_;
    std::thread thread_;
    std::set<int> everGiven_; // slots given work, whose files may be there
};

} // namespace quarvel
