#include "ui/foundation/BrandMark.h"

#include "ui/foundation/AccessibilityMarks.h"
#include "ui/foundation/BrandIdentity.h"
#include "ui/foundation/Palette.h"

#include <QPainter>

namespace corvel {

BrandMark::BrandMark(int size, bool inverse, QWidget* parent)
    : QWidget(parent), m_inverse(inverse) {
    setFixedSize(size, size);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hideFromAccessibility(this);
}

void BrandMark::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(BrandIdentity::path(QRectF(rect())),
                     m_inverse ? QColor(Qt::white) : Palette::ink());
}

} // namespace corvel
