#include "bare.h"

#include "app/window.h"
#include "cells/design.h"
#include "cells/memorycells.h"
#include "commands/routes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quarvel {

std::vector<BareControl> bareControls()
{
    MemoryCells started(route); // the entries as start-up leaves them
    started.load();
    std::vector<BareControl> controls;
    for (const ControlDesign &d : kDesign) {
        if (d.has(Hidden) || d.kind == Kind::Window || d.kind == Kind::Line || d.kind == Kind::Rectangle)
            continue;
        BareControl c;
        c.rect = QRect(pixels(d.left), pixels(d.top), pixels(d.width), pixels(d.height));
        c.text = QString::fromUtf8(d.text.data(), static_cast<qsizetype>(d.text.size()));
        switch (d.kind) {
        case Kind::Label:
            c.kind = BareControl::Label;
            break;
        case Kind::TextBox:
            c.kind = BareControl::Edit;
            break;
        case Kind::List:
            c.kind = d.has(ListOnly) ? BareControl::List : BareControl::EditableList;
            for (const std::string &entry : started.entries(d.id))
                c.entries << QString::fromStdString(entry);
            break;
        case Kind::CheckBox:
            c.kind = BareControl::Check;
            break;
        default:
            c.kind = BareControl::Button;
            break;
        }
        controls.push_back(c);
    }
    return controls;
}

BareWindow::BareWindow(const std::vector<BareControl> &controls)
{
    setWindowTitle(QStringLiteral("Quarvel"));
    setFixedSize(767, 671);
    setFont(windowFont());
    for (const BareControl &c : controls) {
        QWidget *w = nullptr;
        switch (c.kind) {
        case BareControl::Label:
            w = new QLabel(c.text, this);
            break;
        case BareControl::Edit:
            w = new QLineEdit(this);
            break;
        case BareControl::List:
        case BareControl::EditableList: {
            auto *combo = new QComboBox(this);
            combo->setEditable(c.kind == BareControl::EditableList);
            combo->addItems(c.entries);
            w = combo;
            break;
        }
        case BareControl::Check:
            w = new QCheckBox(this);
            break;
        case BareControl::Button:
            w = new QPushButton(c.text, this);
            break;
        }
        w->setGeometry(c.rect);
    }
}

} // namespace quarvel
