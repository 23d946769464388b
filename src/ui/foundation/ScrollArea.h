#pragma once

class QAbstractScrollArea;
class QScrollArea;
class QWidget;

namespace corvel {

// The one scroll-bar look of the app: a thin rounded handle in ink at low opacity, visible on
// white and on the canvas, no arrow buttons, and a gap between the text and the handle.
void useKitScrollBar(QAbstractScrollArea* area);

// A vertical scroll area as the screens use it: no frame, see-through, its content resized to
// its width, no horizontal bar, the kit's vertical one.
QScrollArea* makeScrollArea(QWidget* parent = nullptr);

// Puts `content` in `area`, keeping it see-through: QScrollArea::setWidget turns its fill on.
void setScrollContent(QScrollArea* area, QWidget* content);

// Scrolls `area` until `target` shows with `margin` around it, on the next turn, once the layout
// has made room for it; nothing when it is hidden by then.
void revealOnNextTurn(QScrollArea* area, QWidget* target, int margin);

} // namespace corvel
