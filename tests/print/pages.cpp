#include "pages.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>

namespace quarvel::print {
namespace {

// A sheet of paper renders as pure white; anything darker than this was
// printed on it.
constexpr int kPaper = 248;

bool isPostScript(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) && f.read(2) == "%!";
}

// The picture in grey, at the size given, smoothed by the scaling.
std::vector<double> greys(const QImage &image, QSize size)
{
    const QImage small =
        image.convertToFormat(QImage::Format_RGB32).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage grey = small.convertToFormat(QImage::Format_Grayscale8);
    std::vector<double> values;
    values.reserve(std::size_t(size.width()) * std::size_t(size.height()));
    for (int y = 0; y < grey.height(); ++y) {
        const uchar *line = grey.constScanLine(y);
        values.insert(values.end(), line, line + grey.width());
    }
    return values;
}

} // namespace

std::vector<QImage> renderPages(const QString &file, int dpi, QString *error)
{
    QTemporaryDir out;
    const QString prefix = out.filePath(QStringLiteral("page"));
    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels);
    if (isPostScript(file))
        tool.start(QStringLiteral("gs"),
                   {QStringLiteral("-q"), QStringLiteral("-dSAFER"), QStringLiteral("-dBATCH"),
                    QStringLiteral("-dNOPAUSE"), QStringLiteral("-sDEVICE=png16m"), QStringLiteral("-r%1").arg(dpi),
                    QStringLiteral("-sOutputFile=%1-%d.png").arg(prefix), file});
    else
        tool.start(QStringLiteral("pdftoppm"),
                   {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"), file, prefix});
    const bool ran = tool.waitForFinished(30000);
    if (!ran || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0) {
        if (error)
            *error = QStringLiteral("%1 could not render %2: %3")
                         .arg(tool.program(), file, ran ? QString::fromLocal8Bit(tool.readAll()) : tool.errorString());
        return {};
    }

    // page-1.png, page-2.png ... (poppler pads the numbers of long files)
    QStringList names = QDir(out.path()).entryList({QStringLiteral("page-*.png")}, QDir::Files);
    QCollator numeric;
    numeric.setNumericMode(true);
    std::sort(names.begin(), names.end(), numeric);
    std::vector<QImage> pages;
    for (const QString &name : names)
        pages.emplace_back(out.filePath(name));
    return pages;
}

QRect inkBox(const QImage &page)
{
    const QImage rgb = page.convertToFormat(QImage::Format_RGB32);
    int left = rgb.width(), top = rgb.height(), right = -1, bottom = -1;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb p = line[x];
            if (std::min({qRed(p), qGreen(p), qBlue(p)}) >= kPaper)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

double likeness(const QImage &a, const QImage &b)
{
    // Small enough to blur away the softening of printing, large enough to
    // keep the window's boxes, lines and captions apart.
    const QSize size = a.size().scaled(192, 192, Qt::KeepAspectRatio);
    const std::vector<double> x = greys(a, size), y = greys(b, size);
    double mx = 0, my = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        mx += x[i];
        my += y[i];
    }
    mx /= double(x.size());
    my /= double(y.size());
    double sxy = 0, sxx = 0, syy = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        sxy += (x[i] - mx) * (y[i] - my);
        sxx += (x[i] - mx) * (x[i] - mx);
        syy += (y[i] - my) * (y[i] - my);
    }
    if (sxx < 1e-9 || syy < 1e-9)
        return 0;
    return sxy / std::sqrt(sxx * syy);
}

} // namespace quarvel::print
