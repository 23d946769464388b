#include "ui/foundation/SymbolImage.h"

#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QStringList>

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

Symbol stroked(QPainterPath path) {
    return {std::move(path), false};
}

Symbol filled(QPainterPath path) {
    return {std::move(path), true};
}

Symbol chevron(qreal angleDegrees) {
    QPainterPath path;
    path.moveTo(4.5, 2);
    path.lineTo(8.5, 6);
    path.lineTo(4.5, 10);
    QTransform turn;
    turn.translate(6, 6);
    turn.rotate(angleDegrees);
    turn.translate(-6, -6);
    return stroked(turn.map(path));
}

// A rounded rectangle in front of another one up and to the left, of which only the edges the
// front one leaves free show.
Symbol stackedRects(const QRectF& back, const QRectF& front, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(front, radius, radius);
    path.moveTo(front.left() - 1.2, back.bottom());
    path.lineTo(back.left(), back.bottom());
    path.lineTo(back.left(), back.top());
    path.lineTo(back.right(), back.top());
    path.lineTo(back.right(), front.top() - 1.2);
    return stroked(path);
}

Symbol lock(bool open) {
    QPainterPath body;
    body.addRoundedRect(QRectF(2, 5.5, 8, 6), 1.2, 1.2);
    if (!open) {
        QPainterPath shackle;
        shackle.moveTo(3.6, 5.8);
        shackle.lineTo(3.6, 3.8);
        shackle.arcTo(QRectF(3.6, 1, 4.8, 5.2), 180, -180);
        shackle.lineTo(8.4, 5.8);
        QPainterPathStroker stroker;
        stroker.setWidth(1.5);
        stroker.setCapStyle(Qt::RoundCap);
        return filled(body.united(stroker.createStroke(shackle)));
    }
    QPainterPath path;
    path.addRoundedRect(QRectF(2, 5.5, 8, 6), 1.2, 1.2);
    path.moveTo(8.4, 5.5);
    path.lineTo(8.4, 3.6);
    path.arcTo(QRectF(8.4, 0.8, 3.2, 3.6), 180, -180);
    return stroked(path);
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
    if (name == QLatin1String("chevron.right"))
        return chevron(0);
    if (name == QLatin1String("chevron.down"))
        return chevron(90);
    if (name == QLatin1String("checkmark")) {
        QPainterPath path;
        path.moveTo(1.5, 6.5);
        path.lineTo(4.5, 9.5);
        path.lineTo(10.5, 2.5);
        return stroked(path);
    }
    if (name == QLatin1String("minus")) {
        QPainterPath path;
        path.moveTo(2, 6);
        path.lineTo(10, 6);
        return stroked(path);
    }
    if (name == QLatin1String("xmark")) {
        QPainterPath path;
        path.moveTo(2.5, 2.5);
        path.lineTo(9.5, 9.5);
        path.moveTo(9.5, 2.5);
        path.lineTo(2.5, 9.5);
        return stroked(path);
    }
    if (name == QLatin1String("play.fill")) {
        QPainterPath path;
        path.moveTo(2.5, 1);
        path.lineTo(11, 6);
        path.lineTo(2.5, 11);
        path.closeSubpath();
        return filled(path);
    }
    if (name == QLatin1String("pause.fill")) {
        QPainterPath path;
        path.addRect(2, 1, 3, 10);
        path.addRect(7, 1, 3, 10);
        return filled(path);
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
        return stroked(path);
    }
    if (name == QLatin1String("arrow.up.doc")) {
        QPainterPath path;
        path.moveTo(7, 1);
        path.lineTo(2.5, 1);
        path.lineTo(2.5, 11);
        path.lineTo(9.5, 11);
        path.lineTo(9.5, 3.5);
        path.closeSubpath();
        path.moveTo(6, 9);
        path.lineTo(6, 4.5);
        path.moveTo(4.3, 6.2);
        path.lineTo(6, 4.5);
        path.lineTo(7.7, 6.2);
        return stroked(path);
    }
    if (name == QLatin1String("doc.on.doc"))
        return stackedRects(QRectF(1.5, 1, 6.5, 8), QRectF(4, 3.5, 6.5, 8), 1.2);
    if (name == QLatin1String("rectangle.on.rectangle"))
        return stackedRects(QRectF(1, 2, 8, 6), QRectF(3, 4, 8, 6), 1);
    if (name == QLatin1String("lock.fill"))
        return lock(false);
    if (name == QLatin1String("lock.open"))
        return lock(true);
    if (name == QLatin1String("trash")) {
        QPainterPath path;
        path.moveTo(1.5, 3);
        path.lineTo(10.5, 3);
        path.moveTo(4.5, 3);
        path.lineTo(4.5, 1.2);
        path.lineTo(7.5, 1.2);
        path.lineTo(7.5, 3);
        path.moveTo(2.7, 3);
        path.lineTo(3.4, 11);
        path.lineTo(8.6, 11);
        path.lineTo(9.3, 3);
        path.moveTo(5, 5.2);
        path.lineTo(5, 9);
        path.moveTo(7, 5.2);
        path.lineTo(7, 9);
        return stroked(path);
    }
    if (name == QLatin1String("waveform")) {
        QPainterPath path;
        const qreal heights[] = {3, 7, 10, 5, 8};
        for (int i = 0; i < 5; ++i) {
            const qreal x = 1.6 + i * 2.2;
            path.moveTo(x, 6 - heights[i] / 2);
            path.lineTo(x, 6 + heights[i] / 2);
        }
        return stroked(path);
    }
    if (name == QLatin1String("questionmark.circle")) {
        QPainterPath path;
        path.addEllipse(QPointF(6, 6), 5, 5);
        path.moveTo(4.4, 4.7);
        path.cubicTo(4.4, 3.6, 5.1, 3, 6, 3);
        path.cubicTo(7, 3, 7.7, 3.6, 7.7, 4.5);
        path.cubicTo(7.7, 5.6, 6, 5.8, 6, 7.1);
        path.moveTo(6, 8.9);
        path.lineTo(6, 9);
        return stroked(path);
    }
    if (name == QLatin1String("clock.arrow.circlepath")) {
        QPainterPath path;
        // Most of a circle, open at the upper left where the arrow head sits.
        path.arcMoveTo(QRectF(1, 1, 10, 10), 150);
        path.arcTo(QRectF(1, 1, 10, 10), 150, -300);
        path.moveTo(0.9, 1.9);
        path.lineTo(1.7, 4.6);
        path.lineTo(4.4, 3.9);
        path.moveTo(6, 3.4);
        path.lineTo(6, 6);
        path.lineTo(7.9, 7.2);
        return stroked(path);
    }
    if (name == QLatin1String("slider.horizontal.3")) {
        QPainterPath path;
        const qreal knobs[] = {7.5, 3.5, 6};
        for (int i = 0; i < 3; ++i) {
            const qreal y = 2.2 + i * 3.8;
            path.moveTo(1, y);
            path.lineTo(11, y);
            path.addEllipse(QPointF(knobs[i], y), 1.3, 1.3);
        }
        return stroked(path);
    }
    return std::nullopt;
}

