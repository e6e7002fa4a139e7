#pragma once

#include "cells/cells.h"

#include <QObject>

#include <array>
#include <string>

class QLineEdit;
class QWidget;

namespace quarvel {

class Window;

// The engine's cells over the form: a handler reads and writes the texts the
// person sees in the widgets; the hidden controls are texts of their own.
// A write to a count box raises its change handler through the widget's own
// signal. The window's own commands (its message box, Print, Exit) are the
// window's.
class FormCells : public QObject, public Cells {
    Q_OBJECT

public:
    FormCells(Window &window, const std::array<QWidget *, kControlCount> &widgets);

    // The widget of a visible control; null for hidden controls, lines and
    // the rectangle.
    QWidget *widget(Id id) const { return widgets_[index(id)]; }
    // The edit field of a text box or of a list one can type into, or null.
    QLineEdit *field(Id id) const;
    // True while a whole state is put in place: nothing the widgets signal
    // then is the person's.
    bool restoring() const { return restoring_; }

    std::string text(Id id) const override;
    void setText(Id id, std::string_view text) override;
    bool ticked(Id check) const override;
    void untick(Id check) override;
    bool enabled(Id id) const override;
    void setEnabled(Id list, bool enabled) override;
    void restore(const FormState &state) override;
    void addEntry(Id list, std::string_view entry) override;
    std::string tag(Id id) const override { return tags_[index(id)]; }
    void setTag(Id id, std::string_view tag) override { tags_[index(id)] = std::string(tag); }
    void alert(std::string_view prompt, std::string_view title) override;
    void print() override;
    void exit() override;

signals:
    // A shown label's caption was written by a handler.
    void captionWritten(quarvel::Id label);

private:
    void showStart(QWidget *box, QLineEdit *field) const;

    Window &window_;
    std::array<QWidget *, kControlCount> widgets_;
    std::array<std::string, kControlCount> hidden_{};
    std::array<std::string, kControlCount> tags_{};
    bool restoring_ = false;
};

} // namespace quarvel
