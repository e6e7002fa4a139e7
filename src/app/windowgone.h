#pragma once

#include <QAbstractNativeEventFilter>

#include <functional>

class QWidget;

namespace quarvel {

// Another X client can destroy a window of the program (xdotool windowclose,
// a session tidying up), which Qt takes no note of. Without its window the
// program would run on with nothing to show: `gone` runs. Without a dialog
// of the window (a message box, a file dialog) the window would wait for an
// answer nobody can give: the dialog counts as dismissed.
class WindowGoneWatch : public QAbstractNativeEventFilter {
public:
    WindowGoneWatch(QWidget &window, std::function<void()> gone);
    WindowGoneWatch(const WindowGoneWatch &) = delete;
    WindowGoneWatch &operator=(const WindowGoneWatch &) = delete;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    QWidget &window_;
    std::function<void()> gone_;
};

} // namespace quarvel
