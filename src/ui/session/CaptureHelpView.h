#pragma once

#include <QWidget>

class QAbstractButton;

namespace corvel {

class AccessibilityPreferences;
class AppStore;
class AudioCapture;
class DeferredRefresh;
class InterviewLanguageChoiceView;
class SpacedLabel;

// Help while listening runs but fails (no audio, or sound without words): a hint for the failure
// and the source, the language choice and "Restart listening". Otherwise hidden, taking no space.
class CaptureHelpView final : public QWidget {
    Q_OBJECT

public:
    CaptureHelpView(AppStore& store, AudioCapture& audio, bool compact, QWidget* parent = nullptr,
                    const AccessibilityPreferences* preferences = nullptr);

    InterviewLanguageChoiceView* languageChoice() const { return m_language; }

    bool needed() const;
    QString hint() const;
    QAbstractButton* restartButton() const { return m_restart; }

private:
    void refresh();

    AppStore& m_store;
    AudioCapture& m_audio;
    SpacedLabel* m_hint;
    InterviewLanguageChoiceView* m_language;
    QAbstractButton* m_restart;
    DeferredRefresh* m_refresh;
};

} // namespace corvel
