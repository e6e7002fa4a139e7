#include "app/undolimit.h"

#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimer>

#include <algorithm>

namespace quarvel {
namespace {

// Where two texts differ: the length of what they share at the start and of
// what they share at the end after that.
std::pair<qsizetype, qsizetype> sharedEnds(const QString &a, const QString &b)
{
    const qsizetype most = std::min(a.size(), b.size());
    qsizetype start = 0;
    while (start < most && a[start] == b[start])
        ++start;
    qsizetype end = 0;
    while (end < most - start && a[a.size() - 1 - end] == b[b.size() - 1 - end])
        ++end;
    return {start, end};
}

// The cursor and the selection of a box, to be put back after its text is
// set again.
struct Selection {
    int cursor, start, length;
    explicit Selection(const QLineEdit *box)
        : cursor(box->cursorPosition()), start(box->selectionStart()), length(box->selectionLength())
    {
    }
    void restore(QLineEdit *box) const
    {
        if (length == 0)
            box->setCursorPosition(cursor);
        else if (cursor == start)
            box->setSelection(start + length, -length);
        else
            box->setSelection(start, length);
    }
};

} // namespace

void UndoLimit::forget(QLineEdit *box)
{
    if (!box->isUndoAvailable() && !box->isRedoAvailable())
        return;
    const Selection selection(box);
    const QSignalBlocker quiet(box);
    box->setText(box->text()); // which empties the history
    selection.restore(box);
    if (auto *limit = box->findChild<UndoLimit *>(QString(), Qt::FindDirectChildrenOnly))
        limit->records_ = 0;
}

UndoLimit::UndoLimit(QLineEdit *box) : QObject(box), box_(box), after_(box->text())
{
    connect(box, &QLineEdit::textChanged, this, &UndoLimit::changed);
}

void UndoLimit::changed(const QString &text)
{
    before_ = std::exchange(after_, text);
    if (!box_->isUndoAvailable()) {
        records_ = 0; // a program's write empties the history, and so does undoing it all
        return;
    }
    if (box_->isRedoAvailable())
        return; // an Undo, which adds no record and must leave Redo as it is
    const auto [start, end] = sharedEnds(before_, after_);
    records_ += before_.size() + after_.size() - 2 * (start + end);
    // After the edit has run its course: the box is in the middle of it.
    if (records_ > kRecords && !restarting_) {
        restarting_ = true;
        QTimer::singleShot(0, this, &UndoLimit::restart);
    }
}

void UndoLimit::restart()
{
    restarting_ = false;
    if (!box_->isUndoAvailable() || box_->isRedoAvailable() || box_->text() != after_)
        return;
    const Selection selection(box_);

    // Nothing has changed for the window when this is done: the text, the
    // cursor and the selection are as they were, and no handler runs.
    const QSignalBlocker quiet(box_);
    const auto [start, end] = sharedEnds(before_, after_);
    box_->setText(before_); // which empties the history
    box_->setSelection(int(start), int(before_.size() - start - end));
    box_->insert(after_.mid(start, after_.size() - start - end));
    selection.restore(box_);
    records_ = before_.size() + after_.size() - 2 * (start + end);
}

} // namespace quarvel
