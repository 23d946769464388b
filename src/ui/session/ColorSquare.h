#pragma once

#include <QColor>
#include <QWidget>

namespace corvel {

// A small filled square: a status mark or a decoration, hidden from accessibility.
class ColorSquare final : public QWidget {
    Q_OBJECT

public:
    ColorSquare(const QColor& color, int side, QWidget* parent = nullptr);

    QColor color() const { return m_color; }
    void setColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_color;
};

} // namespace corvel
