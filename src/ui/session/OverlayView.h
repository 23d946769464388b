#pragma once

#include <QWidget>

namespace corvel {

class AccessibilityPreferences;
class AppStore;
class OverlayContentView;

// The floating window's root: measures the space the panel gives it and lays the content out
// compact below 480 x 550.
class OverlayView final : public QWidget {
    Q_OBJECT

public:
    explicit OverlayView(AppStore& store, const AccessibilityPreferences* preferences = nullptr,
                         QWidget* parent = nullptr);

    OverlayContentView* content() const { return m_content; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    OverlayContentView* m_content;
};

} // namespace corvel
