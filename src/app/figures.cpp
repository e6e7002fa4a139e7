#include "app/figures.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyleOptionFrame>
#include <QToolTip>

#include <optional>

namespace quarvel {
namespace {

constexpr int kSmallestPixels = 8; // the smallest text that still reads
const QString kNoFigure = QStringLiteral("###");

// The font, from the widget's own down to the smallest that reads, in which
// the text fits the width; none when it cannot fit.
std::optional<QFont> fitting(QFont font, const QString &text, int width)
{
    if (text.size() > width)
        return std::nullopt; // no character that reads is narrower than a pixel: a long text is not measured
    for (int pixels = QFontInfo(font).pixelSize(); pixels >= kSmallestPixels; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetricsF(font).horizontalAdvance(text) <= width)
            return font;
    }
    return std::nullopt;
}

// Draws the text whole in the area, or the mark; says which.
bool drawWhole(QPainter &painter, const QRect &area, const QString &text, Qt::Alignment alignment)
{
    const std::optional<QFont> font = fitting(painter.font(), text, area.width());
    if (font)
        painter.setFont(*font);
    painter.drawText(area, int(alignment | Qt::AlignVCenter | Qt::TextSingleLine), font ? text : kNoFigure);
    return bool(font);
}

// Shows the whole figure as the tooltip while the figure is not all to be seen.
bool tipWhole(QEvent *event, QWidget *widget, const QString &text, int width)
{
    if (event->type() != QEvent::ToolTip ||
        (text.size() <= width && QFontMetrics(widget->font()).horizontalAdvance(text) <= width))
        return false;
    QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), text, widget);
    return true;
}

} // namespace

void FigureLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    drawWhole(painter, contentsRect(), text(), alignment() & Qt::AlignHorizontal_Mask);
}

bool FigureLabel::event(QEvent *event)
{
    // A tooltip of its own (a summary number's parts and total) names the
    // whole figure already.
    return (toolTip().isEmpty() && tipWhole(event, this, text(), contentsRect().width())) || QLabel::event(event);
}

QRect FormBox::textArea() const
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QMargins margins = textMargins();
    // As a text box lays out its text: two pixels in from the sides.
    return style()
        ->subElementRect(QStyle::SE_LineEditContents, &option, this)
        .marginsRemoved(margins)
        .adjusted(2, 0, -2, 0);
}

void FormBox::paintEvent(QPaintEvent *event)
{
    if (hasFocus())
        return QLineEdit::paintEvent(event);
    QPainter painter(this);
    QStyleOptionFrame option;
    initStyleOption(&option);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    const QRect area = textArea();
    if (figures_) {
        drawWhole(painter, area, text(), Qt::AlignLeft);
    } else {
        // No character that shows is narrower than a pixel.
        painter.setClipRect(area);
        painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text().left(area.width()));
    }
}

bool FormBox::event(QEvent *event)
{
    return (figures_ && tipWhole(event, this, text(), textArea().width())) || QLineEdit::event(event);
}

} // namespace quarvel
