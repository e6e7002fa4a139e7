#include "quiet.h"

#include <QString>

#include <iostream>

namespace quarvel::scenario {

void quietPlatform(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (message.startsWith(QLatin1String("This plugin does not support")) ||
        message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    if (type != QtDebugMsg)
        std::cerr << message.toStdString() << std::endl;
}

} // namespace quarvel::scenario
