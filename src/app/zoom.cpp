#include "app/zoom.h"

#include "app/plandocument.h"
#include "commands/files.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <array>

namespace quarvel {
namespace {

constexpr std::array<int, 8> kSteps = {75, 100, 125, 150, 175, 200, 250, 300};
constexpr int kFormTextPixels = 11; // windowFont()'s

QString settingsFile() { return configFolder() + QStringLiteral("/settings.json"); }

} // namespace

int zoomedIn(int percent)
{
    const auto next = std::upper_bound(kSteps.begin(), kSteps.end(), percent);
    return next == kSteps.end() ? percent : *next;
}

int zoomedOut(int percent)
{
    const auto at = std::lower_bound(kSteps.begin(), kSteps.end(), percent);
    return at == kSteps.begin() ? percent : *(at - 1);
}

int zoomed(int pixels, int percent) { return (pixels * percent + 50) / 100; }

QRect zoomed(const QRect &rect, int percent)
{
    const QPoint topLeft(zoomed(rect.left(), percent), zoomed(rect.top(), percent));
    const QPoint beyond(zoomed(rect.left() + rect.width(), percent), zoomed(rect.top() + rect.height(), percent));
    return QRect(topLeft, beyond - QPoint(1, 1));
}

int zoomForText(double pixels)
{
    for (int step : kSteps)
        if (step >= kActualSize && kFormTextPixels * step >= pixels * 100)
            return step;
    return kSteps.back();
}

std::optional<int> rememberedZoom()
{
    if (configFolder().isEmpty())
        return std::nullopt;
    QString why;
    const std::optional<QByteArray> bytes = readWhole(settingsFile(), 1 << 16, why);
    if (!bytes)
        return std::nullopt;
    const int zoom = QJsonDocument::fromJson(*bytes).object().value(QStringLiteral("zoom")).toInt();
    if (std::find(kSteps.begin(), kSteps.end(), zoom) == kSteps.end())
        return std::nullopt;
    return zoom;
}

QString rememberZoom(int percent)
{
    if (configFolder().isEmpty())
        return QStringLiteral("there is no home folder to keep it in");
    const QJsonObject settings{{QStringLiteral("zoom"), percent}};
    QString why = makeFolder(configFolder());
    if (why.isEmpty())
        why = writeWhole(settingsFile(), QJsonDocument(settings).toJson(), Links::Replace);
    return why;
}

} // namespace quarvel
