#pragma once

#include <QAbstractButton>
#include <QColor>

namespace corvel {

class FocusRing;

// A top-bar tab: a 7 x 7 square in the tab's colour when current, the title (semibold when
// current) and, when asked, the "LIVE" badge; ink when current, secondary otherwise.
class NavigationTab final : public QAbstractButton {
    Q_OBJECT

public:
    NavigationTab(const QString& title, const QColor& color, QWidget* parent = nullptr);

    bool isCurrent() const { return m_current; }
    void setCurrent(bool current);
    bool showsLiveBadge() const { return m_live; }
    void setLiveBadge(bool live);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont titleFont() const;
    QSizeF badgeSize() const;

    QColor m_color;
    bool m_current = false;
    bool m_live = false;
    FocusRing* m_focusRing;
};

} // namespace corvel
