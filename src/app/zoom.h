#pragma once

#include <QRect>
#include <QString>

#include <optional>

namespace quarvel {

// The form's zoom, in percent of its design size: the steps Zoom In and Zoom
// Out go by, what a length of the form becomes, and the zoom the person chose
// last, kept between runs.
constexpr int kActualSize = 100;

// The step above or below the zoom; at the last step, the zoom itself.
int zoomedIn(int percent);
int zoomedOut(int percent);

// A length of the form, in pixels at its design size, at the zoom. A rectangle
// is zoomed by its edges, so that controls that meet on the design still meet.
int zoomed(int pixels, int percent);
QRect zoomed(const QRect &rect, int percent);

// The smallest step at which the form's text (11 pixels at actual size) is at
// least as large as text of that many pixels; no step below actual size.
int zoomForText(double pixels);

// The zoom the person chose last; nothing when none was kept, or the file
// that keeps it holds no zoom of ours.
std::optional<int> rememberedZoom();
// Keeps the zoom for the next start; why it could not, or nothing.
QString rememberZoom(int percent);

} // namespace quarvel
