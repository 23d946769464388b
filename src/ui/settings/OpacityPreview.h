#pragma once

#include <QWidget>

namespace corvel {

// A miniature of the floating window over a call window, its background at the chosen opacity so
// the call's bars show through as the opacity falls. Decorative, 245 by 145.
class OpacityPreview final : public QWidget {
    Q_OBJECT

public:
    explicit OpacityPreview(double opacity, QWidget* parent = nullptr);

    double opacity() const { return m_opacity; }
    void setOpacity(double opacity);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double m_opacity;
};

} // namespace corvel
