#include "ui/settings/OpacityPreview.h"

#include "ui/foundation/AccessibilityMarks.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/RoundedCard.h"

#include <QPainter>
#include <QPainterPath>

namespace corvel {

namespace {
constexpr int barHeight = 10;
constexpr int barSpacing = 10;
constexpr int callPadding = 20;
constexpr int windowMargin = 12;
constexpr int windowPadding = 18;

} // namespace

OpacityPreview::OpacityPreview(double opacity, QWidget* parent)
    : QWidget(parent), m_opacity(opacity) {
    setFixedSize(245, 145);
    hideFromAccessibility(this);
}

void OpacityPreview::setOpacity(double opacity) {
    if (opacity == m_opacity)
        return;
    m_opacity = opacity;
    update();
}

void OpacityPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    fillRounded(painter, rect(), 4, Palette::surface());

    // The call's content, vertically centred as a block.
    const std::pair<QColor, int> bars[] = {
        {Palette::pink(), 38}, {Palette::cyan(), 145}, {Palette::green(), 96}};
    const int barsHeight = 3 * barHeight + 2 * barSpacing;
    qreal y = (height() - barsHeight) / 2.0;
    for (const auto& [color, width] : bars) {
        painter.fillRect(QRectF(callPadding, y, width, barHeight), color);
        y += barHeight + barSpacing;
    }

    // The floating window: caption and two lines, on the canvas colour at the chosen opacity.
    QFont caption = appFont(9, QFont::Medium);
    caption.setLetterSpacing(QFont::AbsoluteSpacing, 1);
    const QFont answer = appFont(15, QFont::Medium);
    const QFontMetrics captionMetrics(caption);
    const QFontMetrics answerMetrics(answer);
    const int lineSpacing = 4;
    const int contentHeight =
        captionMetrics.height() + 9 + 2 * answerMetrics.height() + lineSpacing;
    const QRectF window(windowMargin, (height() - contentHeight) / 2.0 - windowPadding,
                        width() - 2 * windowMargin, contentHeight + 2 * windowPadding);
    fillRounded(painter, window, 4, Palette::withOpacity(Palette::canvas(), m_opacity));

    qreal top = window.top() + windowPadding;
    const qreal left = window.left() + windowPadding;
    painter.setFont(caption);
    painter.setPen(Palette::secondary());
    painter.drawText(QPointF(left, top + captionMetrics.ascent()), QStringLiteral("YOUR ANSWER"));
    top += captionMetrics.height() + 9;
    painter.setFont(answer);
    painter.setPen(Palette::ink());
    painter.drawText(QPointF(left, top + answerMetrics.ascent()),
                     QStringLiteral("Your talking points,"));
    top += answerMetrics.height() + lineSpacing;
    painter.drawText(QPointF(left, top + answerMetrics.ascent()),
                     QStringLiteral("always in view."));
}

} // namespace corvel
