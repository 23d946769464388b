#include "ui/settings/HistoryRecordButton.h"

#include "ui/foundation/AppFont.h"
#include "ui/foundation/FocusRing.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/SymbolImage.h"

#include <QPainter>
#include <QPainterPath>

namespace corvel {

namespace {
constexpr int tileSide = 48;
constexpr int tileSymbol = 18;
constexpr int spacing = 18;
constexpr int lineSpacing = 7;
// The flexible spacer between the texts and the count is at least 12 long, and the row's spacing
// stands on both its sides.
constexpr int minimumGap = 12 + 2 * spacing;
constexpr int arrowSide = 13;

QFont titleFont() {
    return appFont(16, QFont::Medium);
}
QFont captionFont() {
    return appFont(12, QFont::Normal);
}
} // namespace

HistoryRecordButton::HistoryRecordButton(const QString& title, const QString& date,
                                         const QString& count, QWidget* parent)
    : QAbstractButton(parent) {
    setTexts(title, date, count);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    new FocusRing(this);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void HistoryRecordButton::setTexts(const QString& title, const QString& date,
                                   const QString& count) {
    m_title = title;
    m_date = date;
    m_count = count;
    setAccessibleName(QStringLiteral("Open interview ") + title);
    updateGeometry();
    update();
}

QSize HistoryRecordButton::sizeHint() const {
    const QFontMetrics title(titleFont());
    const QFontMetrics caption(captionFont());
    const int text = qMax(title.horizontalAdvance(m_title), caption.horizontalAdvance(m_date));
    const int width = tileSide + spacing + text + minimumGap + caption.horizontalAdvance(m_count) +
                      spacing + arrowSide;
    return {width, qMax(tileSide, title.height() + lineSpacing + caption.height())};
}

QSize HistoryRecordButton::minimumSizeHint() const {
    return {tileSide + 2 * spacing + minimumGap + arrowSide, sizeHint().height()};
}

void HistoryRecordButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (isDown())
        painter.setOpacity(0.82);
    const qreal middle = height() / 2.0;

    const QRectF tile(0, middle - tileSide / 2.0, tileSide, tileSide);
    QPainterPath shape;
    shape.addRoundedRect(tile, 4, 4);
    painter.fillPath(shape, Palette::withOpacity(Palette::cyan(), 0.15));
    SymbolImage::paint(painter, QStringLiteral("waveform"),
                       QRectF(tile.center() - QPointF(tileSymbol, tileSymbol) / 2.0,
                              QSizeF(tileSymbol, tileSymbol)),
                       Palette::ink());

    const QFontMetrics title(titleFont());
    const QFontMetrics caption(captionFont());
    const int arrowLeft = width() - arrowSide;
    const int countWidth = caption.horizontalAdvance(m_count);
    const int countLeft = arrowLeft - spacing - countWidth;
    painter.setFont(captionFont());
    painter.setPen(Palette::secondary());
    painter.drawText(QRect(countLeft, 0, countWidth, height()),
                     Qt::AlignVCenter | Qt::TextSingleLine, m_count);
    SymbolImage::paint(painter, QStringLiteral("arrow.up.right"),
                       QRectF(arrowLeft, middle - arrowSide / 2.0, arrowSide, arrowSide),
                       Palette::ink());

    const int textLeft = tileSide + spacing;
    const int textWidth = qMax(0, countLeft - minimumGap - textLeft);
    const int blockHeight = title.height() + lineSpacing + caption.height();
    const int top = qRound(middle - blockHeight / 2.0);
    painter.setFont(titleFont());
    painter.setPen(Palette::ink());
    painter.drawText(QRect(textLeft, top, textWidth, title.height()),
                     Qt::AlignLeft | Qt::TextSingleLine,
                     title.elidedText(m_title, Qt::ElideRight, textWidth));
    painter.setFont(captionFont());
    painter.setPen(Palette::secondary());
    painter.drawText(
        QRect(textLeft, top + title.height() + lineSpacing, textWidth, caption.height()),
        Qt::AlignLeft, caption.elidedText(m_date, Qt::ElideRight, textWidth));
}

} // namespace corvel
