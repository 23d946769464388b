#include "ui/session/OverlayPanel.h"

#include "session/AppStore.h"
#include "ui/foundation/Palette.h"
#include "ui/session/OverlayContentView.h"
#include "ui/session/OverlayView.h"
#include "ui/session/X11WindowStates.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>

namespace corvel {

namespace {

constexpr int screenInset = 24;
constexpr int cardRadius = 6;
// The shadow falls a little below the card, as light from above would cast it.
constexpr int shadowDrop = 3;

bool systemDrag(QWindow* window, Qt::Edges edges) {
    if (!window)
        return false;
    return edges ? window->startSystemResize(edges) : window->startSystemMove();
}

Qt::CursorShape cursorFor(Qt::Edges edges) {
    if (edges == (Qt::LeftEdge | Qt::TopEdge) || edges == (Qt::RightEdge | Qt::BottomEdge))
        return Qt::SizeFDiagCursor;
    if (edges == (Qt::RightEdge | Qt::TopEdge) || edges == (Qt::LeftEdge | Qt::BottomEdge))
        return Qt::SizeBDiagCursor;
    return edges & (Qt::LeftEdge | Qt::RightEdge) ? Qt::SizeHorCursor : Qt::SizeVerCursor;
}

} // namespace

OverlayPanel::OverlayPanel(AppStore& store, const AccessibilityPreferences* preferences,
                           SystemDrag drag)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus),
      m_store(store), m_drag(drag ? std::move(drag) : SystemDrag(&systemDrag)),
      m_layout(new QVBoxLayout(this)) {
    setWindowTitle(QStringLiteral("Corvel Interview — Answers"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground);
    setMinimumSize(minimumWidth, minimumHeight);
    // Unbuttoned moves reach the panel only with tracking: they set the edge cursors.
    setMouseTracking(true);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_view = new OverlayView(store, preferences, this);
    m_layout->addWidget(m_view);
}

QSize OverlayPanel::sizeFor(const std::optional<QRect>& available) {
    if (!available)
        return {560, 660};
    return {std::clamp(available->width() - 48, minimumWidth, 560),
            std::clamp(available->height() - 48, minimumHeight, 660)};
}

std::optional<qsizetype> OverlayPanel::screenHolding(const QList<QRect>& screens,
                                                     const QRect& window) {
    std::optional<qsizetype> holding;
    qint64 most = 0;
    for (qsizetype i = 0; i < screens.size(); ++i) {
        const QRect shared = screens[i].intersected(window);
        const qint64 area = qint64(shared.width()) * shared.height();
        if (area > most) {
            most = area;
            holding = i;
        }
    }
    return holding;
}

QScreen* OverlayPanel::workingScreen() {
    // Qt knows the screen of its own active window; another application's comes from the window
    // manager, in native pixels, which Qt's screens share only at their top-left corner.
    if (QWindow* focus = QGuiApplication::focusWindow())
        return focus->screen();
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (const std::optional<QRect> frame = activeWindowFrame()) {
        QList<QRect> native;
        for (const QScreen* screen : screens)
            native.append(QRect(screen->geometry().topLeft(),
                                screen->geometry().size() * screen->devicePixelRatio()));
        if (const auto index = screenHolding(native, *frame))
            return screens[*index];
    }
    return QGuiApplication::primaryScreen();
}

QRect OverlayPanel::cardGeometry() const {
    return geometry().marginsRemoved(shadowMargins());
}

QRect OverlayPanel::keepHeaderInside(QRect card, int headerHeight, const QRect& area) {
    const int right = area.left() + qMax(0, area.width() - card.width());
    const int bottom = area.top() + qMax(0, area.height() - headerHeight);
    card.moveTopLeft(QPoint(std::clamp(card.left(), area.left(), right),
                            std::clamp(card.top(), area.top(), bottom)));
    return card;
}

void OverlayPanel::keepHeaderOnScreen() {
    if (!isVisible() || m_systemMoving || m_heldAt)
        return;
    const QRect card = cardGeometry();
    const QWidget* header = m_view->content()->header();
    const int headerHeight = header->mapTo(this, QPoint(0, header->height())).y() - m_shadow;
    QScreen* screen = QGuiApplication::screenAt(QPoint(card.center().x(), card.top()));
    if (!screen)
        screen = this->screen();
    if (!screen)
        return;
    const QRect kept = keepHeaderInside(card, headerHeight, screen->availableGeometry());
    if (kept != card)
        move(kept.topLeft() - QPoint(m_shadow, m_shadow));
}

Qt::Edges OverlayPanel::edgesAt(const QPoint& pos) const {
    const QRect card = rect().marginsRemoved(shadowMargins());
    Qt::Edges edges;
    if (pos.x() < card.left() + edgeBand)
        edges |= Qt::LeftEdge;
    else if (pos.x() > card.right() - edgeBand)
        edges |= Qt::RightEdge;
    if (pos.y() < card.top() + edgeBand)
        edges |= Qt::TopEdge;
    else if (pos.y() > card.bottom() - edgeBand)
        edges |= Qt::BottomEdge;
    return edges;
}

void OverlayPanel::present() {
    // Asked at every showing: a compositing manager may have started or stopped since.
    setShadow(windowTranslucencyAvailable());
    if (!m_placed) {
        QScreen* screen = workingScreen();
        const std::optional<QRect> available =
            screen ? std::optional<QRect>(screen->availableGeometry()) : std::nullopt;
        QRect card(QPoint(), sizeFor(available));
        if (available)
            card.moveTopRight(
                QPoint(available->right() - screenInset, available->top() + screenInset));
        setGeometry(card.marginsAdded(shadowMargins()));
        winId(); // the native window, so it can be marked before it is first shown
        keepOnAllWorkspaces(windowHandle());
        m_placed = true;
    }
    // Hiding keeps the geometry the user gave it, so showing again restores it as it was.
    show();
    raise();
}

void OverlayPanel::setShadow(bool shadow) {
    const int margin = shadow ? shadowMargin : 0;
    if (margin == m_shadow)
        return;
    const QRect card = cardGeometry();
    m_shadow = margin;
    m_layout->setContentsMargins(margin, margin, margin, margin);
    setMinimumSize(minimumWidth + 2 * margin, minimumHeight + 2 * margin);
    // The card keeps its place on screen; only the margin around it changes.
    if (m_placed)
        setGeometry(card.marginsAdded(shadowMargins()));
    update();
}

bool OverlayPanel::pressedOnControl(const QPoint& pos) const {
    for (const QWidget* widget = childAt(pos); widget && widget != this;
         widget = widget->parentWidget()) {
        if (qobject_cast<const QAbstractButton*>(widget) ||
            qobject_cast<const QAbstractSlider*>(widget))
            return true;
    }
    return false;
}

// Presses that no control took (labels, margins, empty areas) arrive here. The window system is
// asked to move or resize only once the pointer moves with the button held: asked at a mere
// click, a window manager may miss the release and keep moving the window until the next click.
void OverlayPanel::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    m_pressedAt.reset();
    m_heldAt.reset();
    m_dragging = false;
    m_systemMoving = false;
    if (event->button() != Qt::LeftButton || pressedOnControl(pos))
        return QWidget::mousePressEvent(event);
    m_pressedAt = pos;
    m_pressedEdges = edgesAt(pos);
    event->accept();
}

