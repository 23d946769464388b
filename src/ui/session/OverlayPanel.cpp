#include "ui/session/OverlayPanel.h"

#include "session/AppStore.h"
#include "ui/session/OverlayView.h"
#include "ui/session/X11WindowStates.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace corvel {

OverlayPanel::OverlayPanel(AppStore& store, const AccessibilityPreferences* preferences)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus),
      m_store(store) {
    setWindowTitle(QStringLiteral("Corvel Interview — Answers"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground);
    setMinimumSize(minimumWidth, minimumHeight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new OverlayView(store, preferences, this));
}

QSize OverlayPanel::sizeFor(const std::optional<QRect>& available) {
    if (!available)
        return {560, 660};
    return {std::clamp(available->width() - 48, minimumWidth, 560),
            std::clamp(available->height() - 48, minimumHeight, 660)};
}

void OverlayPanel::present() {
    if (!m_placed) {
        QScreen* screen = QGuiApplication::primaryScreen();
        const std::optional<QRect> available =
            screen ? std::optional<QRect>(screen->availableGeometry()) : std::nullopt;
        resize(sizeFor(available));
        if (available)
            move(available->right() + 1 - width() - 24, available->top() + 24);
        winId(); // the native window, so it can be marked before it is first shown
        keepOnAllWorkspaces(windowHandle());
        m_placed = true;
    }
    show();
    raise();
}

void OverlayPanel::closeEvent(QCloseEvent* event) {
    // Closing only hides it (the panel is kept for reuse). Refusing the close would also refuse
    // the application's quit, which closes every window first.
    event->accept();
    m_store.hideOverlay();
}

} // namespace corvel
