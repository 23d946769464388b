#pragma once

#include <QList>
#include <QPainterPath>
#include <QPointF>

namespace corvel {

// The pixel-art cloud's polygons in a 192 x 128 cloud space (y downward), and the stepped
// skyline of the sky's cloud banks in a 1600 x 320 space. Paths fill with the winding rule, so
// overlapping parts never cancel out.
class PixelCloudPaths final {
public:
    PixelCloudPaths() = delete;

    static const QPainterPath& body();
    // shadow, deepShadow and highlight reach outside the body: fill them only inside it.
    static const QPainterPath& shadow();
    static const QPainterPath& deepShadow();
    static const QPainterPath& highlight();
    static const QPainterPath& smile();

    // A closed polygon through the points in order; no points give an empty path.
    static QPainterPath polygon(const QList<QPointF>& points);
    // One bank layer, its skyline shifted down by `offset`, never lower than 304.
    static QPainterPath bank(qreal offset);
};

} // namespace corvel
