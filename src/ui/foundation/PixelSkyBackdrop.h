#pragma once

#include <QWidget>

class QPainter;

namespace corvel {

// A sky gradient at `skyOpacity` with four layers of pixel cloud banks along its bottom edge;
// fills its frame, takes no mouse hits and is hidden from accessibility.
class PixelSkyBackdrop final : public QWidget {
    Q_OBJECT

public:
    explicit PixelSkyBackdrop(qreal skyOpacity, QWidget* parent = nullptr);

    qreal skyOpacity() const { return m_skyOpacity; }
    void setSkyOpacity(qreal opacity);

    // Draws the backdrop into a `size` frame at the painter's origin.
    static void paint(QPainter& painter, const QSizeF& size, qreal skyOpacity);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qreal m_skyOpacity;
};

} // namespace corvel
