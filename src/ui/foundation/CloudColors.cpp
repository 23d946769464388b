#include "ui/foundation/CloudColors.h"

namespace corvel {

const QColor& CloudColors::white() {
    static const QColor color(0xFF, 0xFD, 0xF8);
    return color;
}

const QColor& CloudColors::shadow() {
    static const QColor color(0xD9, 0xEF, 0xFA);
    return color;
}

const QColor& CloudColors::deepShadow() {
    static const QColor color(0xBC, 0xE3, 0xF5);
    return color;
}

const QColor& CloudColors::highlight() {
    static const QColor color(0xEB, 0xF7, 0xFC);
    return color;
}

const QColor& CloudColors::navy() {
    static const QColor color(0x30, 0x4A, 0x65);
    return color;
}

const QColor& CloudColors::pink() {
    static const QColor color(0xF9, 0x7C, 0xDE);
    return color;
}

const QColor& CloudColors::cyan() {
    static const QColor color(0x00, 0xCC, 0xFA);
    return color;
}

const QColor& CloudColors::green() {
    static const QColor color(0x26, 0xD2, 0x71);
    return color;
}

const QColor& CloudColors::orange() {
    static const QColor color(0xFF, 0x80, 0x42);
    return color;
}

const QColor& CloudColors::skyTop() {
    static const QColor color(0x69, 0xBF, 0xF0);
    return color;
}

const QColor& CloudColors::skyMiddle() {
    static const QColor color(0x8F, 0xD1, 0xF5);
    return color;
}

const QColor& CloudColors::skyBottom() {
    static const QColor color(0xBD, 0xE7, 0xFA);
    return color;
}

const QColor& CloudColors::bankBack() {
    static const QColor color(0xC3, 0xE7, 0xFA);
    return color;
}

const QColor& CloudColors::bankFrontShade() {
    static const QColor color(0xE8, 0xF5, 0xFC);
    return color;
}

} // namespace corvel
