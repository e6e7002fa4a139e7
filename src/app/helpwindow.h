#pragma once

#include <QWidget>

class QMenuBar;
class QTextBrowser;

namespace quarvel {

// Quarvel Help: what the window is for and how it counts, the keys as the
// menus give them, and the reference of every type with its figures, in a
// window of its own beside the plan, which the person can keep open.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    HelpWindow(const QMenuBar &menus, QWidget *parent);

    QTextBrowser &browser() const { return *browser_; }

private:
    QTextBrowser *browser_;
};

} // namespace quarvel