void OverlayPanel::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (m_pressedAt && (event->buttons() & Qt::LeftButton)) {
        if (!m_dragging &&
            (pos - *m_pressedAt).manhattanLength() >= QApplication::startDragDistance()) {
            m_dragging = true;
            const bool bySystem = m_drag(windowHandle(), m_pressedEdges);
            if (!m_pressedEdges) {
                m_systemMoving = bySystem;
                if (!bySystem)
                    m_heldAt = *m_pressedAt;
            }
        }
        if (m_heldAt)
            move(event->globalPosition().toPoint() - *m_heldAt);
        return;
    }
    const Qt::Edges edges = event->buttons() || pressedOnControl(pos) ? Qt::Edges() : edgesAt(pos);
    if (edges)
        setCursor(cursorFor(edges));
    else
        unsetCursor();
    QWidget::mouseMoveEvent(event);
}

// The release also ends a move by the window manager (Qt reports it once the manager lets go).
void OverlayPanel::mouseReleaseEvent(QMouseEvent* event) {
    m_pressedAt.reset();
    m_heldAt.reset();
    m_dragging = false;
    m_systemMoving = false;
    keepHeaderOnScreen();
    QWidget::mouseReleaseEvent(event);
}

// A move by the window manager may end above the screen's top; the manager reports its final
// place after the release, so every move outside a drag is checked.
void OverlayPanel::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    keepHeaderOnScreen();
}

void OverlayPanel::resizeEvent(QResizeEvent* event) {
    m_shadowPixmap = QPixmap();
    QWidget::resizeEvent(event);
}

// A soft shadow in the margin, built once per size. The card's own area stays clear, so a
// see-through card is not darkened by it.
void OverlayPanel::paintEvent(QPaintEvent* event) {
    if (!m_shadow)
        return;
    if (m_shadowPixmap.isNull()) {
        const qreal ratio = devicePixelRatioF();
        m_shadowPixmap = QPixmap(size() * ratio);
        m_shadowPixmap.setDevicePixelRatio(ratio);
        m_shadowPixmap.fill(Qt::transparent);
        QPainter shade(&m_shadowPixmap);
        shade.setRenderHint(QPainter::Antialiasing);
        const QRectF card = rect().marginsRemoved(shadowMargins());
        for (int spread = m_shadow - shadowDrop; spread >= 1; --spread) {
            QPainterPath layer;
            layer.addRoundedRect(
                card.adjusted(-spread, shadowDrop - spread, spread, shadowDrop + spread),
                cardRadius + spread, cardRadius + spread);
            shade.fillPath(layer, Palette::withOpacity(Palette::ink(), 0.011));
        }
        QPainterPath cardShape;
        cardShape.addRoundedRect(card.adjusted(1, 1, -1, -1), cardRadius, cardRadius);
        shade.setCompositionMode(QPainter::CompositionMode_Clear);
        shade.fillPath(cardShape, Qt::transparent);
    }
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.drawPixmap(0, 0, m_shadowPixmap);
}

void OverlayPanel::closeEvent(QCloseEvent* event) {
    // Closing only hides it (the panel is kept for reuse). Refusing the close would also refuse
    // the application's quit, which closes every window first.
    event->accept();
    m_store.hideOverlay();
}

} // namespace corvel
