#include "bare.h"

#include "app/dropdownlist.h"
#include "app/window.h"
#include "cells/design.h"
#include "cells/memorycells.h"
#include "commands/routes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

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
    setFont(windowFont());
    // The same menus above the form, with Quit as their only working entry.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    auto *bar = new QMenuBar(this);
    QMenu *file = bar->addMenu(QStringLiteral("&File"));
    for (const char *entry : {"&New", "&Open…", "Save", "Save &As…", "&Export as PDF…", "Reopen &Last Session"})
        file->addAction(QString::fromUtf8(entry));
    file->addMenu(QStringLiteral("Open &Recent"));
    file->addSeparator();
    file->addAction(QStringLiteral("&Print"));
    file->addSeparator();
    file->addAction(QStringLiteral("&Quit"), QKeySequence::Quit, this, &QWidget::close);
    QMenu *edit = bar->addMenu(QStringLiteral("&Edit"));
    edit->addAction(QStringLiteral("&Undo"));
    edit->addAction(QStringLiteral("&Redo"));
    bar->addMenu(QStringLiteral("&Help"))->addAction(QStringLiteral("&About Quarvel"));
    auto *form = new QWidget(this);
    form->setFixedSize(767, 671);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(bar);
    layout->addWidget(form);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto *standIn = new QCompleter(this);
    // As Quarvel makes its text boxes: while the application's font is the
    // form's, so that their first, empty layout loads no second font.
    const QFont applicationFont = QGuiApplication::font();
    QGuiApplication::setFont(windowFont());
    for (const BareControl &c : controls) {
        QWidget *w = nullptr;
        switch (c.kind) {
        case BareControl::Label:
            w = new QLabel(c.text, form);
            break;
        case BareControl::Edit:
            w = new QLineEdit(form);
            break;
        case BareControl::List:
        case BareControl::EditableList: {
            auto *combo = new QComboBox(form);
            if (c.kind == BareControl::EditableList)
                makeEditable(*combo, *standIn);
            combo->addItems(c.entries);
            w = combo;
            break;
        }
        case BareControl::Check:
            w = new QCheckBox(form);
            break;
        case BareControl::Button:
            w = new QPushButton(c.text, form);
            break;
        }
        w->setGeometry(c.rect);
    }
    QGuiApplication::setFont(applicationFont);
}

} // namespace quarvel
