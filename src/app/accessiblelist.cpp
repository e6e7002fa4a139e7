#include "app/accessiblelist.h"

#include "app/window.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QKeySequence>
#include <QLineEdit>

namespace quarvel {
namespace {

// What Qt's own interface for a combo box offers (its drop-down and its edit
// field as children, the entry as value, opening the drop-down as action),
// with the name taken from the list rather than from its entry. A list with
// no name set is announced by its entry, as Qt does.
class AccessibleList : public QAccessibleWidget {
public:
    explicit AccessibleList(QComboBox *list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value || (t == QAccessible::Name && list()->accessibleName().isEmpty()))
            return list()->currentText();
        if (t == QAccessible::Accelerator)
            return QKeySequence(Qt::Key_Down).toString(QKeySequence::NativeText);
        return QAccessibleWidget::text(t);
    }

    int childCount() const override { return list()->lineEdit() ? 2 : 1; }

    QAccessibleInterface *child(int index) const override
    {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(list()->view());
        if (index == 1 && list()->lineEdit())
            return QAccessible::queryAccessibleInterface(list()->lineEdit());
        return nullptr;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (child->object() == list()->view())
            return 0;
        if (list()->lineEdit() && child->object() == list()->lineEdit())
            return 1;
        return -1;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = list()->view()->isVisible();
        s.editable = list()->isEditable();
        return s;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }

    void doAction(const QString &action) override
    {
        if (action != showMenuAction() && action != pressAction())
            return;
        if (list()->view()->isVisible())
            list()->hidePopup();
        else
            list()->showPopup();
    }

private:
    QComboBox *list() const { return static_cast<QComboBox *>(object()); }
};

} // namespace

QAccessibleInterface *accessibleList(const QString &className, QObject *object)
{
    auto *list = qobject_cast<QComboBox *>(object);
    if (className != QLatin1String("QComboBox") || !list || !qobject_cast<Window *>(list->window()))
        return nullptr;
    return new AccessibleList(list);
}

} // namespace quarvel
