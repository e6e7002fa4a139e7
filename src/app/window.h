#pragma once

#include "cells/cells.h"

#include <QFont>
#include <QWidget>

#include <array>
#include <string>

namespace quarvel {

// The one window. Every control of the design is built from the design table;
// the visible ones are widgets, the hidden ones plain cells. The window is the
// engine's cells: handlers read and write the widgets' texts.
class Window : public QWidget, public Cells {
    Q_OBJECT

public:
    explicit Window(QWidget *parent = nullptr);

    // Runs Form_Load; the program does so once, before showing the window.
    void load();

    // The widget of a visible control; null for hidden controls, lines and
    // the rectangle.
    QWidget *widget(Id id) const { return widgets_[index(id)]; }

    using QWidget::setEnabled;
    std::string text(Id id) const override;
    void setText(Id id, std::string_view text) override;
    bool ticked(Id check) const override;
    void untick(Id check) override;
    void setEnabled(Id list, bool enabled) override;
    void addEntry(Id list, std::string_view entry) override;
    void alert(std::string_view prompt, std::string_view title) override;
    void print() override;
    void exit() override;

    // True once Exit ended the program: no handler runs after it.
    bool closed() const { return closed_; }

signals:
    // A shown label's caption was written by a handler.
    void captionWritten(quarvel::Id label);

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void build();
    void connectEvents();
    void deliver(Id control, int event);

    std::array<QWidget *, kControlCount> widgets_{};
    std::array<std::string, kControlCount> hidden_{};
    bool closed_ = false;
    bool printing_ = false;
};

// The font of the window's controls.
QFont windowFont();

// Pixels for twips: 15 twips make one pixel.
constexpr int pixels(int twips) { return twips / 15; }

} // namespace quarvel
