#include "ui/foundation/PixelSkyBackdrop.h"

#include "ui/foundation/AccessibilityMarks.h"
#include "ui/foundation/CloudColors.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/PixelCloudPaths.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>

namespace corvel {

PixelSkyBackdrop::PixelSkyBackdrop(qreal skyOpacity, QWidget* parent)
    : QWidget(parent), m_skyOpacity(skyOpacity) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hideFromAccessibility(this);
}

void PixelSkyBackdrop::setSkyOpacity(qreal opacity) {
    if (m_skyOpacity == opacity)
        return;
    m_skyOpacity = opacity;
    update();
}

void PixelSkyBackdrop::paint(QPainter& painter, const QSizeF& size, qreal skyOpacity) {
    const qreal w = size.width();
    const qreal h = size.height();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, Palette::withOpacity(CloudColors::skyTop(), skyOpacity));
    sky.setColorAt(0.5, Palette::withOpacity(CloudColors::skyMiddle(), skyOpacity));
    sky.setColorAt(1, Palette::withOpacity(CloudColors::skyBottom(), skyOpacity));
    painter.fillRect(QRectF(QPointF(0, 0), size), sky);

    const qreal band = std::min(0.2 * w, 0.28 * h);
    painter.translate(0, h - band);
    painter.scale(w / 1600, band / 320);
    painter.fillPath(PixelCloudPaths::bank(-32),
                     Palette::withOpacity(CloudColors::bankBack(), 0.8));
    painter.fillPath(PixelCloudPaths::bank(0), CloudColors::white());
    painter.fillPath(PixelCloudPaths::bank(56), CloudColors::bankFrontShade());
    painter.fillPath(PixelCloudPaths::bank(88), CloudColors::white());
    painter.restore();
}

void PixelSkyBackdrop::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paint(painter, QSizeF(size()), m_skyOpacity);
}

} // namespace corvel
