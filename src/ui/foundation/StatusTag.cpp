#include "ui/foundation/StatusTag.h"

#include "ui/foundation/AppFont.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/RoundedCard.h"

#include <QPainter>

namespace corvel {

namespace {
constexpr int squareSide = 6;
constexpr int spacing = 7;
constexpr int padX = 10;
constexpr int padY = 7;
constexpr qreal cornerRadius = 4;
constexpr qreal positiveFillOpacity = 0.13;

QFont tagFont() {
    return appFont(11, QFont::Medium);
}
} // namespace

StatusTag::StatusTag(const QString& text, bool positive, QWidget* parent)
    : QWidget(parent), m_text(text), m_positive(positive) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAccessibleName(text);
}

void StatusTag::setStatus(const QString& text, bool positive) {
    m_text = text;
    m_positive = positive;
    setAccessibleName(text);
    updateGeometry();
    update();
}

QSize StatusTag::sizeHint() const {
    const QFontMetrics metrics(tagFont());
    return {padX + squareSide + spacing + metrics.horizontalAdvance(m_text) + padX,
            padY + qMax(metrics.height(), squareSide) + padY};
}

void StatusTag::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    fillRounded(painter, rect(), cornerRadius,
                m_positive ? Palette::withOpacity(Palette::green(), positiveFillOpacity)
                           : Palette::surface());
    const qreal middle = height() / 2.0;
    painter.fillRect(QRectF(padX, middle - squareSide / 2.0, squareSide, squareSide),
                     m_positive ? Palette::green() : Palette::muted());
    painter.setFont(tagFont());
    painter.setPen(m_positive ? Palette::ink() : Palette::secondary());
    const int textLeft = padX + squareSide + spacing;
    painter.drawText(QRect(textLeft, 0, width() - textLeft - padX, height()),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_text);
}

} // namespace corvel
