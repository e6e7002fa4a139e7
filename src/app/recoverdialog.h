#pragma once

#include "app/keeper.h"

#include <QDialog>

#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace quarvel {

class PlanDocument;

// File › Recover Unsaved Plans: the unsaved work that windows no longer
// running left, newest first, each with its plan's name (or "Untitled"),
// its attack and when it was last changed; work that cannot be read, with
// the reason. The person recovers one into the window, or discards it.
class RecoverDialog : public QDialog {
    Q_OBJECT

public:
    RecoverDialog(PlanDocument &document, QWidget *parent);

private:
    void fill();
    const KeptState *chosen() const;
    void recover();
    void discard();

    PlanDocument &document_;
    QTreeWidget *list_ = nullptr;
    QLabel *none_ = nullptr;
    QPushButton *recover_ = nullptr, *discard_ = nullptr;
    std::vector<KeptState> kept_;
};

} // namespace quarvel
