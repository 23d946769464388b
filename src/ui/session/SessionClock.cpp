#include "ui/session/SessionClock.h"

#include "session/AppStore.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/RedrawSchedule.h"
#include "ui/session/SessionScreenText.h"

#include <QPainter>
#include <QtMath>

namespace corvel {

SessionClock::SessionClock(AppStore& store, UptimeClock& clock, Now now, QWidget* parent)
    : QWidget(parent), m_store(store),
      m_now(now ? std::move(now) : [] { return QDateTime::currentDateTimeUtc(); }),
      m_ticks(new RedrawSchedule(
          clock, 1.0, [this] { update(); }, this)) {
    setFont(appFont(15, QFont::Normal));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(&m_store, &AppStore::sessionStartedAtChanged, this, [this] {
        updateGeometry();
        update();
    });
}

QString SessionClock::text() const {
    return SessionScreenText::clock(m_store.sessionStartedAt(), m_now());
}

bool SessionClock::isTicking() const {
    return m_ticks->isRunning();
}

qreal SessionClock::digitWidth() const {
    const QFontMetricsF metrics(font());
    qreal widest = 0;
    for (char16_t digit = u'0'; digit <= u'9'; ++digit)
        widest = qMax(widest, metrics.horizontalAdvance(QChar(digit)));
    return widest;
}

qreal SessionClock::textWidth(const QString& text) const {
    const QFontMetricsF metrics(font());
    const qreal digit = digitWidth();
    qreal width = 0;
    for (const QChar c : text)
        width += c.isDigit() ? digit : metrics.horizontalAdvance(c);
    return width;
}

QSize SessionClock::sizeHint() const {
    return {qCeil(textWidth(text())) + 1, QFontMetrics(font()).height()};
}

void SessionClock::paintEvent(QPaintEvent*) {
    const QString shown = text();
    if (qCeil(textWidth(shown)) + 1 > width())
        updateGeometry(); // minutes gained a digit
    QPainter painter(this);
    painter.setPen(Palette::secondary());
    const QFontMetricsF metrics(font());
    const qreal digit = digitWidth();
    qreal x = 0;
    for (const QChar c : shown) {
        const qreal advance = c.isDigit() ? digit : metrics.horizontalAdvance(c);
        painter.drawText(QRectF(x, 0, advance, height()), Qt::AlignCenter, QString(c));
        x += advance;
    }
}

void SessionClock::showEvent(QShowEvent* event) {
    m_ticks->setRunning(true);
    QWidget::showEvent(event);
}

void SessionClock::hideEvent(QHideEvent* event) {
    m_ticks->setRunning(false);
    QWidget::hideEvent(event);
}

} // namespace corvel
