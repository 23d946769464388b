#pragma once

#include <QColor>

namespace corvel {

// Colour tokens of the pixel-art cloud artwork; the accents equal the Palette accents.
class CloudColors final {
public:
    CloudColors() = delete;

    static const QColor& white();
    static const QColor& shadow();
    static const QColor& deepShadow();
    static const QColor& highlight();
    static const QColor& navy();
    static const QColor& pink();
    static const QColor& cyan();
    static const QColor& green();
    static const QColor& orange();
    static const QColor& skyTop();
    static const QColor& skyMiddle();
    static const QColor& skyBottom();
    static const QColor& bankBack();
    static const QColor& bankFrontShade();
};

} // namespace corvel
