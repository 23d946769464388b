#pragma once

#include "ui/preparation/GuideStepContent.h"

class QAbstractButton;

namespace corvel {

class OnboardingView;
class SpacedLabel;

// The guide's first step: what the setup does, "Set up my computer", and an optional Google
// sign-in while nobody is signed in.
class WelcomeStepContent final : public GuideStepContent {
    Q_OBJECT

public:
    WelcomeStepContent(OnboardingView& guide, QWidget* parent = nullptr);

    ActionButton* defaultButton() const override { return m_start; }

private:
    void start();
    void refresh();

    OnboardingView& m_guide;
    ActionButton* m_start;
    QWidget* m_signInCard;
    QAbstractButton* m_cancel;
    SpacedLabel* m_message;
};

} // namespace corvel
