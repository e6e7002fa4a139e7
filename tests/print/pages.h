#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include <vector>

namespace quarvel::print {

// The pages of a PostScript or PDF file as images at the given resolution,
// drawn by Ghostscript or poppler as a person's viewer would; empty with the
// tool's complaint in `error` when the file cannot be read.
std::vector<QImage> renderPages(const QString &file, int dpi, QString *error);

// The smallest rectangle holding everything printed on the page: the paper's
// white is not ink, the window's light grey background is.
QRect inkBox(const QImage &page);

// How alike two pictures look, from -1 to 1: both brought to one size and to
// grey, then the correlation of their pixels. A uniform picture, such as a
// blank page, is like nothing (0). Robust to the softening and small shifts
// that printing and scaling bring, unlike a pixel-by-pixel comparison.
double likeness(const QImage &a, const QImage &b);

} // namespace quarvel::print
