#pragma once

#include <QColor>
#include <QWidget>

namespace corvel {

// A plain filled rectangle of a fixed size: the coloured squares of the card headings and the
// bars of the empty history mark. Decorative.
class ColorBlock final : public QWidget {
    Q_OBJECT

public:
    ColorBlock(const QColor& color, QSize size, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_color;
};

} // namespace corvel
