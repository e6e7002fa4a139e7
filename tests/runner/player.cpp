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
#include <QMessageBox>
#include <QPushButton>
#include <QStringDecoder>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QTextBoundaryFinder>
#include <QTimer>

#include <iostream>

namespace quarvel::scenario {
namespace {

std::string quote(const std::string &s) { return "\"" + s + "\""; }

// Where a person clicks to type into a text box or an editable list.
QLineEdit *editField(QWidget *w)
{
    auto *combo = qobject_cast<QComboBox *>(w);
    return combo ? combo->lineEdit() : qobject_cast<QLineEdit *>(w); // a list-only list has none
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
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return QStringLiteral("\r");
    if (key == Qt::Key_Tab)
        return QStringLiteral("\t");
    if (key == Qt::Key_Backspace)
        return QStringLiteral("\b");
    if (key == Qt::Key_Escape)
        return QStringLiteral("\x1b");
    if (key < Qt::Key_Space || key >= Qt::Key_Escape)
        return QString();
    const char32_t code = key;
    const QString text = QString::fromUcs4(&code, 1);
    return modifiers & Qt::ShiftModifier ? text : text.toLower();
}

// When the control named is not of the kind the argument takes: that kind.
const char *unfit(Arg arg, Id id, QWidget *w)
{
    const Kind kind = design(id).kind;
    if (arg == Arg::List && !qobject_cast<QComboBox *>(w))
        return "a list";
    if (arg == Arg::CheckBox && !qobject_cast<QCheckBox *>(w))
        return "a check box";
    if (arg == Arg::Button && !qobject_cast<QPushButton *>(w))
        return "a button";
    if (arg == Arg::TextField && !editField(w))
        return "a text box or a list that takes typing";
    if (arg == Arg::Texted && (kind == Kind::CheckBox || kind == Kind::Line || kind == Kind::Rectangle))
        return "a control with a text";
    return nullptr;
}

// A state of two, `on` or `off`, as the step expects it and as found.
Failure expectState(const std::string &what, bool found, bool wanted, const char *on, const char *off)
{
    if (found == wanted)
        return std::nullopt;
    return "expected " + what + " " + (wanted ? on : off) + "; found it " + (found ? on : off);
}

Failure expectText(const std::string &what, const std::string &wanted, const std::string &found)
{
    if (found == wanted)
        return std::nullopt;
    return "expected " + what + " " + quote(wanted) + "; found " + quote(found);
}

// The verbs. Each plays on a control of the kind its arguments name, shown
// and enabled when a person acts on it; `on` and `item` come from its row.

// Types the step's text as a person would; it must be text a person can type:
// UTF-8, and no control character but Tab.
Failure type(const Call &c)
{
    QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decode(QByteArrayView(c.args[1].data(), qsizetype(c.args[1].size())));
    if (decode.hasError())
        return "expected UTF-8 text to type; found bytes that are not UTF-8";
    for (QChar ch : text)
        if (ch != u'\t' && ch.category() == QChar::Other_Control)
            return "expected text a person can type; found the control character U+" +
                   QString::number(ch.unicode(), 16).rightJustified(4, u'0').toUpper().toStdString();
    click(editField(c.widget));
    QTest::keyClick(editField(c.widget), Qt::Key_End);
    // ASCII key by key, and every other character (a letter with its accent,
    // a digit of another script, a character beyond the 16-bit plane) as the
    // person's input method commits it, one character as the eye sees it at a
    // time, into whatever has the focus.
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = characters.toNextBoundary();
        if (end < 0)
            end = text.size();
        const QString character = text.mid(start, end - start);
        start = end;
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : editField(c.widget);
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

Failure erase(const Call &c)
{
    click(editField(c.widget));
    QTest::keyClick(editField(c.widget), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editField(c.widget), Qt::Key_Delete);
    return std::nullopt;
}

Failure pick(const Call &c)
{
    auto *combo = static_cast<QComboBox *>(c.widget);
    const int i = combo->findText(qs(c.args[1]), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (i < 0)
        return "expected an entry " + quote(c.args[1]) + " in " + c.args[0] + "; found none";
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

// Clicks the button, or the check box when it is not in the verb's state.
Failure press(const Call &c)
{
    auto *box = qobject_cast<QCheckBox *>(c.widget);
    if (!box || box->isChecked() != c.verb.on)
        click(c.widget);
    return std::nullopt;
}

// Presses and releases the key, named as Qt names it, in the control that has
// the focus, wherever Qt's test keyboard knows the key or not.
Failure key(const Call &c)
{
    const std::string name = c.args.empty() ? std::string(c.verb.item) : c.args[0];
    const QKeySequence key(qs(name));
    if (key.count() != 1 || key[0].key() == Qt::Key_unknown)
        return "expected a key named as Qt names it; found " + quote(name);
    QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : &c.window;
    const Qt::KeyboardModifiers modifiers = key[0].keyboardModifiers();
    QTest::sendKeyEvent(QTest::Click, target, key[0].key(), keyText(key[0].key(), modifiers), modifiers);
    return std::nullopt;
}

Failure set(const Call &c)
{
    c.window.cells().setText(c.id, c.args[1]);
    return std::nullopt;
}

Failure expect(const Call &c) { return expectText(c.args[0], c.args[1], c.window.cells().text(c.id)); }

Failure enabled(const Call &c)
{
    const bool found = c.widget ? c.widget->isEnabled() : !design(c.id).has(Disabled);
    return expectState(c.args[0], found, c.verb.on, "enabled", "disabled");
}

Failure ticked(const Call &c)
{
    return expectState(c.args[0], c.window.cells().ticked(c.id), c.verb.on, "ticked", "unticked");
}

Failure entries(const Call &c)
{
    const int count = static_cast<QComboBox *>(c.widget)->count();
    if (count == std::stoi(c.args[1]))
        return std::nullopt;
    return "expected " + c.args[0] + " to hold " + c.args[1] + " entries; found " + std::to_string(count);
}

Failure entry(const Call &c)
{
    const auto *combo = static_cast<QComboBox *>(c.widget);
    const int k = std::stoi(c.args[1]);
    const std::string what = "entry " + c.args[1] + " of " + c.args[0];
    if (k < 1 || k > combo->count())
        return "expected " + what + " " + quote(c.args[2]) + "; found " + c.args[0] + " holds " +
               std::to_string(combo->count()) + " entries";
    return expectText(what, c.args[2], combo->itemText(k - 1).toStdString());
}

Failure alert(const Call &c) { return c.player.alert(c.args); }

Failure focus(const Call &c)
{
    QWidget *focus = QApplication::focusWidget();
    if (c.widget && focus && (focus == c.widget || c.widget->isAncestorOf(focus)))
        return std::nullopt;
    // A list's edit field has no name of its own: the list's is shown.
    const QWidget *named = focus && focus->objectName().isEmpty() ? focus->parentWidget() : focus;
    return "expected the focus in " + c.args[0] + "; found it in " +
           (named ? named->objectName().toStdString() : std::string("no control"));
}

Failure shot(const Call &c)
{
    if (c.window.grab().save(qs(c.args[0]), "PNG"))
        return std::nullopt;
    return "expected the image saved as " + quote(c.args[0]) + "; found it could not be written";
}

// Chooses the verb's menu item; a PATH answers the file dialog it opens.
Failure choose(const Call &c)
{
    return c.player.choose(std::string(c.verb.item), c.args.empty() ? nullptr : &c.args[0]);
}

// Save As with a PATH, Save without.
Failure save(const Call &c)
{
    return c.args.empty() ? c.player.choose("File › Save", nullptr) : c.player.choose("File › Save As", &c.args[0]);
}

Failure menu(const Call &c)
{
    const int cancelled = c.player.dialogsCancelled();
    if (auto failure = c.player.choose(c.args[0], nullptr))
        return failure;
    if (c.player.dialogsCancelled() != cancelled)
        return "expected " + c.args[0] + " to open no dialog but a message box; found one, closed";
    return std::nullopt;
}

Failure itemEnabled(const Call &c)
{
    const std::string item(c.verb.item);
    return expectState(item, c.window.menus().item(qs(item))->isEnabled(), c.verb.on, "enabled", "disabled");
}

// Whether the window holds work that is not saved: the title's marker.
Failure modified(const Call &c)
{
    return expectState("the window " + quote(c.window.cells().text(Id::Form1)), c.window.isWindowModified(), c.verb.on,
                       "modified", "unmodified");
}

Failure clipboard(const Call &c)
{
    const QString text = QApplication::clipboard()->text();
    for (const QString &line : text.split(u'\n'))
        if ((line.endsWith(u'\r') ? line.chopped(1) : line) == qs(c.args[0]))
            return std::nullopt;
    return "expected a line " + quote(c.args[0]) + " on the clipboard; found " + quote(text.toStdString());
}

} // namespace

const Verb *verbNamed(std::string_view name)
{
    static const Verb verbs[] = {
        {"type", {Arg::TextField, Arg::Text}, Needs::UsableControl, type},
        {"erase", {Arg::TextField}, Needs::UsableControl, erase},
        {"pick", {Arg::List, Arg::Text}, Needs::UsableControl, pick},
        {"tick", {Arg::CheckBox}, Needs::UsableControl, press, true},
        {"untick", {Arg::CheckBox}, Needs::UsableControl, press, false},
        {"press", {Arg::Button}, Needs::UsableControl, press},
        {"tab", {}, Needs::OpenWindow, key, true, "Tab"},
        {"key", {Arg::Key}, Needs::OpenWindow, key},
        {"set", {Arg::Texted, Arg::Text}, Needs::OpenWindow, set},
        {"expect", {Arg::Control, Arg::Text}, Needs::Nothing, expect},
        {"enabled", {Arg::Control}, Needs::OpenWindow, enabled, true},
        {"disabled", {Arg::Control}, Needs::OpenWindow, enabled, false},
        {"ticked", {Arg::CheckBox}, Needs::OpenWindow, ticked, true},
        {"unticked", {Arg::CheckBox}, Needs::OpenWindow, ticked, false},
        {"entries", {Arg::List, Arg::Number}, Needs::OpenWindow, entries},
        {"entry", {Arg::List, Arg::Number, Arg::Text}, Needs::OpenWindow, entry},
        {"alert", {Arg::Text, Arg::MaybeText}, Needs::Nothing, alert},
        {"no-alert", {}, Needs::Nothing, alert},
        {"focus", {Arg::Control}, Needs::OpenWindow, focus},
        {"shot", {Arg::Text}, Needs::Nothing, shot},
        {"new", {}, Needs::OpenWindow, choose, true, "File › New"},
        {"open", {Arg::Text}, Needs::OpenWindow, choose, true, "File › Open"},
        {"save", {Arg::MaybeText}, Needs::OpenWindow, save},
        {"export", {Arg::Text}, Needs::OpenWindow, choose, true, "File › Export as PDF"},
        {"menu", {Arg::Text}, Needs::OpenWindow, menu},
        {"undo", {}, Needs::OpenWindow, choose, true, "Edit › Undo"},
        {"redo", {}, Needs::OpenWindow, choose, true, "Edit › Redo"},
        {"can-undo", {}, Needs::Nothing, itemEnabled, true, "Edit › Undo"},
        {"cannot-undo", {}, Needs::Nothing, itemEnabled, false, "Edit › Undo"},
        {"can-redo", {}, Needs::Nothing, itemEnabled, true, "Edit › Redo"},
        {"cannot-redo", {}, Needs::Nothing, itemEnabled, false, "Edit › Redo"},
        {"modified", {}, Needs::Nothing, modified, true},
        {"unmodified", {}, Needs::Nothing, modified, false},
        {"clipboard", {Arg::Text}, Needs::Nothing, clipboard},
    };
    for (const Verb &verb : verbs)
        if (verb.name == name)
            return &verb;
    return nullptr;
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
            const auto accept =
                files->acceptMode() == QFileDialog::AcceptSave ? QDialogButtonBox::Save : QDialogButtonBox::Open;
            if (auto *buttons = files->findChild<QDialogButtonBox *>(); buttons && buttons->button(accept))
                buttons->button(accept)->click();
            // A dialog that did not take the file (it went into a folder of
            // that name) is cancelled, and the step fails.
            if (files->isVisible()) {
                refused_ = true;
                files->reject();
            }
        });
    } else if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
        Box seen{box->windowTitle().toStdString(), box->text().toStdString(), {}};
        if (box->icon() != QMessageBox::Critical)
            seen.unlike += " without the critical-stop icon";
        if (box->buttons().size() != 1 || box->standardButtons() != QMessageBox::Ok)
            seen.unlike += " with buttons other than one OK";
        if (!box->isModal())
            seen.unlike += " that was not modal";
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

Failure Player::play(const Step &step)
{
    const Failure failure = playOn(step);
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
    return failure;
}

Failure Player::playOn(const Step &step)
{
    const Verb &verb = *step.verb;
    if (verb.needs != Needs::Nothing && window_->closed())
        return "expected the window open; found it closed by Exit";
    const bool named = !verb.args.empty() && namesControl(verb.args.front());
    const Id id = named ? *idNamed(step.args[0]) : Id::Form1;
    QWidget *w = named ? window_->widget(id) : nullptr;
    if (verb.needs == Needs::UsableControl && (!w || !w->isVisible()))
        return "expected " + step.args[0] + " shown; found it hidden";
    if (verb.needs == Needs::UsableControl && !w->isEnabled())
        return "expected " + step.args[0] + " enabled; found it disabled";
    if (const char *kind = named ? unfit(verb.args.front(), id, w) : nullptr)
        return "expected " + std::string(kind) + "; found " + step.args[0] + " is not one";
    return verb.play({*this, *window_, verb, step.args, id, w});
}

Failure Player::choose(const std::string &what, const std::string *file)
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
    if (!std::exchange(answer_, QString()).isEmpty())
        return "expected " + what + " to ask for a file; found no file dialog";
    if (refused_)
        return "expected the file dialog to take " + *file + "; found it did not";
    return std::nullopt;
}

Failure Player::alert(const std::vector<std::string> &args)
{
    if (args.empty() && !boxes_.empty())
        return "expected no message box left to check; found " + boxes_.front().describe() +
               (boxes_.size() > 1 ? " and " + std::to_string(boxes_.size() - 1) + " more" : "");
    if (args.empty())
        return std::nullopt;
    // With the prompt left out, any prompt passes.
    const bool anyPrompt = args.size() < 2;
    const std::string expected = "message box " + quote(args[0]) + (anyPrompt ? "" : " " + quote(args[1]));
    if (boxes_.empty())
        return "expected " + expected + "; found no message box left to check";
    const Box box = boxes_.front();
    boxes_.pop_front();
    if (box.title != args[0] || (!anyPrompt && box.prompt != args[1]) || !box.unlike.empty())
        return "expected " + expected + " with the critical-stop icon and one OK button; found " + box.describe();
    return std::nullopt;
}

} // namespace quarvel::scenario
