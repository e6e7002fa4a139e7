#pragma once

#include <QLabel>
#include <QLineEdit>

namespace quarvel {

// A figure is shown whole or visibly not at all. A label or a box that holds
// a number draws its whole text on one line: in its own font where it fits,
// else in a smaller one down to the smallest that still reads, else as a
// mark that nobody can take for a number ("###"), the whole figure in its
// tooltip. Never part of it, which would read as another number. The cell
// keeps the exact text; a screen reader reads it whole.
class FigureLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *) override;
    bool event(QEvent *event) override;
};

// A text box of the form. While the person types into it, it shows what a
// text box shows. Otherwise one that holds figures shows them as above, and
// one that holds words shows their beginning: drawn from no more of the
// text than the box can show, however long the text, so that a box full of
// text paints in no time.
class FormBox : public QLineEdit {
public:
    FormBox(bool figures, QWidget *parent) : QLineEdit(parent), figures_(figures) {}

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    QRect textArea() const;

    bool figures_;
};

} // namespace quarvel
