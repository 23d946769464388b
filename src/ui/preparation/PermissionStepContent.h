#pragma once

#include "listening/MacPermissionKind.h"
#include "ui/preparation/GuideStepContent.h"

class QAbstractButton;

namespace corvel {

class OnboardingView;
class PlainLabel;
class SpacedLabel;
class RoundedCard;
class SymbolMark;

// A permission step of the guide (speech or call audio): its status card and the one control
// that moves it on: continue, ask, or open the settings.
class PermissionStepContent final : public GuideStepContent {
    Q_OBJECT

public:
    PermissionStepContent(OnboardingView& guide, MacPermissionKind kind, QWidget* parent = nullptr);

    ActionButton* defaultButton() const override;
    ActionButton* primaryButton() const { return m_primary; }
    QAbstractButton* checkAgainButton() const { return m_checkAgain; }
    QAbstractButton* laterButton() const { return m_later; }

private:
    void press();
    void refresh();

    OnboardingView& m_guide;
    MacPermissionKind m_kind;
    RoundedCard* m_card;
    SymbolMark* m_symbol;
    PlainLabel* m_status;
    SpacedLabel* m_hint;
    ActionButton* m_primary;
    QWidget* m_spinner;
    PlainLabel* m_unavailable;
    QAbstractButton* m_checkAgain;
    QAbstractButton* m_later;
    bool m_settingsFailed = false;
};

} // namespace corvel
