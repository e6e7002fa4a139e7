#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <utility>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace quarvel {

class PlanDocument;
class Window;

// The window's menus, made in one place: File (New, Open, Open Recent,
// Save, Save As, Export as PDF, Recover Unsaved Plans, Reopen Last Session,
// Print, Quit), Edit (Undo, Redo), View (Zoom In, Zoom Out, Actual Size) and
// Help. The file dialogs they open ask
// in the plan's folder.
class Menus : public QObject {
    Q_OBJECT

public:
    Menus(Window &window, PlanDocument &document);

    QMenuBar *bar() const { return bar_; }
    // The item at a path of names as they read ("File › Save As"), or null.
    // Each menu on the way is about to show, as it is when a person opens it.
    QAction *item(const QString &path) const;

    // The file to save the page as, asked for in the Save as PDF dialog;
    // empty when the person cancelled.
    QString askForPage();

private:
    void update();
    void enableZooms();
    void openChosen();
    void saveChosen(bool ask);
    void exportPdf();
    void recoverChosen();
    void fillRecent();
    void copySummary();
    void showHelp();

    Window &window_;
    PlanDocument &document_;
    QMenuBar *bar_ = nullptr;
    std::vector<std::pair<QAction *, int (*)(int)>> zooms_;
    QMenu *recent_ = nullptr;
    QAction *undo_ = nullptr, *redo_ = nullptr, *reopen_ = nullptr;
    QPointer<QWidget> help_;
};

// An item's text as it reads: no "&" before a shortcut letter, no "…".
QString shownText(const QAction *item);

} // namespace quarvel
