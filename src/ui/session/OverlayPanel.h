#pragma once

#include "session/FloatingPanel.h"

#include <QMargins>
#include <QPixmap>
#include <QSize>
#include <QWidget>

#include <functional>
#include <optional>

class QRect;
class QScreen;
class QVBoxLayout;
class QWindow;

namespace corvel {

class AccessibilityPreferences;
class AppStore;
class OverlayView;

// The floating answer window: frameless, above other windows, on every workspace, and never
// taking keyboard focus from the call application. Dragging its background moves it, dragging
// its edges resizes it; both go through the window manager so it snaps and constrains as usual.
class OverlayPanel final : public QWidget, public FloatingPanel {
    Q_OBJECT
public:
    static constexpr int minimumWidth = 440;
    static constexpr int minimumHeight = 350;
    // The margin a soft shadow is drawn in when a compositing manager runs.
    static constexpr int shadowMargin = 16;
    // How far inside the card a press still grabs an edge.
    static constexpr int edgeBand = 6;

    // Asks the window system to move `window` (no edges) or to resize it by `edges`; false
    // when it cannot, and the panel then follows the pointer itself.
    using SystemDrag = std::function<bool(QWindow* window, Qt::Edges edges)>;

    explicit OverlayPanel(AppStore& store, const AccessibilityPreferences* preferences = nullptr,
                          SystemDrag drag = {});

    // Shows the panel in front. The first time it is sized and placed at the screen's top-right;
    // afterwards it comes back where the user left it.
    void present() override;
    void orderOut() override { hide(); }
    // Size of the card for a screen's available area; none without a screen.
    static QSize sizeFor(const std::optional<QRect>& available);
    // Which of `screens` holds `window` (the one it overlaps most); none when it is on none.
    static std::optional<qsizetype> screenHolding(const QList<QRect>& screens, const QRect& window);
    // The card: the window without the shadow margin.
    QRect cardGeometry() const;
    // Where `card` goes so that its top `headerHeight` pixels lie inside `area`: moved the least,
    // against the top and left edges when it is larger than the area.
    static QRect keepHeaderInside(QRect card, int headerHeight, const QRect& area);
    bool drawsShadow() const { return m_shadow > 0; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The screen the user works on: the one holding the active window, else the primary one.
    static QScreen* workingScreen();
    void setShadow(bool shadow);
    QMargins shadowMargins() const { return {m_shadow, m_shadow, m_shadow, m_shadow}; }
    // Which edges of the card a press at `pos` grabs.
    Qt::Edges edgesAt(const QPoint& pos) const;
    bool pressedOnControl(const QPoint& pos) const;
    // After a move, brings the header with Pause and Close back inside the screen's free area.
    void keepHeaderOnScreen();

    AppStore& m_store;
    SystemDrag m_drag;
    QVBoxLayout* m_layout;
    OverlayView* m_view = nullptr;
    bool m_placed = false;
    int m_shadow = 0;
    QPixmap m_shadowPixmap;
    // A press on the background or an edge, until it becomes a drag or is released.
    std::optional<QPoint> m_pressedAt;
    Qt::Edges m_pressedEdges;
    bool m_dragging = false;
    // Where the pointer held the window when the window system could not move it.
    std::optional<QPoint> m_heldAt;
    // The window manager is moving the panel: it is put back on screen once the move ends.
    bool m_systemMoving = false;
};

} // namespace corvel
