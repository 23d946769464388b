#pragma once

#include <QAbstractButton>

namespace corvel {

class AccessibilityPreferences;
class FocusRing;
class PressButtonStyle;

// One option of a choice: white text on ink when selected, ink on surface otherwise.
// `pill` is the settings page's option (13, medium when selected, padded 18 x 12, corner 4);
// `segment` is the language choice's (12 medium, padded 10 above and below, corner 3, sharing the
// row's width equally). Drawn at 0.55 opacity when disabled. The selection is the button's checked
// state, so assistive technology reports it, but only setSelected() changes it: a click never
// toggles it.
class OptionPill final : public QAbstractButton {
    Q_OBJECT

public:
    enum class Style { pill, segment };

    OptionPill(const QString& title, Style style,
               const AccessibilityPreferences* preferences = nullptr, QWidget* parent = nullptr);

    bool isSelected() const { return isChecked(); }
    void setSelected(bool selected);
    Style style() const { return m_style; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
    bool focusNextPrevChild(bool next) override;
    void nextCheckState() override {}

private:
    QFont titleFont() const;
    QMargins padding() const;
    qreal radius() const;

    Style m_style;
    PressButtonStyle* m_press;
    FocusRing* m_focusRing;
};

} // namespace corvel
