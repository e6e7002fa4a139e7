#include "app/window.h"

#include "app/accessibility.h"
#include "app/accessiblelist.h"
#include "app/bookingmarks.h"
#include "app/dropdownlist.h"
#include "app/figures.h"
#include "app/formcells.h"
#include "app/menus.h"
#include "app/noticebar.h"
#include "app/plandocument.h"
#include "app/qs.h"
#include "app/undolimit.h"
#include "app/windowgone.h"
#include "app/zoom.h"
#include "cells/design.h"
#include "commands/print.h"
#include "commands/routes.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QThreadPool>
#include <QTimer>
#include <QVBoxLayout>

namespace quarvel {
namespace {

QRect rectOf(const ControlDesign &d) { return QRect(pixels(d.left), pixels(d.top), pixels(d.width), pixels(d.height)); }

// The width of the form's lines and frames: whole pixels at every zoom, so
// that they stay as crisp as at actual size, and never wider than the zoom
// makes the design's one pixel (a framed label's text has no more room).
int lineWidth(int zoom) { return std::max(1, zoom / kActualSize); }

// The form's font at the zoom. The design's captions fill their labels to
// within a pixel, and text grows a little faster than its font's size: a
// zoomed form's text is a whole pixel size below the zoom's share of the
// design's, never above it.
QFont formFont(int zoom)
{
    QFont font = windowFont();
    if (zoom != kActualSize)
        font.setPixelSize((font.pixelSize() * zoom - 1) / kActualSize);
    return font;
}

// The size of the font's text in pixels, as the screen shows it.
double pixelsOf(const QFont &font)
{
    if (font.pixelSize() > 0)
        return font.pixelSize();
    const QScreen *screen = QGuiApplication::primaryScreen();
    return font.pointSizeF() * (screen ? screen->logicalDotsPerInchY() : 96) / 72;
}

// A list books a row only when the person picks an entry from its drop-down,
// with the mouse or the arrow keys: the wheel passing over it must not.
class NoWheel : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *, QEvent *event) override { return event->type() == QEvent::Wheel; }
};

// Undo and Redo are the window's, wherever the focus is: a text box's own
// would take back keys without the handlers they ran.
class WindowsUndoKeys : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::ShortcutOverride)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        return key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo);
    }
};

// The form as designed, at the window's zoom: the controls stand on it, and
// it draws the lines (each across or down the form) and the summary's frame.
class FormView : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        const int zoom = static_cast<const Window *>(parentWidget())->zoom();
        const int width = lineWidth(zoom);
        const QColor ink = palette().color(QPalette::WindowText);
        QPainter painter(this);
        for (const ControlDesign &d : kDesign) {
            if (d.kind == Kind::Line) {
                const QPoint from(zoomed(pixels(d.left), zoom), zoomed(pixels(d.top), zoom));
                const QPoint to(zoomed(pixels(d.width), zoom), zoomed(pixels(d.height), zoom));
                painter.fillRect(QRect(from, to + QPoint(width - 1, width - 1)), ink);
            } else if (d.kind == Kind::Rectangle) {
                const QRect frame = zoomed(rectOf(d), zoom);
                painter.fillRect(frame.x(), frame.y(), frame.width(), width, ink);
                painter.fillRect(frame.x(), frame.bottom() - width + 1, frame.width(), width, ink);
                painter.fillRect(frame.x(), frame.y(), width, frame.height(), ink);
                painter.fillRect(frame.right() - width + 1, frame.y(), width, frame.height(), ink);
            }
        }
    }
};

// A text box lays its empty text out once in the application's font before it
// takes its own, which loads that font (and works out its fallbacks) at every
// start for nothing the form shows. While the form's boxes are made, the
// application's font is the form's. (Qt then counts the application's font as
// set by the program: a change of the desktop's font while Quarvel runs no
// longer reaches its message boxes and menus.)
class FormFontWhileMaking {
public:
    explicit FormFontWhileMaking(const QFont &font) : saved_(QGuiApplication::font())
    {
        QGuiApplication::setFont(font);
    }
    ~FormFontWhileMaking() { QGuiApplication::setFont(saved_); }
    FormFontWhileMaking(const FormFontWhileMaking &) = delete;
    FormFontWhileMaking &operator=(const FormFontWhileMaking &) = delete;

private:
    QFont saved_;
};

