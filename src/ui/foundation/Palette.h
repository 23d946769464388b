#pragma once

#include <QColor>

namespace corvel {

// Interface colour tokens: opaque sRGB colours, built once on first use.
class Palette final {
public:
    Palette() = delete;

    static const QColor& ink();
    static const QColor& secondary();
    static const QColor& muted();
    static const QColor& canvas();
    static const QColor& surface();
    static const QColor& pink();
    static const QColor& cyan();
    static const QColor& green();
    static const QColor& orange();
    static const QColor& skyLight();

    // A token at a reduced opacity, e.g. the positive status tag fill.
    static QColor withOpacity(const QColor& color, qreal opacity);
};

} // namespace corvel
