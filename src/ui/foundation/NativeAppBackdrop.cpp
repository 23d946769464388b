#include "ui/foundation/NativeAppBackdrop.h"

#include "ui/foundation/AccessibilityMarks.h"
#include "ui/foundation/Palette.h"

#include <QPainter>

namespace corvel {

NativeAppBackdrop::NativeAppBackdrop(qreal tintOpacity, QWidget* parent)
    : QWidget(parent), m_tintOpacity(tintOpacity) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hideFromAccessibility(this);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void NativeAppBackdrop::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), Palette::canvas());
}

} // namespace corvel
