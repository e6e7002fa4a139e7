#pragma once

#include <QObject>
#include <QString>

class QAction;
class QMenu;

namespace quarvel {

class PlanDocument;
class Window;

// The window's menus, made in one place: File (New, Open, Open Recent,
// Save, Save As, Export as PDF, Recover Unsaved Plans, Reopen Last Session,
// Print, Quit), Edit (Undo, Redo) and Help. The file dialogs they open ask
// in the plan's folder.
class Menus : public QObject {
    Q_OBJECT

public:
    Menus(Window &window, PlanDocument &document);

private:
    void update();
    void openChosen();
    void saveChosen(bool ask);
    void exportPdf();
    void recoverChosen();
    void fillRecent();
    QString askForFile(bool saving, const QString &filter, const QString &suffix);

    Window &window_;
    PlanDocument &document_;
    QMenu *recent_ = nullptr;
    QAction *undo_ = nullptr, *redo_ = nullptr, *reopen_ = nullptr;
};

} // namespace quarvel
