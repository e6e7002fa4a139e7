#include "app/formcells.h"

#include "app/qs.h"
#include "app/window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QWindow>

namespace quarvel {

FormCells::FormCells(Window &window, const std::array<QWidget *, kControlCount> &widgets)
    : window_(window), widgets_(widgets)
{
    for (const ControlDesign &d : kDesign)
        if (!widget(d.id))
            hidden_[index(d.id)] = std::string(d.text);
}

QLineEdit *FormCells::field(Id id) const
{
    QWidget *w = widget(id);
    auto *combo = qobject_cast<QComboBox *>(w);
    return combo ? combo->lineEdit() : qobject_cast<QLineEdit *>(w);
}

std::string FormCells::text(Id id) const
{
    QWidget *w = widget(id);
    if (id == Id::Form1) { // the title as shown: "[*]" marks unsaved changes
        if (const QWindow *shown = window_.windowHandle())
            return shown->title().toStdString();
        return window_.windowTitle()
            .replace(QStringLiteral("[*]"), window_.isWindowModified() ? QStringLiteral("*") : QString())
            .toStdString();
    }
    if (!w)
        return hidden_[index(id)];
    if (auto *label = qobject_cast<QLabel *>(w))
        return label->text().toStdString();
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        return edit->text().toStdString();
    if (auto *combo = qobject_cast<QComboBox *>(w))
        return combo->currentText().toStdString();
    if (auto *button = qobject_cast<QPushButton *>(w))
        return button->text().toStdString();
    if (auto *box = qobject_cast<QCheckBox *>(w))
        return box->isChecked() ? "1" : "0"; // a check box's value
    return std::string();
}

void FormCells::setText(Id id, std::string_view text)
{
    QWidget *w = widget(id);
    if (id == Id::Form1) {
        window_.setWindowTitle(qs(text));
    } else if (!w) {
        hidden_[index(id)] = std::string(text);
    } else if (auto *label = qobject_cast<QLabel *>(w)) {
        label->setText(qs(text));
        emit captionWritten(id);
    } else if (auto *edit = qobject_cast<QLineEdit *>(w)) {
        edit->setText(qs(text)); // its change handler runs here when the text changes
        showStart(edit, edit);
    } else if (auto *combo = qobject_cast<QComboBox *>(w)) {
        if (combo->isEditable()) {
            combo->setEditText(qs(text));
            showStart(combo, combo->lineEdit());
        } else {
            combo->setCurrentIndex(combo->findText(qs(text), Qt::MatchExactly | Qt::MatchCaseSensitive));
        }
    } else if (auto *button = qobject_cast<QPushButton *>(w)) {
        button->setText(qs(text));
    }
}

// A text the program puts in a box or a list shows from its beginning, as a
// pick does, unless the person is typing there: a whole state put in place
// (Open, Undo) shows every one from its beginning.
void FormCells::showStart(QWidget *box, QLineEdit *field) const
{
    if (restoring_ || !(box->hasFocus() || field->hasFocus()))
        field->setCursorPosition(0);
}

bool FormCells::ticked(Id check) const
{
    auto *box = qobject_cast<QCheckBox *>(widget(check));
    return box && box->isChecked();
}

void FormCells::untick(Id check)
{
    if (auto *box = qobject_cast<QCheckBox *>(widget(check)))
        box->setChecked(false);
}

bool FormCells::enabled(Id id) const
{
    QWidget *w = widget(id);
    return !w || w->isEnabled();
}

void FormCells::setEnabled(Id list, bool enabled)
{
    if (QWidget *w = widget(list))
        w->setEnabled(enabled);
}

void FormCells::restore(const FormState &state)
{
    const QScopedValueRollback<bool> quiet(restoring_, true);
    for (const ControlDesign &d : kDesign) {
        const std::size_t i = index(d.id);
        QWidget *w = widget(d.id);
        if (!holdsState(d))
            continue;
        if (auto *box = qobject_cast<QCheckBox *>(w))
            box->setChecked(state.texts[i] == "1");
        else
            setText(d.id, state.texts[i]);
        if (w)
            w->setEnabled(state.enabled[i]);
        tags_[i] = state.tags[i];
    }
}

void FormCells::addEntry(Id list, std::string_view entry)
{
    auto *combo = qobject_cast<QComboBox *>(widget(list));
    if (!combo)
        return;
    const QString shown = combo->currentText();
    const bool first = combo->count() == 0;
    combo->addItem(qs(entry));
    if (first) {
        // Adding to an empty list selects the entry: the list keeps showing
        // its own text instead.
        combo->setCurrentIndex(-1);
        if (combo->isEditable())
            combo->setEditText(shown);
    }
}

void FormCells::alert(std::string_view prompt, std::string_view title) { window_.alert(prompt, title); }

void FormCells::print() { window_.print(); }

void FormCells::exit() { window_.exit(); }

} // namespace quarvel
