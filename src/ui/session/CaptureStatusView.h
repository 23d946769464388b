#pragma once

#include "core/AudioSource.h"

#include <QPointer>
#include <QVariantAnimation>
#include <QWidget>

#include <array>
#include <functional>

class QToolButton;

namespace corvel {

class AccessibilityPreferences;
class AudioCapture;
class PlainLabel;

// One line about listening: four level bars, the capture health, the audio source and the
// interview language, the latter a menu that switches it when `onLanguageChange` is given.
class CaptureStatusView final : public QWidget {
    Q_OBJECT

public:
    using LanguageChange = std::function<void(const QString& language)>;

    CaptureStatusView(AudioCapture& audio, const QString& language, AudioSource source, bool paused,
                      LanguageChange onLanguageChange = {},
                      const AccessibilityPreferences* preferences = nullptr,
                      QWidget* parent = nullptr);

    void setState(const QString& language, AudioSource source, bool paused);

    // The bar heights drawn now (they ease towards the level unless Reduce Motion is on).
    const std::array<double, 4>& barHeights() const { return m_shown; }
    QColor barColor() const;
    QString healthText() const;
    // The language menu; null when the language is plain text.
    QToolButton* languageMenu() const { return m_menu; }

protected:
    void hideEvent(QHideEvent* event) override;

private:
    class LevelBars;

    void refresh();
    void followLevel();
    bool reduceMotion() const;

    AudioCapture& m_audio;
    QString m_language;
    AudioSource m_source;
    bool m_paused;
    QPointer<const AccessibilityPreferences> m_preferences;
    LevelBars* m_bars;
    PlainLabel* m_health;
    PlainLabel* m_sourceText;
    PlainLabel* m_languageText = nullptr;
    QToolButton* m_menu = nullptr;
    std::array<double, 4> m_from{};
    std::array<double, 4> m_target{};
    std::array<double, 4> m_shown{};
    QVariantAnimation m_animation;
};

} // namespace corvel
