#pragma once

#include "platform/UptimeClock.h"

#include <QWidget>

namespace corvel {

class AccessibilityPreferences;
class AppStore;
class AudioCapture;
class CaptureStatusView;
class CloudConversationIllustration;
class DeferredRefresh;
class SpacedLabel;

// The white panel shown before the first question: what the session waits for, the capture
// status, and what the interview was prepared with, beside the conversation illustration.
class WaitingForCallView final : public QWidget {
    Q_OBJECT

public:
    WaitingForCallView(AppStore& store, AudioCapture& audio,
                       const AccessibilityPreferences* preferences = nullptr,
                       UptimeClock& clock = systemUptimeClock(), QWidget* parent = nullptr);

    QString headline() const;
    QString explanation() const;
    CloudConversationIllustration* illustration() const { return m_illustration; }

private:
    void refresh();

    AppStore& m_store;
    AudioCapture& m_audio;
    CloudConversationIllustration* m_illustration;
    CaptureStatusView* m_status;
    SpacedLabel* m_headline;
    SpacedLabel* m_explanation;
    QWidget* m_notes;
    DeferredRefresh* m_refresh;
};

} // namespace corvel
