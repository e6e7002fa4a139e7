#pragma once

#include <QObject>
#include <QString>

class QLineEdit;

namespace quarvel {

// Keeps what a text box holds for Undo within bounds. The box keeps a record
// for every character typed, pasted or deleted, for as long as it lives:
// pasting 32,000 characters and deleting them again, a hundred times over,
// held some 100 MB. Once the box's records pass kRecords, its history starts
// again from its last edit, which stays undoable; ordinary typing never comes
// near the limit. It is an object of its own kind, so that the window finds
// a box's own among the box's children, and no other.
class UndoLimit : public QObject {
    Q_OBJECT

public:
    static constexpr qsizetype kRecords = 10000;

    explicit UndoLimit(QLineEdit *box);

    // Empties the box's history, leaving its text, cursor and selection as
    // they are; no handler runs. The window does so where a stretch of
    // typing ends, so that the box's own Undo never reaches past what the
    // window's Undo takes back as one step.
    static void forget(QLineEdit *box);

private:
    void changed(const QString &text);
    void restart();

    QLineEdit *box_;
    QString before_, after_; // the box's text before and after its last change
    qsizetype records_ = 0;  // about the records the box holds since its history began
    bool restarting_ = false;
};

} // namespace quarvel
