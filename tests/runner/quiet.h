#pragma once

#include <QtGlobal>

namespace quarvel::scenario {

// A message handler for the offscreen platform, which says what it cannot do
// (raise a popup, grab the keyboard) each time a list or dialog opens: that
// is no news to a test. Everything else still reaches standard error.
void quietPlatform(QtMsgType type, const QMessageLogContext &context, const QString &message);

} // namespace quarvel::scenario
