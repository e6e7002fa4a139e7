#pragma once

#include <QFrame>
#include <QString>

class QLabel;
class QPushButton;

namespace quarvel {

// A line under the menu bar for what the window must say without stopping
// the person: that unsaved work from an earlier session is kept, with a
// button to recover it, and that the window's own unsaved work cannot be
// kept, for as long as that lasts. A failure is said first; the person may
// dismiss what the line says.
class NoticeBar : public QFrame {
    Q_OBJECT

public:
    explicit NoticeBar(QWidget *parent = nullptr);

    // How many plans with unsaved work an earlier session left; 0 when none.
    void setKept(int plans);
    // Why unsaved work cannot be kept; empty once it can again.
    void setFailure(const QString &why);
    // Something said once.
    void say(const QString &sentence);

    QString text() const;

signals:
    void recoverChosen();

private:
    void refresh();

    QLabel *text_ = nullptr;
    QPushButton *recover_ = nullptr;
    int kept_ = 0;
    QString failure_, said_;
};

} // namespace quarvel
