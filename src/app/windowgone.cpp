#include "app/windowgone.h"

#include <QCoreApplication>
#include <QDialog>
#include <QWidget>

#include <xcb/xcb.h>

namespace quarvel {

WindowGoneWatch::WindowGoneWatch(QWidget &window, std::function<void()> gone) : window_(window), gone_(std::move(gone))
{
    // The filter takes itself out of the application as it goes.
    QCoreApplication::instance()->installNativeEventFilter(this);
}

bool WindowGoneWatch::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & 0x7f) != XCB_DESTROY_NOTIFY)
        return false;
    const WId destroyed = reinterpret_cast<const xcb_destroy_notify_event_t *>(event)->window;
    if (destroyed == window_.internalWinId()) {
        gone_();
        return false;
    }
    for (QDialog *dialog : window_.findChildren<QDialog *>(QString(), Qt::FindDirectChildrenOnly))
        if (dialog->internalWinId() == destroyed)
            dialog->reject();
    return false;
}

} // namespace quarvel