QComboBox *makeList(const ControlDesign &d, QWidget *parent, QCompleter &standIn)
{
    auto *combo = new DropDownList(parent);
    if (!d.has(ListOnly)) {
        makeEditable(*combo, standIn);
        if (!d.text.empty()) // the field starts empty
            combo->setEditText(qs(d.text));
    }
    combo->setMaxVisibleItems(15);
    return combo;
}

// Labels that start out as a number, and boxes too narrow for more than a
// number, hold figures.
bool holdsFigure(const ControlDesign &d)
{
    if (d.kind == Kind::TextBox)
        return d.width < 1000;
    return !d.text.empty() && std::all_of(d.text.begin(), d.text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

QLabel *makeLabel(const ControlDesign &d, QWidget *parent)
{
    auto *label = holdsFigure(d) ? new FigureLabel(qs(d.text), parent) : new QLabel(qs(d.text), parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(!holdsFigure(d));
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
    // Shaped only where the script needs it: a box full of text, or of
    // accents piled on one letter, is laid out in milliseconds, not seconds.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

void prepareApplication()
{
    // Qt makes a control's accessible interface once, as soon as it is asked
    // for one: the lists' own must be known before they exist.
    QAccessible::installFactory(accessibleList);
    // The menu bar stands in the window above the form on every desktop, never
    // in a desktop's global menu; asking the session bus for one would also
    // hold up the start.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    // Qt converts large pictures, such as the window on the page Print makes,
    // on threads of its own. They end as soon as their work is done rather
    // than wait for more: one still ending as the program ends would leave
    // Qt's record of it behind, which the leak checks of the test builds
    // report.
    QThreadPool::globalInstance()->setExpiryTimeout(0);
}

Window::Window(QWidget *parent, bool asDesktop) : QWidget(parent)
{
    // The application's font is still the desktop's: the form's is set below.
    const std::optional<int> remembered = rememberedZoom();
    zoom_ = remembered ? *remembered : asDesktop ? zoomForText(pixelsOf(QApplication::font())) : kActualSize;
    setWindowTitle(qs(design(Id::Form1).text));
    setFont(windowFont());
    form_ = new FormView(this);
    if (zoom_ != kActualSize) // the boxes are made in the form's font
        form_->setFont(formFont(zoom_));
    notice_ = new NoticeBar(this);
    cells_ = std::make_unique<FormCells>(*this, build());
    place();
    marks_ = std::make_unique<BookingMarks>(*cells_, form_);
    connectEvents();
    makeAccessible(*cells_);
    document_ = std::make_unique<PlanDocument>(*this, *notice_);
    menus_ = std::make_unique<Menus>(*this, *document_);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menus_->bar());
    layout->addWidget(notice_);
    layout->addWidget(form_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // A first start's zoom leaves the whole window on the screen.
    auto fits = [this] {
        return QRect(QPoint(), screen()->availableGeometry().size()).contains(QRect(QPoint(), sizeHint()));
    };
    while (!remembered && zoom_ > kActualSize && !fits())
        layOut(zoomedOut(zoom_));
    goneWatch_ = std::make_unique<WindowGoneWatch>(*this, [this] { end(); });
}

Window::~Window()
{
    // The document keeps the window's last step while the window is whole.
    menus_.reset();
    document_.reset();
    // Closing the window moves the focus, once this part of it has gone.
    disconnect(qApp, nullptr, this, nullptr);
}

QWidget *Window::widget(Id id) const { return cells_->widget(id); }

std::array<QWidget *, kControlCount> Window::build()
{
    std::array<QWidget *, kControlCount> widgets{};
    // Labels first, so that they lie beneath; then the controls that take the
    // focus, in tab order, which makes the focus chain the design's tab order.
    std::vector<const ControlDesign *> focusable;
    for (const ControlDesign &d : kDesign) {
        if (d.has(Hidden))
            continue;
        if (d.kind == Kind::Label)
            widgets[index(d.id)] = makeLabel(d, form_);
        else if (d.kind == Kind::TextBox || d.kind == Kind::List || d.kind == Kind::CheckBox || d.kind == Kind::Button)
            focusable.push_back(&d);
    }
    std::stable_sort(focusable.begin(), focusable.end(),
                     [](const ControlDesign *a, const ControlDesign *b) { return a->tab < b->tab; });

    const FormFontWhileMaking whileMaking(form_->font());
    auto *noWheel = new NoWheel(this);
    auto *undoKeys = new WindowsUndoKeys(this);
    auto *standIn = new QCompleter(this);
    for (const ControlDesign *d : focusable) {
        QWidget *w = nullptr;
        switch (d->kind) {
        case Kind::TextBox:
            w = new FormBox(holdsFigure(*d), form_);
            new UndoLimit(static_cast<QLineEdit *>(w));
            w->installEventFilter(undoKeys);
            break;
        case Kind::List:
            w = makeList(*d, form_, *standIn);
            w->installEventFilter(noWheel);
            // The list has the focus and hands its keys to its edit field
            // itself, past that field's filters.
            w->installEventFilter(undoKeys);
            if (QLineEdit *field = static_cast<QComboBox *>(w)->lineEdit())
                new UndoLimit(field);
            break;
        case Kind::CheckBox:
            w = new QCheckBox(form_);
            break;
        default:
            w = new QPushButton(qs(d->text), form_);
            break;
        }
        w->setEnabled(!d->has(Disabled));
        widgets[index(d->id)] = w;
    }
    for (const ControlDesign &d : kDesign)
        if (QWidget *w = widgets[index(d.id)])
            w->setObjectName(qs(d.name));
    return widgets;
}

void Window::place()
{
    for (const ControlDesign &d : kDesign)
        if (QWidget *w = widget(d.id)) {
            w->setGeometry(zoomed(rectOf(d), zoom_));
            if (auto *label = qobject_cast<QLabel *>(w); label && d.has(Border))
                label->setLineWidth(lineWidth(zoom_));
            // A check box's square is the style's own size: zoomed, it is
            // given the zoom's.
            if (auto *box = qobject_cast<QCheckBox *>(w); box && (zoom_ != kActualSize || !box->styleSheet().isEmpty()))
                box->setStyleSheet(
                    zoom_ == kActualSize
                        ? QString()
                        : QStringLiteral("QCheckBox::indicator { width: %1px; height: %1px; }").arg(zoomed(13, zoom_)));
        }
    const ControlDesign &form = design(Id::Form1);
    form_->setFixedSize(zoomed(pixels(form.width), zoom_), zoomed(pixels(form.height), zoom_));
}

void Window::layOut(int percent)
{
    if (percent == zoom_)
        return;
    zoom_ = percent;
    form_->setFont(formFont(zoom_));
    place();
    marks_->show();
    form_->update();
}

void Window::zoomTo(int percent)
{
    if (percent == zoom_)
        return;
    layOut(percent);
    if (const QString why = rememberZoom(percent); !why.isEmpty())
        notice_->say(tr("The zoom cannot be kept: %1").arg(why));
}

void Window::connectEvents()
{
    for (const ControlDesign &d : kDesign) {
        QWidget *w = widget(d.id);
        const Id id = d.id;
        if (auto *edit = qobject_cast<QLineEdit *>(w)) {
            connect(edit, &QLineEdit::textChanged, this, [this, id] { deliver(id, Event::Change); });
        } else if (auto *combo = qobject_cast<QComboBox *>(w)) {
            connect(combo, &QComboBox::activated, this, [this, id, combo] {
                if (combo->lineEdit())
                    combo->lineEdit()->setCursorPosition(0); // show the entry's start
                deliver(id, Event::Click);
            });
            // Typing into a list's edit field runs nothing, but is a step.
            connect(combo, &QComboBox::editTextChanged, this, [this, id] { deliver(id, Event::Change); });
        } else if (auto *button = qobject_cast<QPushButton *>(w)) {
            connect(button, &QPushButton::clicked, this, [this, id] { deliver(id, Event::Click); });
        } else if (auto *box = qobject_cast<QCheckBox *>(w)) {
            connect(box, &QCheckBox::toggled, this, [this, id] { deliver(id, Event::Click); });
        }
    }
    // A stretch of typing ends where the person turns to another control.
    connect(qApp, &QApplication::focusChanged, this, &Window::endStretch);
}

// An event that reaches the window with no handler running is a person's
// action; it is recorded as a step once the event and everything it set
// going are over.
void Window::deliver(Id control, Event event)
{
    if (closed_ || cells_->restoring())
        return;
    steps_.begin(control, event == Event::Change);
    route(*cells_, control, event);
    if (steps_.end())
        QTimer::singleShot(0, this, &Window::finishStep);
}

void Window::finishStep()
{
    const std::optional<Id> stretch = steps_.stretch();
    const bool changed = steps_.record(stateOf(*cells_));
    if (stretch && steps_.stretch() != stretch)
        UndoLimit::forget(cells_->field(*stretch));
    if (!changed)
        return;
    showDerived();
    emit stepped();
}

// The box typed into keeps no Undo of its own beyond the stretch: its own
// Undo (its menu's) would otherwise take back typing that the window's Undo
// takes back with the steps after it.
void Window::endStretch()
{
    if (const std::optional<Id> stretch = steps_.stretch())
        UndoLimit::forget(cells_->field(*stretch));
    steps_.endStretch();
}

void Window::putInPlace(const FormState &state)
{
    cells_->restore(state);
    showDerived();
}

// What the window shows beside the figures, made from the state: the rows'
// bookings marks and the summary numbers' explanations.
void Window::showDerived()
{
    marks_->show();
    explainSummaryNumbers(*cells_);
}

void Window::moveTo(const FormState &state, History::Moved moved)
{
    finishStep();
    steps_.moveTo(state, std::move(moved));
    putInPlace(state);
}

std::optional<std::string> Window::undo()
{
    finishStep();
    std::optional<std::string> moved = steps_.undo();
    putInPlace(steps_.state());
    return moved;
}

std::optional<std::string> Window::redo()
{
    finishStep();
    std::optional<std::string> moved = steps_.redo();
    putInPlace(steps_.state());
    return moved;
}

void Window::load()
{
    // Everything start-up writes is part of it: the state it leaves is where
    // the steps start.
    steps_.begin(Id::Form1, false);
    route(*cells_, Id::Form1, Event::Load);
    steps_.end();
    start_ = stateOf(*cells_);
    steps_.start(start_);
    showDerived();
    if (QWidget *first = widget(Id::Text16))
        first->setFocus();
}

void Window::alert(std::string_view prompt, std::string_view title)
{
    if (closed_)
        return; // a handler cut short by the window going ends without a word
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
    const QScopedValueRollback<bool> busy(printing_, true);
    PrintTarget target = printTarget();
    printWindow(target);
}

PrintTarget Window::printTarget()
{
    const QString file = document_->file();
    return PrintTarget{form_,
                       *cells_,
                       [this] { return closed_; },
                       [this] { return menus_->askForPage(); },
                       file.isEmpty() ? tr("Untitled") : QFileInfo(file).fileName(),
                       listingOf(*cells_),
                       [this](const std::function<void()> &draw) {
                           const int shown = zoom_;
                           layOut(kActualSize);
                           draw();
                           layOut(shown);
                       }};
}

void Window::exit()
{
    closed_ = true;
    close();
}

void Window::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    end();
}

void Window::end()
{
    closed_ = true;
    emit ended();
}

} // namespace quarvel
