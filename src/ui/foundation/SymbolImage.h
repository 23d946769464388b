#pragma once

#include <QString>
#include <QStringList>

class QColor;
class QPainter;
class QRectF;

namespace corvel {

// The symbol images the screens name ("arrow.right", "checkmark", "xmark", ...), drawn as vectors
// in the text colour since the desktop has no matching symbol set. Unknown names draw nothing.
class SymbolImage final {
public:
    SymbolImage() = delete;

    static bool exists(const QString& name);
    static QStringList names();
    static void paint(QPainter& painter, const QString& name, const QRectF& box,
                      const QColor& color);
};

} // namespace corvel
