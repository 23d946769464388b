#pragma once

#include "ui/foundation/CloudCompanionFrame.h"

#include <QTransform>

class QPainter;

namespace corvel {

// Draws any frame of the cloud companion, `size` wide and 0.75 x `size` high, at the painter's
// origin. Only rectangle and polygon fills; the caller chooses the time.
class CloudCompanionPainter final {
public:
    CloudCompanionPainter() = delete;

    static void paint(QPainter& painter, qreal size, const CloudCompanionFrame& frame);
    // Where a point of the 192 x 128 cloud space lands in the companion's frame.
    static QTransform cloudTransform(qreal size, const CloudCompanionFrame& frame);
};

} // namespace corvel
