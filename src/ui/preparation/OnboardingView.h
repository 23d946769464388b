#pragma once

#include "listening/MacPermissionKind.h"
#include "ui/foundation/AppEnvironment.h"
#include "ui/preparation/GuidedSetupRules.h"
#include "ui/preparation/GuidedSetupStep.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class QAbstractButton;
class QScrollArea;
class QVBoxLayout;

namespace corvel {

class CloudCompanion;
class GuideStepContent;
class PlainLabel;
class SpacedLabel;
class StepTransition;

// The guided first-run setup: four steps (welcome, speech, call audio, ready) beside the cloud
// companion, with a progress bar above and Back and "Skip setup for now" below. It reads the
// permission statuses afresh whenever it is shown and abandons a running request when it goes
// away. The guide ends only through `onFinish`.
class OnboardingView final : public QWidget {
    Q_OBJECT

public:
    OnboardingView(AppEnvironment environment, GuidedSetupStep initialStep,
                   std::function<void()> onFinish, QWidget* parent = nullptr);
    ~OnboardingView() override;

    const AppEnvironment& environment() const { return m_environment; }
    const AccessibilityPreferences* preferences() const { return m_environment.preferences; }
    GuidedSetupStep step() const { return m_step; }
    // The statuses as the rules read them, with what the user asked for in this showing.
    GuidedSetupState state() const;

    void goTo(GuidedSetupStep step);
    void advance();
    void back();
    void finish();
    // Remembers that the user asked for `kind`, so the step offers the settings next.
    void markAttempted(MacPermissionKind kind);
    bool showMicrophone() const { return m_showMicrophone; }
    void setShowMicrophone(bool shown) { m_showMicrophone = shown; }
    // Presses the step's default button when it is shown and enabled and no request runs.
    void activateDefault();

    GuideStepContent* content() const { return m_content; }
    CloudCompanion* companion() const { return m_companion; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* buildHeader();
    QWidget* buildGuideColumn();
    QWidget* buildContentColumn();
    QWidget* buildFooter();
    void rebuildContent();
    void refresh();

    AppEnvironment m_environment;
    std::function<void()> m_onFinish;
    GuidedSetupStep m_step;
    // The step the guide column and the content show: it follows `m_step` with the content.
    GuidedSetupStep m_shownStep;
    bool m_attemptedSpeech = false;
    bool m_attemptedCallAudio = false;
    bool m_attemptedMicrophone = false;
    bool m_showMicrophone = false;
    bool m_finished = false;
    bool m_rebuildPending = false;

    QWidget* m_progress = nullptr;
    CloudCompanion* m_companion = nullptr;
    SpacedLabel* m_sentence = nullptr;
    PlainLabel* m_contentLabel = nullptr;
    StepTransition* m_transition = nullptr;
    QScrollArea* m_scroll = nullptr;
    GuideStepContent* m_content = nullptr;
    PlainLabel* m_madeFor = nullptr;
    QAbstractButton* m_back = nullptr;
    QAbstractButton* m_skip = nullptr;
};

} // namespace corvel
