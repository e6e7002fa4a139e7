#include "player.h"
#include "app/menus.h"
#include "app/plandocument.h"
#include "app/qs.h"
#include "cells/design.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QTextBoundaryFinder>
#include <QTimer>

#include <iostream>

namespace quarvel::scenario {
namespace {

std::string quote(const std::string &s) { return "\"" + s + "\""; }

Id control(const std::string &name) { return *idNamed(name); }

// Where a person clicks to type into a text box or an editable list.
QLineEdit *editField(QWidget *w)
{
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        return edit;
    if (auto *combo = qobject_cast<QComboBox *>(w))
        return combo->lineEdit(); // null for a list-only list
    return nullptr;
}

void click(QWidget *w, QPoint at = {})
{
    QTest::mouseClick(w, Qt::LeftButton, {}, at.isNull() ? w->rect().center() : at);
}

// Opens the list by its arrow, as a person would.
void openList(QComboBox *combo)
{
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    const QRect arrow = combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, combo);
    click(combo, arrow.isValid() ? arrow.center() : QPoint());
    if (!combo->view()->isVisible())
        combo->showPopup();
}

// The text a keyboard delivers with the key: a character key types its
// character, a few others their control character, the rest nothing.
QString keyText(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QStringLiteral("\r");
    case Qt::Key_Tab:
        return QStringLiteral("\t");
    case Qt::Key_Backspace:
        return QStringLiteral("\b");
    case Qt::Key_Escape:
        return QStringLiteral("\x1b");
    default:
        break;
    }
    if (key < Qt::Key_Space || key >= Qt::Key_Escape)
        return QString();
    const char32_t code = key;
    const QString text = QString::fromUcs4(&code, 1);
    return modifiers & Qt::ShiftModifier ? text : text.toLower();
}

// Presses and releases the key in the widget, wherever Qt's test keyboard
// knows the key or not.
void pressKey(QWidget *target, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    QTest::sendKeyEvent(QTest::Click, target, key, keyText(key, modifiers), modifiers);
}

// The step's text as a person can type it: UTF-8, and no control character
// but Tab.
std::optional<std::string> readTypable(const std::string &utf8, QString &text)
{
    QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    text = decode(QByteArrayView(utf8.data(), qsizetype(utf8.size())));
    if (decode.hasError())
        return "expected UTF-8 text to type; found bytes that are not UTF-8";
    for (QChar c : text)
        if (c != u'\t' && c.category() == QChar::Other_Control)
            return "expected text a person can type; found the control character U+" +
                   QString::number(c.unicode(), 16).rightJustified(4, u'0').toUpper().toStdString();
    return std::nullopt;
}

// Types the text into whatever has the focus, as a person would: ASCII
// key by key, and every other character (a letter with its accent, a digit
// of another script, a character beyond the 16-bit plane) as the person's
// input method commits it, one character as the eye sees it at a time.
std::optional<std::string> typeText(const QString &text, QWidget *field)
{
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = characters.toNextBoundary();
        if (end < 0)
            end = text.size();
        const QString character = text.mid(start, end - start);
        start = end;
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : field;
        if (character.size() == 1 && character[0].unicode() < 0x80) {
            QTest::keyClick(target, char(character[0].unicode()));
            continue;
        }
        if (!target->testAttribute(Qt::WA_InputMethodEnabled) || !target->inputMethodQuery(Qt::ImEnabled).toBool()) {
            const QString name =
                target->objectName().isEmpty() ? QStringLiteral("the control with the focus") : target->objectName();
            return "expected \"" + character.toStdString() + "\" typed through an input method; found " +
                   name.toStdString() + " takes none";
        }
        QInputMethodEvent commit;
        commit.setCommitString(character);
        QCoreApplication::sendEvent(target, &commit);
    }
    return std::nullopt;
}

} // namespace

std::string Box::describe() const
{
    std::string s = "message box " + quote(title) + " " + quote(prompt);
    if (!critical)
        s += " without the critical-stop icon";
    if (!okOnly)
        s += " with buttons other than one OK";
    if (!modal)
        s += " that was not modal";
    return s;
}

Player::Player() { qApp->installEventFilter(this); }

Player::~Player() { qApp->removeEventFilter(this); }

