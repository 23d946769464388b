#include "ui/foundation/SymbolImage.h"

#include <QPainter>
#include <QPainterPath>

#include <optional>

namespace corvel {

namespace {

// Each symbol in a 12 x 12 design box; `filled` shapes are filled, the others stroked.
struct Symbol {
    QPainterPath path;
    bool filled = false;
};

Symbol arrow(qreal angleDegrees) {
    QPainterPath path;
    path.moveTo(1.5, 6);
    path.lineTo(10.5, 6);
    path.moveTo(6.5, 2);
    path.lineTo(10.5, 6);
    path.lineTo(6.5, 10);
    QTransform turn;
    turn.translate(6, 6);
    turn.rotate(angleDegrees);
    turn.translate(-6, -6);
    return {turn.map(path), false};
}

std::optional<Symbol> symbol(const QString& name) {
    if (name == QLatin1String("arrow.right"))
        return arrow(0);
    if (name == QLatin1String("arrow.left"))
        return arrow(180);
    if (name == QLatin1String("arrow.up"))
        return arrow(-90);
    if (name == QLatin1String("arrow.up.right"))
        return arrow(-45);
    if (name == QLatin1String("checkmark")) {
        QPainterPath path;
        path.moveTo(1.5, 6.5);
        path.lineTo(4.5, 9.5);
        path.lineTo(10.5, 2.5);
        return Symbol{path, false};
    }
    if (name == QLatin1String("play.fill")) {
        QPainterPath path;
        path.moveTo(2.5, 1);
        path.lineTo(11, 6);
        path.lineTo(2.5, 11);
        path.closeSubpath();
        return Symbol{path, true};
    }
    if (name == QLatin1String("pause.fill")) {
        QPainterPath path;
        path.addRect(2, 1, 3, 10);
        path.addRect(7, 1, 3, 10);
        return Symbol{path, true};
    }
    if (name == QLatin1String("square.and.arrow.up")) {
        QPainterPath path;
        path.moveTo(4, 5);
        path.lineTo(2, 5);
        path.lineTo(2, 11);
        path.lineTo(10, 11);
        path.lineTo(10, 5);
        path.lineTo(8, 5);
        path.moveTo(6, 7.5);
        path.lineTo(6, 0.8);
        path.moveTo(3.8, 3);
        path.lineTo(6, 0.8);
        path.lineTo(8.2, 3);
        return Symbol{path, false};
    }
    return std::nullopt;
}

} // namespace

bool SymbolImage::exists(const QString& name) {
    return symbol(name).has_value();
}

void SymbolImage::paint(QPainter& painter, const QString& name, const QRectF& box,
                        const QColor& color) {
    const auto found = symbol(name);
    if (!found)
        return;
    const qreal side = qMin(box.width(), box.height());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(box.center().x() - side / 2, box.center().y() - side / 2);
    painter.scale(side / 12, side / 12);
    if (found->filled) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
    } else {
        painter.setPen(QPen(color, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
    }
    painter.drawPath(found->path);
    painter.restore();
}

} // namespace corvel
