#include "playing.h"

#include <QApplication>
#include <QKeySequence>
#include <QTest>

namespace quarvel {
namespace {

using KeysTest = WindowTest;

void press(const QKeySequence &keys)
{
    for (int i = 0; i < keys.count(); ++i)
        QTest::keyClick(QApplication::focusWidget(), keys[i].key(), keys[i].keyboardModifiers());
}

// The platform's Print key prints, wherever the focus is, as the Print button
// does: with no printer to print on, Print offers to save the page and the
// player cancels that dialog.
TEST_F(KeysTest, ThePrintKeyPrints)
{
    const QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Print);
    ASSERT_FALSE(keys.isEmpty());
    int prints = 0;
    for (Id where : {Id::Text16, Id::Combo2, Id::Check1, Id::Command2}) {
        SCOPED_TRACE(nameOf(where));
        for (const QKeySequence &key : keys) {
            QApplication::setActiveWindow(&window()); // back from the dialog
            window().widget(where)->setFocus();
            press(key);
            ++prints;
            QTRY_COMPARE(player.dialogsCancelled(), prints);
        }
    }
    EXPECT_EQ(play("no-alert"), "");
}

// The platform's Quit key is bound on a real X server only (the offscreen
// platform binds none): the X11 smoke test presses Ctrl+Q there.

} // namespace
} // namespace quarvel