void Player::newWindow(bool keepFolders)
{
    window_.reset(); // the old window and all it held go first
    boxes_.clear();
    if (!keepFolders || !home_)
        home_ = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home_->filePath(QStringLiteral("config"))));
    qputenv("XDG_STATE_HOME", QFile::encodeName(home_->filePath(QStringLiteral("state"))));
    window_ = std::make_unique<Window>();
    window_->load();
    window_->show();
    // As the program starts: what earlier windows left is looked for first.
    window_->document().finishKeeping(std::chrono::seconds(2));
    QCoreApplication::processEvents();
    window_->activateWindow();
    QApplication::setActiveWindow(window_.get());
    if (!QTest::qWaitForWindowActive(window_.get(), 2000))
        std::cerr << "quarvel-scenario: the window did not become active\n";
}

bool Player::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Show)
        return false;
    auto *dialog = qobject_cast<QDialog *>(watched);
    if (!dialog || !dialog->isWindow())
        return false;
    auto *files = qobject_cast<QFileDialog *>(dialog);
    if (files)
        proposed_ = files->selectedFiles().value(0);
    if (auto *box = qobject_cast<QMessageBox *>(dialog); box && qobject_cast<QFileDialog *>(box->parentWidget())) {
        // The file dialog's own question, whether to replace the file, is
        // answered Yes; anything else it says ends the dialog.
        QTimer::singleShot(0, box, [box] {
            if (QAbstractButton *yes = box->button(QMessageBox::Yes))
                return yes->click();
            auto *files = qobject_cast<QFileDialog *>(box->parentWidget());
            box->reject();
            QTimer::singleShot(0, files, [files] { files->reject(); });
        });
    } else if (files && !answer_.isEmpty()) {
        QTimer::singleShot(0, files, [this, files, file = std::exchange(answer_, QString())] {
            files->selectFile(file);
            auto *buttons = files->findChild<QDialogButtonBox *>();
            QPushButton *accept =
                buttons ? buttons->button(files->acceptMode() == QFileDialog::AcceptSave ? QDialogButtonBox::Save
                                                                                         : QDialogButtonBox::Open)
                        : nullptr;
            if (accept)
                accept->click();
            // A dialog that did not take the file (it went into a folder of
            // that name) is cancelled, and the step fails.
            if (files->isVisible()) {
                refused_ = true;
                files->reject();
            }
        });
    } else if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
        Box seen;
        seen.title = box->windowTitle().toStdString();
        seen.prompt = box->text().toStdString();
        seen.critical = box->icon() == QMessageBox::Critical;
        seen.okOnly = box->buttons().size() == 1 && box->standardButtons() == QMessageBox::Ok;
        seen.modal = box->isModal();
        boxes_.push_back(seen);
        QTimer::singleShot(0, box, [box] {
            if (QAbstractButton *ok = box->button(QMessageBox::Ok))
                ok->click();
            else
                box->reject();
        });
    } else {
        ++cancelled_;
        QTimer::singleShot(0, dialog, [dialog] { dialog->reject(); });
    }
    return false;
}

std::optional<std::string> Player::play(const Step &step)
{
    std::optional<std::string> failure = playStep(step);
    settle();
    return failure;
}

