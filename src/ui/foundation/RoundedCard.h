#pragma once

#include <QColor>
#include <QWidget>

class QPainter;
class QRectF;

namespace corvel {

// A card's background: a rounded rectangle of one fill, behind whatever layout the card holds.
class RoundedCard final : public QWidget {
    Q_OBJECT

public:
    explicit RoundedCard(const QColor& fill, QWidget* parent = nullptr);

    void setFill(const QColor& fill);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_fill;
};

// Fills `rect` with corners of `radius`, antialiased.
void fillRounded(QPainter& painter, const QRectF& rect, qreal radius, const QColor& fill);

// Gives a plain widget a solid background of `color`.
void fillBackground(QWidget* widget, const QColor& color);

} // namespace corvel
