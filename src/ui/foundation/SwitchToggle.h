#pragma once

#include <QAbstractButton>
#include <QColor>

namespace corvel {

class FocusRing;

// A switch-style toggle: a rounded track, filled with the tint when on and surface-grey when off,
// with a white knob. The caller places its label beside it and names it for accessibility. Its
// state is isChecked(); toggled(bool) reports every change.
class SwitchToggle final : public QAbstractButton {
    Q_OBJECT

public:
    explicit SwitchToggle(const QColor& tint, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    QRectF track() const;

    QColor m_tint;
    FocusRing* m_focusRing;
};

} // namespace corvel
