#pragma once

#include "cells/cells.h"
#include "cells/history.h"
#include "commands/print.h"

#include <QAbstractNativeEventFilter>
#include <QFont>
#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class QLineEdit;
class QMenuBar;

namespace quarvel {

class Menus;
class NoticeBar;
class PlanDocument;

// The one window: a menu bar, a line for notices, and the form. Every
// control of the form is built from the design table; the visible ones are
// widgets, the hidden ones plain cells. The window is the engine's cells:
// handlers read and write the widgets' texts. Each person's action is a step
// that Undo takes back.
class Window : public QWidget, public Cells, private QAbstractNativeEventFilter {
    Q_OBJECT

public:
    explicit Window(QWidget *parent = nullptr);
    ~Window() override;

    // Runs Form_Load; the program does so once, before showing the window.
    void load();

    // The widget of a visible control; null for hidden controls, lines and
    // the rectangle.
    QWidget *widget(Id id) const { return widgets_[index(id)]; }

    // The form beneath the menu bar: what Print prints.
    QWidget *form() const { return form_; }
    PrintTarget printTarget();
    QMenuBar *menuBar() const { return menuBar_; }
    NoticeBar &notice() const { return *notice_; }
    PlanDocument &document() const { return *document_; }

    // The state as start-up leaves it, and as the last step left it.
    const FormState &startState() const { return start_; }
    const FormState &state();

    // Puts a whole state in place as one step of its own that moves to
    // another document (New, Open).
    void replace(const FormState &state, History::Moved moved);
    // Each returns the document the window holds after it, when the step
    // undone or redone moved to another.
    std::optional<std::string> undo();
    std::optional<std::string> redo();
    bool canUndo() const { return history_.canUndo(); }
    bool canRedo() const { return history_.canRedo(); }
    // Where in its history the window stands (History::position).
    std::uint64_t position() const { return history_.position(); }
    // Typing on starts a step of its own, rather than joining the last.
    void endStretch();

    using QWidget::setEnabled;
    std::string text(Id id) const override;
    void setText(Id id, std::string_view text) override;
    bool ticked(Id check) const override;
    void untick(Id check) override;
    bool enabled(Id id) const override;
    void setEnabled(Id list, bool enabled) override;
    void restore(const FormState &state) override;
    void addEntry(Id list, std::string_view entry) override;
    void alert(std::string_view prompt, std::string_view title) override;
    void print() override;
    void exit() override;

    // True once the window has gone (Exit, closed, or destroyed by the
    // window system): no handler runs after it and no message box shows.
    bool closed() const { return closed_; }

signals:
    // A shown label's caption was written by a handler.
    void captionWritten(quarvel::Id label);
    // The window has gone, however it went.
    void ended();
    // The person took a step: the state has changed.
    void stepped();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;
    void end();
    void build();
    void connectEvents();
    void deliver(Id control, Event event);
    void settle();
    void moveTo(const FormState &state);
    void showStart(QWidget *box, QLineEdit *field) const;

    QWidget *form_ = nullptr;
    QMenuBar *menuBar_ = nullptr;
    NoticeBar *notice_ = nullptr;
    std::unique_ptr<PlanDocument> document_;
    std::unique_ptr<Menus> menus_;
    std::array<QWidget *, kControlCount> widgets_{};
    std::array<std::string, kControlCount> hidden_{};
    bool closed_ = false;

    // The steps: what the last one left, what the next one has done so far.
    History history_;
    FormState start_, current_;
    int depth_ = 0;            // handlers running
    bool unsettled_ = false;   // an action whose step is not recorded yet
    bool typingOnly_ = true;   // and all it did was type into one box:
    std::optional<Id> typed_;  // this one
    std::optional<Id> typing_; // the box the last step typed into, if it did
    bool restoring_ = false;
    bool printing_ = false;
};

// The font of the window's controls.
QFont windowFont();

// Pixels for twips: 15 twips make one pixel.
constexpr int pixels(int twips) { return twips / 15; }

} // namespace quarvel
