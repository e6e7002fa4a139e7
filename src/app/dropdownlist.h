#pragma once

#include <QComboBox>

namespace quarvel {

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
