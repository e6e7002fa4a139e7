#include "app/dropdownlist.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QGuiApplication>
#include <QLayout>
#include <QLineEdit>
#include <QScreen>
#include <QStyleOptionComboBox>

#include <algorithm>

namespace quarvel {

void makeEditable(QComboBox &list, QCompleter &standIn)
{
    // setEditable(true) would build the drop-down at once, a window with its
    // view and scroll bars, for every list: the field is handed over ready
    // made instead, and the drop-down waits for its first showing.
    auto *field = new QLineEdit(&list);
    field->setPalette(list.palette()); // as setEditable gives it
    field->setCompleter(&standIn);
    list.setLineEdit(field);
    list.setCompleter(nullptr);
    list.setInsertPolicy(QComboBox::NoInsert);
    QObject::disconnect(field, &QLineEdit::editingFinished, &list, nullptr);
    QObject::disconnect(field, &QLineEdit::returnPressed, &list, nullptr);
}

DropDownList::DropDownList(QWidget *parent) : QComboBox(parent)
{
    // The entry shown changes by a pick, by typing, and by a handler writing
    // the list's text (Clear among them): all of them pass through here.
    connect(this, &QComboBox::currentTextChanged, this, &DropDownList::showCutEntry);
}

void DropDownList::showPopup()
{
    QAbstractItemView *entries = view();
    // An editable list's drop-down scrolls with a scroll bar rather than
    // arrows, as setEditable(true) sets it up.
    if (lineEdit())
        entries->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    int widest = 0;
    for (int row = 0; row < count(); ++row)
        widest =
            std::max(widest, entries->sizeHintForIndex(model()->index(row, modelColumn(), rootModelIndex())).width());
    int wanted = widest + 2 * entries->frameWidth();
    if (count() > maxVisibleItems())
        wanted += style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, entries);

    // The drop-down's own frame and margins lie around the entries.
    QWidget *popup = entries->parentWidget();
    int around = 0;
    if (auto *frame = qobject_cast<QFrame *>(popup))
        around += 2 * frame->frameWidth();
    if (popup->layout()) {
        const QMargins margins = popup->layout()->contentsMargins();
        around += margins.left() + margins.right();
    }
    const QScreen *screen = QGuiApplication::screenAt(mapToGlobal(rect().bottomLeft()));
    const int room = (screen ? screen : this->screen())->availableGeometry().width() - around;
    entries->setMinimumWidth(std::min(wanted, room));
    QComboBox::showPopup();
}

void DropDownList::showCutEntry(const QString &text)
{
    // The width the box gives its text: the edit field, less the few pixels
    // either side that the field or the style keeps free.
    int room = 0;
    if (QLineEdit *field = lineEdit()) {
        room = field->contentsRect().width() - 4;
    } else {
        QStyleOptionComboBox option;
        initStyleOption(&option);
        room = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this).width() - 2;
    }
    const bool cut = fontMetrics().horizontalAdvance(text) > room;
    setToolTip(cut ? text : QString());
}

} // namespace quarvel
