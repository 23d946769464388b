#include "ui/shell/NavigationTab.h"

#include "ui/foundation/AppFont.h"
#include "ui/foundation/FocusRing.h"
#include "ui/foundation/Palette.h"

#include <QPainter>
#include <QtMath>

namespace corvel {

namespace {
constexpr int square = 7;
constexpr int spacing = 9;
constexpr int verticalPadding = 12;
constexpr qreal disabledOpacity = 0.45;

QFont badgeFont() {
    return tracked(appFont(9, QFont::DemiBold), 0.7);
}

const QString liveText = QStringLiteral("LIVE");
} // namespace

NavigationTab::NavigationTab(const QString& title, const QColor& color, QWidget* parent)
    : QAbstractButton(parent), m_color(color), m_focusRing(new FocusRing(this)) {
    setText(title);
    setAccessibleName(title);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    // Around the label's text line rather than its whole padded height.
    m_focusRing->setOutline([this] { return QRectF(rect()).adjusted(-3, 6, 3, -6); }, 5);
}

void NavigationTab::setCurrent(bool current) {
    if (current == m_current)
        return;
    m_current = current;
    setAccessibleDescription(current ? QStringLiteral("Current") : QString());
    updateGeometry();
    update();
}

void NavigationTab::setLiveBadge(bool live) {
    if (live == m_live)
        return;
    m_live = live;
    setAccessibleName(live ? text() + QStringLiteral(", live") : text());
    updateGeometry();
    update();
}

QFont NavigationTab::titleFont() const {
    return appFont(14, m_current ? QFont::DemiBold : QFont::Normal);
}

QSizeF NavigationTab::badgeSize() const {
    const QFontMetricsF metrics(badgeFont());
    return {metrics.horizontalAdvance(liveText) + 12, metrics.height() + 8};
}

QSize NavigationTab::sizeHint() const {
    const QFontMetrics metrics(titleFont());
    qreal width = square + spacing + metrics.horizontalAdvance(text());
    qreal height = metrics.height();
    if (m_live) {
        width += spacing + badgeSize().width();
        height = qMax(height, badgeSize().height());
    }
    return {qCeil(width), qRound(height + 2 * verticalPadding)};
}

void NavigationTab::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        painter.setOpacity(disabledOpacity);
    else if (isDown())
        painter.setOpacity(0.82);
    const QColor foreground = m_current ? Palette::ink() : Palette::secondary();
    const qreal middle = height() / 2.0;
    qreal x = 0;
    if (m_current)
        painter.fillRect(QRectF(x, middle - square / 2.0, square, square), m_color);
    x += square + spacing;

    const QFont font = titleFont();
    const qreal titleWidth = QFontMetricsF(font).horizontalAdvance(text());
    painter.setFont(font);
    painter.setPen(foreground);
    painter.drawText(QRectF(x, 0, titleWidth + 1, height()), Qt::AlignVCenter | Qt::AlignLeft,
                     text());
    x += titleWidth + spacing;

    if (m_live) {
        const QSizeF badge = badgeSize();
        const QRectF box(x, middle - badge.height() / 2, badge.width(), badge.height());
        painter.fillRect(box, Palette::withOpacity(Palette::green(), 0.16));
        painter.setFont(badgeFont());
        painter.drawText(box, Qt::AlignCenter, liveText);
    }
}

} // namespace corvel
