#pragma once

#include <QWidget>

namespace corvel {

// The window backdrop. Linux has no window glass, so it is always the Reduce-Transparency look:
// an opaque canvas fill. `tintOpacity` is kept for callers; it would only tint glass.
class NativeAppBackdrop final : public QWidget {
    Q_OBJECT

public:
    explicit NativeAppBackdrop(qreal tintOpacity, QWidget* parent = nullptr);

    qreal tintOpacity() const { return m_tintOpacity; }
    void setTintOpacity(qreal tintOpacity) { m_tintOpacity = tintOpacity; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qreal m_tintOpacity;
};

} // namespace corvel
