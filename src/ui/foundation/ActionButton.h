#pragma once

#include <QAbstractButton>
#include <QColor>

#include <optional>

namespace corvel {

class AccessibilityPreferences;
class FocusRing;
class PressButtonStyle;

// The filled action button: ink (primary) or surface fill, or a tint, turning pink under the
// pointer while enabled; 45 % opacity when disabled. Its action is the clicked() signal.
class ActionButton final : public QAbstractButton {
    Q_OBJECT

public:
    ActionButton(const QString& title, const QString& icon = {}, bool primary = false,
                 bool compact = false, std::optional<QColor> tint = std::nullopt,
                 const AccessibilityPreferences* preferences = nullptr, QWidget* parent = nullptr);

    QString title() const { return text(); }
    void setTitle(const QString& title);
    QString icon() const { return m_icon; }
    void setIcon(const QString& icon);
    bool isPrimary() const { return m_primary; }
    bool isCompact() const { return m_compact; }

    // The pink look: the pointer is over the button and the button is enabled.
    bool hoveredLook() const { return m_hovering && isEnabled(); }
    QColor fillColor() const;
    QColor foregroundColor() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
    bool focusNextPrevChild(bool next) override;

private:
    QFont titleFont() const;
    QMargins padding() const;
    bool hasIcon() const;

    QString m_icon;
    bool m_primary;
    bool m_compact;
    std::optional<QColor> m_tint;
    bool m_hovering = false;
    PressButtonStyle* m_press;
    FocusRing* m_focusRing;
};

} // namespace corvel