const QStringList& symbolNames() {
    static const QStringList names = {QStringLiteral("arrow.right"),
                                      QStringLiteral("arrow.left"),
                                      QStringLiteral("arrow.up"),
                                      QStringLiteral("arrow.up.right"),
                                      QStringLiteral("chevron.right"),
                                      QStringLiteral("chevron.down"),
                                      QStringLiteral("checkmark"),
                                      QStringLiteral("minus"),
                                      QStringLiteral("xmark"),
                                      QStringLiteral("play.fill"),
                                      QStringLiteral("pause.fill"),
                                      QStringLiteral("square.and.arrow.up"),
                                      QStringLiteral("arrow.up.doc"),
                                      QStringLiteral("doc.on.doc"),
                                      QStringLiteral("rectangle.on.rectangle"),
                                      QStringLiteral("lock.fill"),
                                      QStringLiteral("lock.open"),
                                      QStringLiteral("trash"),
                                      QStringLiteral("waveform"),
                                      QStringLiteral("questionmark.circle"),
                                      QStringLiteral("clock.arrow.circlepath"),
                                      QStringLiteral("slider.horizontal.3")};
    return names;
}

} // namespace

bool SymbolImage::exists(const QString& name) {
    return symbol(name).has_value();
}

QStringList SymbolImage::names() {
    return symbolNames();
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
