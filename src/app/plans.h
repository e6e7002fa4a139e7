#pragma once

#include "cells/formstate.h"

#include <QObject>
#include <QString>

#include <optional>

class QAction;
class QMenu;

namespace quarvel {

class Window;

// The window's menus and the plan behind it: New, Open, Open Recent, Save,
// Save As, Export as PDF, Reopen Last Session, Print and Quit; Undo and Redo;
// About. The title names the plan, marked while it has unsaved changes.
// After every step the window's state is kept in a recovery file, so that
// Reopen Last Session brings it back after Exit, a crash or a kill.
class Plans : public QObject {
    Q_OBJECT

public:
    explicit Plans(Window &window);

    // Opens the plan as a step of its own; on failure an "Open Error" box
    // says why and the window is as it was.
    bool open(const QString &path);
    // Saves the window into the plan file; on failure a "Save Error" box.
    bool save(const QString &path);

    // The menu items a person chooses.
    QAction *newPlan = nullptr, *openPlan = nullptr, *savePlan = nullptr, *saveAs = nullptr;
    QAction *undo = nullptr, *redo = nullptr;

private:
    void startAfresh();
    void openChosen();
    void saveChosen(bool ask);
    void exportPdf();
    void reopenLastSession();
    void fillRecent();
    void remember(const QString &path);
    void stepped();
    void updateMenus();
    void keepSession();
    void retitle();
    QString chooseFile(bool saving, const QString &filter, const QString &suffix);
    void refuse(const QString &title, const QString &sentence);

    Window &window_;
    QMenu *recent_ = nullptr;
    QAction *reopen_ = nullptr;
    QString path_;    // the plan's file, empty while it has none
    FormState saved_; // the state it was last opened or saved with
    const std::optional<FormState> &lastSession();
    std::optional<FormState> lastSession_;
    bool sessionKept_ = false; // a recovery file was there at start
    bool sessionRead_ = false;
    bool keeping_ = false; // a write of the recovery file is on its way
};

// Where Quarvel keeps its settings and its recovery file: the XDG folders,
// under its own name.
QString configFolder();
QString stateFolder();

} // namespace quarvel
