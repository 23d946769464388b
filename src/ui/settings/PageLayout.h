#pragma once

#include <QMargins>

class QScrollArea;
class QVBoxLayout;
class QWidget;

namespace corvel {

// Layout pieces the settings and history pages share.

// A vertical layout on `widget`, without margins.
QVBoxLayout* bareColumn(QWidget* widget, int spacing);
// `content` in a holder that keeps `margins` around it.
QWidget* padded(QWidget* content, const QMargins& margins);
struct ScrollingPage {
    QScrollArea* scroll;
    QVBoxLayout* column;
};

// Fills `host` with a vertically scrolling page over the window's canvas and returns it with the
// page's column: at most `maximumWidth` wide, leading-aligned, padded by `padding` on every side.
ScrollingPage scrollingColumn(QWidget* host, int maximumWidth, int padding, int spacing);

} // namespace corvel
