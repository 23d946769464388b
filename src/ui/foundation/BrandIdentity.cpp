#include "ui/foundation/BrandIdentity.h"

#include <QTransform>

namespace corvel {

namespace {

constexpr qreal designWidth = 256;
constexpr qreal designHeight = 176;

// The artwork lists each curve as end point, then its two control points; cubicTo wants the
// controls first.
struct Curve {
    QPointF end, control1, control2;
};

void addCurves(QPainterPath& path, QPointF start, std::initializer_list<Curve> curves,
               qreal shiftX = 0) {
    const QPointF shift(shiftX, 0);
    path.moveTo(start + shift);
    for (const Curve& curve : curves)
        path.cubicTo(curve.control1 + shift, curve.control2 + shift, curve.end + shift);
    path.closeSubpath();
}

QPainterPath buildCompoundPath() {
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    path.moveTo(40, 140);
    path.cubicTo(18, 137, 8, 122, 8, 103);
    path.cubicTo(8, 75, 31, 54, 65, 53);
    path.cubicTo(78, 24, 103, 8, 131, 8);
    path.cubicTo(166, 8, 190, 30, 197, 64);
    path.cubicTo(226, 59, 248, 77, 248, 105);
    path.cubicTo(248, 130, 230, 148, 204, 148);
    path.lineTo(89, 148);
    path.cubicTo(74, 148, 62, 161, 39, 169);
    path.cubicTo(33, 171, 30, 169, 34, 162);
    path.cubicTo(39, 153, 42, 143, 40, 140);
    path.closeSubpath();

    const std::initializer_list<Curve> quote = {
        {{114, 64}, {113, 56}, {117, 58}},  {{105, 85}, {111, 70}, {104, 79}},
        {{116, 93}, {106, 88}, {112, 88}},  {{116, 117}, {124, 101}, {123, 111}},
        {{89, 117}, {109, 124}, {96, 124}}, {{90, 81}, {79, 108}, {84, 91}},
        {{108, 58}, {95, 70}, {102, 61}}};
    addCurves(path, {108, 58}, quote);
    addCurves(path, {108, 58}, quote, 54);
    return path;
}

} // namespace

const QPainterPath& BrandIdentity::compoundPath() {
    static const QPainterPath path = buildCompoundPath();
    return path;
}

QPainterPath BrandIdentity::path(const QRectF& rect) {
    const qreal scale = qMin(rect.width() / designWidth, rect.height() / designHeight);
    QTransform transform;
    transform.translate(rect.center().x() - designWidth * scale / 2,
                        rect.center().y() - designHeight * scale / 2);
    transform.scale(scale, scale);
    return transform.map(compoundPath());
}

} // namespace corvel
