#pragma once

#include "cells/cells.h"
#include "cells/steps.h"
#include "commands/print.h"

#include <QFont>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace quarvel {

class BookingMarks;
class FormCells;
class Menus;
class NoticeBar;
class PlanDocument;
class WindowGoneWatch;

// The one window: a menu bar, a line for notices, and the form, every
// control of which is built from the design table. The engine works on the
// form through its cells; each person's action is a step that Undo takes
// back.
class Window : public QWidget {
    Q_OBJECT

public:
    // At the zoom the person chose last. With `asDesktop`, when none was kept
    // (a first start), at the zoom at which the form's text is at least as
    // large as the desktop's own, as far as the screen has room; the program's
    // window does, a test's stays at actual size.
    explicit Window(QWidget *parent = nullptr, bool asDesktop = false);
    ~Window() override;

    // Runs Form_Load; the program does so once, before showing the window.
    void load();

    FormCells &cells() const { return *cells_; }
    BookingMarks &bookingMarks() const { return *marks_; }
    QWidget *widget(Id id) const;
    // The form beneath the menu bar: what Print prints.
    QWidget *form() const { return form_; }
    PrintTarget printTarget();
    Menus &menus() const { return *menus_; }
    NoticeBar &notice() const { return *notice_; }

    // The form's zoom, in percent (zoom.h); the controls, their font and the
    // lines are laid out anew at each, the menu bar stays as it is. The zoom
    // chosen is kept for the next start.
    int zoom() const { return zoom_; }
    void zoomTo(int percent);
    PlanDocument &document() const { return *document_; }

    // The state as start-up leaves it, and as the last step left it.
    const FormState &startState() const { return start_; }
    const FormState &state() const { return steps_.state(); }
    // Records the action in progress as its step now, rather than once
    // everything it set going is over.
    void finishStep();

    // Puts a whole state in place as one step of its own that moves to
    // another document (New, Open).
    void moveTo(const FormState &state, History::Moved moved);
    // Each returns the document the window holds after it, when the step
    // undone or redone moved to another.
    std::optional<std::string> undo();
    std::optional<std::string> redo();
    bool canUndo() const { return steps_.history().canUndo(); }
    bool canRedo() const { return steps_.history().canRedo(); }
    // Where in its history the window stands (History::position).
    std::uint64_t position() const { return steps_.history().position(); }
    // Typing on starts a step of its own, rather than joining the last.
    void endStretch();

    // True once the window has gone (Exit, closed, or destroyed by the
    // window system): no handler runs after it and no message box shows.
    bool closed() const { return closed_; }

signals:
    // The window has gone, however it went.
    void ended();
    // The person took a step: the state has changed.
    void stepped();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    friend class FormCells; // the window's own commands are its cells'
    void alert(std::string_view prompt, std::string_view title);
    void print();
    void exit();

    void end();
    std::array<QWidget *, kControlCount> build();
    void connectEvents();
    void deliver(Id control, Event event);
    void putInPlace(const FormState &state);
    void showDerived();
    void place();
    void layOut(int percent);

    QWidget *form_ = nullptr;
    NoticeBar *notice_ = nullptr;
    std::unique_ptr<FormCells> cells_;
    std::unique_ptr<BookingMarks> marks_;
    std::unique_ptr<PlanDocument> document_;
    std::unique_ptr<Menus> menus_;
    std::unique_ptr<WindowGoneWatch> goneWatch_;
    Steps steps_;
    FormState start_;
    bool closed_ = false;
    bool printing_ = false;
    int zoom_ = 100; // percent
};

// The font of the window's controls.
QFont windowFont();

// Pixels for twips: 15 twips make one pixel.
constexpr int pixels(int twips) { return twips / 15; }

// What the application as a whole is set to before its first window: done
// once, by the program and by whatever else shows a window.
void prepareApplication();

} // namespace quarvel
