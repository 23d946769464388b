#include "ui/session/OverlayView.h"

#include "session/AppStore.h"
#include "ui/session/OverlayContentView.h"
#include "ui/session/OverlayText.h"

#include <QResizeEvent>
#include <QVBoxLayout>

namespace corvel {

OverlayView::OverlayView(AppStore& store, const AccessibilityPreferences* preferences,
                         QWidget* parent)
    : QWidget(parent), m_content(new OverlayContentView(
                           store, store.audio(), OverlayText::compact(size()), preferences, this)) {
    // A transparent margin of one pixel around the card.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(m_content);
}

void OverlayView::resizeEvent(QResizeEvent* event) {
    m_content->setCompact(OverlayText::compact(event->size()));
    QWidget::resizeEvent(event);
}

} // namespace corvel
