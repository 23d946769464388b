#pragma once

#include <QObject>

class QProcess;

namespace corvel {

// Reduce Motion and Reduce Transparency. Environment overrides (CORVEL_REDUCE_MOTION,
// CORVEL_REDUCE_TRANSPARENCY: "1" or "0") win; otherwise GNOME's settings are read once, in the
// background, when a desktop has them. Built by the app and passed to the views that need it.
class AccessibilityPreferences final : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool reduceMotion READ reduceMotion WRITE setReduceMotion NOTIFY reduceMotionChanged)
    Q_PROPERTY(bool reduceTransparency READ reduceTransparency WRITE setReduceTransparency NOTIFY
                   reduceTransparencyChanged)

public:
    explicit AccessibilityPreferences(QObject* parent = nullptr);

    // Applies the environment overrides, then asks the desktop for the settings not overridden.
    void load();

    bool reduceMotion() const { return m_reduceMotion; }
    bool reduceTransparency() const { return m_reduceTransparency; }
    void setReduceMotion(bool on);
    void setReduceTransparency(bool on);

Q_SIGNALS:
    void reduceMotionChanged(bool on);
    void reduceTransparencyChanged(bool on);

private:
    void readDesktopSetting(const QString& schema, const QString& key, bool invert,
                            void (AccessibilityPreferences::*apply)(bool));

    bool m_reduceMotion = false;
    bool m_reduceTransparency = false;
};

} // namespace corvel
