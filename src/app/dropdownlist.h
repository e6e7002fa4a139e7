#pragma once

#include <QComboBox>

class QCompleter;

namespace quarvel {

// Gives the list an edit field into which typing runs nothing, completes
// nothing and adds no entry, whatever key ends it. `standIn` is one completer
// shared by every list and kept by none: a list given a field that has no
// completer yet builds one of its own, only to have it removed at once.
void makeEditable(QComboBox &list, QCompleter &standIn);

// A drop-down list of the window. The box keeps its design size, which cuts
// the longer entries; its drop-down opens as wide as its longest entry needs
// (within the screen), and an entry cut in the box is its tooltip.
class DropDownList : public QComboBox {
    Q_OBJECT

public:
    explicit DropDownList(QWidget *parent = nullptr);

    void showPopup() override;

private:
    void showCutEntry(const QString &text);
};

} // namespace quarvel
