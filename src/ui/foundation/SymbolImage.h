#pragma once

#include <QString>

class QColor;
class QPainter;
class QRectF;

namespace corvel {

// The few symbol images the buttons name ("arrow.right", "checkmark", "play.fill", ...), drawn as
// vectors in the text colour since the desktop has no matching symbol set.
class SymbolImage final {
public:
    SymbolImage() = delete;

    static bool exists(const QString& name);
    static void paint(QPainter& painter, const QString& name, const QRectF& box,
                      const QColor& color);
};

} // namespace corvel
