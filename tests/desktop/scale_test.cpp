#include "app/window.h"
#include "cells/design.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

namespace quarvel {
namespace {

// The window as quarvel-shot shows it at one scale factor, in device pixels.
struct Shot {
    QImage image;
    QSize reported;
    std::map<std::string, QRectF> controls;
    std::string failure;
};

Shot take(int scale, const QTemporaryDir &dir)
{
    Shot shot;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(scale));
    environment.remove(QStringLiteral("QT_SCREEN_SCALE_FACTORS"));
    QProcess process;
    process.setProcessEnvironment(environment);
    const QString file = dir.filePath(QStringLiteral("scale-%1.png").arg(scale));
    process.start(QStringLiteral(QUARVEL_SHOT), {file});
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        shot.failure = "quarvel-shot failed at scale " + std::to_string(scale) + ": " +
                       process.readAllStandardError().toStdString();
        return shot;
    }
    std::istringstream lines(process.readAllStandardOutput().toStdString());
    std::string name;
    int width = 0, height = 0;
    lines >> name >> width >> height; // "image W H"
    shot.reported = QSize(width, height);
    double x, y, w, h;
    while (lines >> name >> x >> y >> w >> h)
        shot.controls[name] = QRectF(x, y, w, h);
    shot.image = QImage(file);
    return shot;
}

bool dark(const QImage &image, int x, int y) { return image.valid(x, y) && qGray(image.pixel(x, y)) < 128; }

// Each test shows the window at scale 1 and at scale 2, in processes of their own.
class Scale : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        one = take(1, dir);
        two = take(2, dir);
        ASSERT_EQ(one.failure, "");
        ASSERT_EQ(two.failure, "");
    }

    QTemporaryDir dir;
    Shot one, two;
};

// At a scale factor of 2 the window is its design at twice the pixels: the
// image and every control, in device pixels.
TEST_F(Scale, EverythingDoubles)
{
    EXPECT_EQ(one.image.size(), QSize(767, 671));
    EXPECT_EQ(two.image.size(), QSize(1534, 1342));
    EXPECT_EQ(one.reported, one.image.size());
    EXPECT_EQ(two.reported, two.image.size());
    ASSERT_FALSE(one.controls.empty());
    ASSERT_EQ(one.controls.size(), two.controls.size());
    for (const auto &[name, at] : one.controls) {
        const QRectF doubled(at.topLeft() * 2, at.size() * 2);
        EXPECT_EQ(two.controls.at(name), doubled) << name;
    }
}

// The window's own drawing follows: the design's lines and the summary frame
// lie at twice their place in the image.
TEST_F(Scale, LinesLieAtTwiceTheirPlace)
{
    for (const ControlDesign &d : kDesign) {
        QLineF line;
        if (d.kind == Kind::Line)
            line = QLineF(pixels(d.left), pixels(d.top), pixels(d.width), pixels(d.height));
        else if (d.kind == Kind::Rectangle)
            line = QLineF(pixels(d.left), pixels(d.top), pixels(d.left + d.width) - 1, pixels(d.top)); // its top edge
        else
            continue;
        for (double t : {0.1, 0.3, 0.5, 0.7, 0.9}) {
            const QPoint at = line.pointAt(t).toPoint();
            EXPECT_TRUE(dark(one.image, at.x(), at.y())) << d.name << " at scale 1, " << t;
            bool drawn = false; // a line one pixel wide is two device pixels wide
            for (int dx = -1; dx <= 1; ++dx)
                for (int dy = -1; dy <= 1; ++dy)
                    drawn = drawn || dark(two.image, 2 * at.x() + dx, 2 * at.y() + dy);
            EXPECT_TRUE(drawn) << d.name << " at scale 2, " << t;
        }
    }
}

// Text is drawn at the device's resolution, not blown up: in the captions at
// scale 2, most 2x2 blocks that hold ink are not of one colour, as every
// block of a magnified scale-1 image would be.
TEST_F(Scale, TextIsSharp)
{
    int inked = 0, detailed = 0;
    for (const ControlDesign &d : kDesign) {
        if (d.kind != Kind::Label || d.has(Hidden) || d.text.empty())
            continue;
        const QRect area = two.controls.at(std::string(d.name)).toRect();
        for (int y = area.top() & ~1; y + 1 <= area.bottom(); y += 2)
            for (int x = area.left() & ~1; x + 1 <= area.right(); x += 2) {
                const QRgb block[] = {two.image.pixel(x, y), two.image.pixel(x + 1, y), two.image.pixel(x, y + 1),
                                      two.image.pixel(x + 1, y + 1)};
                bool ink = false, uniform = true;
                for (QRgb p : block) {
                    ink = ink || qGray(p) < 160;
                    uniform = uniform && p == block[0];
                }
                inked += ink;
                detailed += ink && !uniform;
            }
    }
    ASSERT_GT(inked, 1000);
    EXPECT_GT(detailed, inked / 2) << detailed << " of " << inked << " inked blocks have detail";
}

} // namespace
} // namespace quarvel