void Player::settle()
{
    // A person's next action meets a window that has handled this one, as
    // its event loop would: the window system's events, posted events and
    // deferred deletes. Left alone they pile up for as long as a file runs.
    QCoreApplication::processEvents();
    // The offscreen platform gives the focus to each window it shows and to
    // none when that one hides, where a window manager gives it back to the
    // window the drop-down or the message box belonged to.
    if (window_->isVisible() && !QApplication::activePopupWidget() && !QApplication::activeModalWidget() &&
        QApplication::activeWindow() != window_.get()) {
        window_->activateWindow();
        QCoreApplication::processEvents();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

std::optional<std::string> Player::playStep(const Step &step)
{
    if (step.verb == "alert") {
        // With the prompt left out, any prompt passes.
        const bool anyPrompt = step.args.size() < 2;
        const std::string expected =
            "message box " + quote(step.args[0]) + (anyPrompt ? "" : " " + quote(step.args[1]));
        if (boxes_.empty())
            return "expected " + expected + "; found no message box left to check";
        const Box box = boxes_.front();
        boxes_.pop_front();
        if (box.title != step.args[0] || (!anyPrompt && box.prompt != step.args[1]) || !box.critical || !box.okOnly ||
            !box.modal)
            return "expected " + expected + " with the critical-stop icon and one OK button; found " + box.describe();
        return std::nullopt;
    }
    if (step.verb == "can-undo" || step.verb == "cannot-undo" || step.verb == "can-redo" ||
        step.verb == "cannot-redo") {
        const bool undo = step.verb.find("undo") != std::string::npos;
        const bool can = step.verb.rfind("can-", 0) == 0;
        const std::string item = undo ? "Edit › Undo" : "Edit › Redo";
        if (window_->menus().item(qs(item))->isEnabled() == can)
            return std::nullopt;
        return "expected " + item + (can ? " enabled" : " disabled") + "; found it " + (can ? "disabled" : "enabled");
    }
    if (step.verb == "modified" || step.verb == "unmodified") {
        const bool modified = window_->isWindowModified();
        if (modified == (step.verb == "modified"))
            return std::nullopt;
        return std::string("expected the window to hold ") +
               (modified ? "no work that is not saved" : "work not saved") + "; found it " +
               (modified ? "does (" : "does not (") + window_->cells().text(Id::Form1) + ")";
    }
    if (step.verb == "clipboard") {
        const QStringList lines = QApplication::clipboard()->text().split(u'\n');
        for (const QString &line : lines)
            if ((line.endsWith(u'\r') ? line.chopped(1) : line) == qs(step.args[0]))
                return std::nullopt;
        return "expected a line " + quote(step.args[0]) + " on the clipboard; found " +
               quote(QApplication::clipboard()->text().toStdString());
    }
    if (step.verb == "no-alert") {
        if (!boxes_.empty())
            return "expected no message box left to check; found " + boxes_.front().describe() +
                   (boxes_.size() > 1 ? " and " + std::to_string(boxes_.size() - 1) + " more" : "");
        return std::nullopt;
    }
    if (step.verb == "shot") {
        const QPixmap image = window_->grab();
        if (!image.save(qs(step.args[0]), "PNG"))
            return "expected the image saved as " + quote(step.args[0]) + "; found it could not be written";
        return std::nullopt;
    }
    if (window_->closed() && step.verb != "expect")
        return "expected the window open; found it closed by Exit";
    if (auto failure = act(step))
        return failure;
    return check(step);
}

std::optional<std::string> Player::choose(const std::string &what, const std::optional<std::string> &file)
{
    QAction *item = window_->menus().item(qs(what));
    if (!item)
        return "expected a menu item " + what + "; found none";
    if (!item->isEnabled())
        return "expected " + what + " enabled; found it disabled";
    if (file && file->empty())
        return "expected a file name; found an empty PATH";
    answer_ = file ? QDir(folder_).absoluteFilePath(QString::fromStdString(*file)) : QString();
    refused_ = false;
    item->trigger();
    const bool unanswered = !answer_.isEmpty();
    answer_.clear();
    if (unanswered)
        return "expected " + what + " to ask for a file; found no file dialog";
    if (refused_)
        return "expected the file dialog to take " + *file + "; found it did not";
    return std::nullopt;
}

std::optional<std::string> Player::act(const Step &step)
{
    const std::string &verb = step.verb;
    if (verb == "new")
        return choose("File › New");
    if (verb == "open")
        return choose("File › Open", step.args[0]);
    if (verb == "save" && step.args.empty())
        return choose("File › Save");
    if (verb == "save")
        return choose("File › Save As", step.args[0]);
    if (verb == "export")
        return choose("File › Export as PDF", step.args[0]);
    if (verb == "undo")
        return choose("Edit › Undo");
    if (verb == "redo")
        return choose("Edit › Redo");
    if (verb == "menu") {
        const int cancelled = cancelled_;
        if (auto failure = choose(step.args[0]))
            return failure;
        if (cancelled_ != cancelled)
            return "expected " + step.args[0] + " to open no dialog but a message box; found one, closed";
        return std::nullopt;
    }
    if (verb == "tab" || verb == "key") {
        QWidget *target = QApplication::focusWidget();
        if (!target)
            target = window_.get();
        QKeySequence key(verb == "tab" ? QStringLiteral("Tab") : qs(step.args[0]));
        if (key.count() != 1 || key[0].key() == Qt::Key_unknown)
            return "expected a key named as Qt names it; found " + quote(step.args[0]);
        pressKey(target, key[0].key(), key[0].keyboardModifiers());
        return std::nullopt;
    }
    if (verb != "type" && verb != "erase" && verb != "pick" && verb != "tick" && verb != "untick" && verb != "press" &&
        verb != "set")
        return std::nullopt;

    const Id id = control(step.args[0]);
    if (verb == "set") {
        if (design(id).kind == Kind::CheckBox || design(id).kind == Kind::Line || design(id).kind == Kind::Rectangle)
            return "expected a control with a text; found " + step.args[0] + " has none";
        window_->cells().setText(id, step.args[1]);
        return std::nullopt;
    }

    QWidget *w = window_->widget(id);
    if (!w || !w->isVisible())
        return "expected " + step.args[0] + " shown; found it hidden";
    if (!w->isEnabled())
        return "expected " + step.args[0] + " enabled; found it disabled";

    if (verb == "type" || verb == "erase") {
        QLineEdit *edit = editField(w);
        if (!edit)
            return "expected a text box or a list that takes typing; found " + step.args[0] + " does not";
        if (verb == "erase") {
            click(edit);
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(edit, Qt::Key_Delete);
            return std::nullopt;
        }
        QString text;
        if (auto failure = readTypable(step.args[1], text))
            return failure;
        click(edit);
        QTest::keyClick(edit, Qt::Key_End);
        return typeText(text, edit);
    }
    if (verb == "pick") {
        auto *combo = qobject_cast<QComboBox *>(w);
        if (!combo)
            return "expected a list; found " + step.args[0] + " is not one";
        const int i = combo->findText(qs(step.args[1]), Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (i < 0)
            return "expected an entry " + quote(step.args[1]) + " in " + step.args[0] + "; found none";
        openList(combo);
        QAbstractItemView *view = combo->view();
        const QModelIndex entry = combo->model()->index(i, combo->modelColumn(), combo->rootModelIndex());
        view->scrollTo(entry);
        view->setCurrentIndex(entry);
        QTest::keyClick(view, Qt::Key_Return);
        if (view->isVisible())
            combo->hidePopup();
        return std::nullopt;
    }
    if (verb == "tick" || verb == "untick") {
        auto *box = qobject_cast<QCheckBox *>(w);
        if (!box)
            return "expected a check box; found " + step.args[0] + " is not one";
        if (box->isChecked() != (verb == "tick"))
            click(box);
        return std::nullopt;
    }
    auto *button = qobject_cast<QPushButton *>(w);
    if (!button)
        return "expected a button; found " + step.args[0] + " is not one";
    click(button);
    return std::nullopt;
}

std::optional<std::string> Player::check(const Step &step)
{
    const std::string &verb = step.verb;
    if (verb == "focus") {
        QWidget *w = window_->widget(control(step.args[0]));
        QWidget *focus = QApplication::focusWidget();
        if (w && focus && (focus == w || w->isAncestorOf(focus)))
            return std::nullopt;
        return "expected the focus in " + step.args[0] + "; found it in " +
               (focus ? (focus->objectName().isEmpty() && focus->parentWidget()
                             ? focus->parentWidget()->objectName().toStdString()
                             : focus->objectName().toStdString())
                      : std::string("no control"));
    }
    if (verb != "expect" && verb != "enabled" && verb != "disabled" && verb != "ticked" && verb != "unticked" &&
        verb != "entries" && verb != "entry")
        return std::nullopt;

    const Id id = control(step.args[0]);
    QWidget *w = window_->widget(id);
    if (verb == "expect") {
        const std::string found = window_->cells().text(id);
        if (found != step.args[1])
            return "expected " + step.args[0] + " " + quote(step.args[1]) + "; found " + quote(found);
        return std::nullopt;
    }
    if (verb == "enabled" || verb == "disabled") {
        const bool enabled = w ? w->isEnabled() : !design(id).has(Disabled);
        if (enabled != (verb == "enabled"))
            return "expected " + step.args[0] + " " + verb + "; found it " + (enabled ? "enabled" : "disabled");
        return std::nullopt;
    }
    if (verb == "ticked" || verb == "unticked") {
        if (!qobject_cast<QCheckBox *>(w))
            return "expected a check box; found " + step.args[0] + " is not one";
        const bool ticked = window_->cells().ticked(id);
        if (ticked != (verb == "ticked"))
            return "expected " + step.args[0] + " " + verb + "; found it " + (ticked ? "ticked" : "unticked");
        return std::nullopt;
    }
    auto *combo = qobject_cast<QComboBox *>(w);
    if (!combo)
        return "expected a list; found " + step.args[0] + " is not one";
    if (verb == "entries") {
        const int expected = std::stoi(step.args[1]);
        if (combo->count() != expected)
            return "expected " + step.args[0] + " to hold " + step.args[1] + " entries; found " +
                   std::to_string(combo->count());
        return std::nullopt;
    }
    const int k = std::stoi(step.args[1]);
    const std::string found = k >= 1 && k <= combo->count() ? combo->itemText(k - 1).toStdString() : std::string();
    if (k < 1 || k > combo->count())
        return "expected entry " + step.args[1] + " of " + step.args[0] + " " + quote(step.args[2]) + "; found " +
               step.args[0] + " holds " + std::to_string(combo->count()) + " entries";
    if (found != step.args[2])
        return "expected entry " + step.args[1] + " of " + step.args[0] + " " + quote(step.args[2]) + "; found " +
               quote(found);
    return std::nullopt;
}

} // namespace quarvel::scenario
