#pragma once

#include <QAccessible>

class QObject;
class QString;

namespace quarvel {

// Qt's accessible interface factory for the window's lists: a list is
// announced by its accessible name, its entry being its value. Qt on Unix
// announces a list by the entry it shows and takes its name from a caption
// that is its buddy; the rows' lists have no caption of their own.
QAccessibleInterface *accessibleList(const QString &className, QObject *object);

} // namespace quarvel
