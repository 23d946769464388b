#pragma once

#include "session/FloatingPanel.h"

#include <QSize>
#include <QWidget>

#include <optional>

class QRect;

namespace corvel {

class AccessibilityPreferences;
class AppStore;

// The floating answer window: frameless, above other windows, on every workspace, and never
// taking keyboard focus from the call application.
class OverlayPanel final : public QWidget, public FloatingPanel {
    Q_OBJECT
public:
    static constexpr int minimumWidth = 440;
    static constexpr int minimumHeight = 350;

    explicit OverlayPanel(AppStore& store, const AccessibilityPreferences* preferences = nullptr);

    // Shows the panel in front. The first time it is sized and placed at the screen's top-right.
    void present() override;
    void orderOut() override { hide(); }
    // Size for a screen's available area; none without a screen.
    static QSize sizeFor(const std::optional<QRect>& available);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    AppStore& m_store;
    bool m_placed = false;
};

} // namespace corvel
