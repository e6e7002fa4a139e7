#include "app/window.h"

#include "app/accessibility.h"
#include "app/accessiblelist.h"
#include "app/design.h"
#include "app/routes.h"
#include "commands/print.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>

namespace quarvel {
namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QRect rectOf(const ControlDesign &d) { return QRect(pixels(d.left), pixels(d.top), pixels(d.width), pixels(d.height)); }

// A list books a row only when the person picks an entry from its drop-down,
// with the mouse or the arrow keys: the wheel passing over it must not.
class NoWheel : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *, QEvent *event) override { return event->type() == QEvent::Wheel; }
};

QComboBox *makeList(const ControlDesign &d, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    if (!d.has(ListOnly)) {
        // Typing into the edit field runs nothing, completes nothing and adds
        // no entry, whatever key ends it.
        combo->setEditable(true);
        combo->setCompleter(nullptr);
        combo->setInsertPolicy(QComboBox::NoInsert);
        QObject::disconnect(combo->lineEdit(), &QLineEdit::editingFinished, combo, nullptr);
        QObject::disconnect(combo->lineEdit(), &QLineEdit::returnPressed, combo, nullptr);
        combo->setEditText(qs(d.text));
    }
    combo->setMaxVisibleItems(15);
    return combo;
}

QLabel *makeLabel(const ControlDesign &d, QWidget *parent)
{
    auto *label = new QLabel(qs(d.text), parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment((d.has(Centred) ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    if (d.has(Border)) {
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setIndent(0); // a framed label would otherwise indent its text
    }
    // Labels lie under the other controls, as on the design, and never take a
    // click meant for a button they overlap.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

} // namespace

QFont windowFont()
{
    // Narrow enough that every caption fits its label as designed, as the
    // classic 8-point dialog font did.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

Window::Window(QWidget *parent) : QWidget(parent)
{
    // Qt makes a control's accessible interface once, as soon as it is asked
    // for one: the lists' own must be known before they exist. Qt keeps a
    // factory once however often it is installed.
    QAccessible::installFactory(accessibleList);
    const ControlDesign &form = design(Id::Form1);
    setWindowTitle(qs(form.text));
    setFixedSize(pixels(form.width), pixels(form.height));
    setFont(windowFont());
    build();
    connectEvents();
    makeAccessible(*this);
}

void Window::build()
{
    // Labels first, so that they lie beneath; then the controls that take the
    // focus, in tab order, which makes the focus chain the design's tab order.
    std::vector<const ControlDesign *> focusable;
    for (const ControlDesign &d : kDesign) {
        if (d.has(Hidden)) {
            hidden_[index(d.id)] = std::string(d.text);
            continue;
        }
        if (d.kind == Kind::Label)
            widgets_[index(d.id)] = makeLabel(d, this);
        else if (d.kind == Kind::TextBox || d.kind == Kind::List || d.kind == Kind::CheckBox || d.kind == Kind::Button)
            focusable.push_back(&d);
    }
    std::stable_sort(focusable.begin(), focusable.end(),
                     [](const ControlDesign *a, const ControlDesign *b) { return a->tab < b->tab; });

    auto *noWheel = new NoWheel(this);
    for (const ControlDesign *d : focusable) {
        QWidget *w = nullptr;
        switch (d->kind) {
        case Kind::TextBox:
            w = new QLineEdit(this);
            break;
        case Kind::List:
            w = makeList(*d, this);
            w->installEventFilter(noWheel);
            break;
        case Kind::CheckBox:
            w = new QCheckBox(this);
            break;
        default:
            w = new QPushButton(qs(d->text), this);
            break;
        }
        w->setEnabled(!d->has(Disabled));
        widgets_[index(d->id)] = w;
    }
    for (const ControlDesign &d : kDesign)
        if (QWidget *w = widget(d.id)) {
            w->setObjectName(qs(d.name));
            w->setGeometry(rectOf(d));
        }
}

void Window::connectEvents()
{
    for (const ControlDesign &d : kDesign) {
        QWidget *w = widget(d.id);
        const Id id = d.id;
        if (auto *edit = qobject_cast<QLineEdit *>(w))
            connect(edit, &QLineEdit::textChanged, this, [this, id] { deliver(id, int(Event::Change)); });
        else if (auto *combo = qobject_cast<QComboBox *>(w))
            connect(combo, &QComboBox::activated, this, [this, id, combo] {
                if (combo->lineEdit())
                    combo->lineEdit()->setCursorPosition(0); // show the entry's start
                deliver(id, int(Event::Click));
            });
        else if (auto *button = qobject_cast<QPushButton *>(w))
            connect(button, &QPushButton::clicked, this, [this, id] { deliver(id, int(Event::Click)); });
    }
}

void Window::deliver(Id control, int event)
{
    if (!closed_)
        route(*this, control, static_cast<Event>(event));
}

void Window::load()
{
    deliver(Id::Form1, int(Event::Load));
    if (QWidget *first = widget(Id::Text16))
        first->setFocus();
}

std::string Window::text(Id id) const
{
    QWidget *w = widget(id);
    if (id == Id::Form1)
        return windowTitle().toStdString();
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

void Window::setText(Id id, std::string_view text)
{
    QWidget *w = widget(id);
    if (id == Id::Form1) {
        setWindowTitle(qs(text));
    } else if (!w) {
        hidden_[index(id)] = std::string(text);
    } else if (auto *label = qobject_cast<QLabel *>(w)) {
        label->setText(qs(text));
        emit captionWritten(id);
    } else if (auto *edit = qobject_cast<QLineEdit *>(w)) {
        edit->setText(qs(text)); // its change handler runs here when the text changes
    } else if (auto *combo = qobject_cast<QComboBox *>(w)) {
        if (combo->isEditable())
            combo->setEditText(qs(text));
        else
            combo->setCurrentIndex(combo->findText(qs(text), Qt::MatchExactly | Qt::MatchCaseSensitive));
    } else if (auto *button = qobject_cast<QPushButton *>(w)) {
        button->setText(qs(text));
    }
}

bool Window::ticked(Id check) const
{
    auto *box = qobject_cast<QCheckBox *>(widget(check));
    return box && box->isChecked();
}

void Window::untick(Id check)
{
    if (auto *box = qobject_cast<QCheckBox *>(widget(check)))
        box->setChecked(false);
}

void Window::setEnabled(Id list, bool enabled)
{
    if (QWidget *w = widget(list))
        w->setEnabled(enabled);
}

void Window::addEntry(Id list, std::string_view entry)
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

void Window::alert(std::string_view prompt, std::string_view title)
{
    QMessageBox box(QMessageBox::Critical, qs(title), qs(prompt), QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void Window::print()
{
    // Input held back while Print waited for the print service reaches the
    // window before Print reports a failure: a press of Print among it does
    // not start another.
    if (printing_)
        return;
    printing_ = true;
    printWindow(*this);
    printing_ = false;
}

void Window::exit()
{
    closed_ = true;
    close();
}

void Window::closeEvent(QCloseEvent *event)
{
    closed_ = true;
    QWidget::closeEvent(event);
}

void Window::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    for (const ControlDesign &d : kDesign) {
        if (d.kind == Kind::Line)
            painter.drawLine(pixels(d.left), pixels(d.top), pixels(d.width), pixels(d.height));
        else if (d.kind == Kind::Rectangle)
            painter.drawRect(rectOf(d).adjusted(0, 0, -1, -1));
    }
}

} // namespace quarvel
