#include "ui/foundation/Palette.h"

namespace corvel {

namespace {

// Some tokens are decimal fractions rather than multiples of 1/255, so they are stored as written.
QColor fraction(float red, float green, float blue) {
    return QColor::fromRgbF(red, green, blue, 1.0f);
}

} // namespace

const QColor& Palette::ink() {
    static const QColor color = fraction(0.078f, 0.082f, 0.078f);
    return color;
}

const QColor& Palette::secondary() {
    static const QColor color = fraction(0.365f, 0.38f, 0.357f);
    return color;
}

const QColor& Palette::muted() {
    static const QColor color = fraction(0.443f, 0.459f, 0.431f);
    return color;
}

const QColor& Palette::canvas() {
    static const QColor color(249, 249, 246);
    return color;
}

const QColor& Palette::surface() {
    static const QColor color = fraction(0.943f, 0.945f, 0.925f);
    return color;
}

const QColor& Palette::pink() {
    static const QColor color(249, 124, 222);
    return color;
}

const QColor& Palette::cyan() {
    static const QColor color(0, 204, 250);
    return color;
}

const QColor& Palette::green() {
    static const QColor color(38, 210, 113);
    return color;
}

const QColor& Palette::orange() {
    static const QColor color(255, 128, 66);
    return color;
}

const QColor& Palette::skyLight() {
    static const QColor color(220, 241, 251);
    return color;
}

QColor Palette::withOpacity(const QColor& color, qreal opacity) {
    QColor result = color;
    result.setAlphaF(static_cast<float>(opacity));
    return result;
}

} // namespace corvel
