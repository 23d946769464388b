#pragma once

#include "ui/preparation/GuideStepContent.h"

class QAbstractButton;
class QVBoxLayout;

namespace corvel {

class OnboardingView;
class PlainLabel;
class SpacedLabel;

// The guide's last step: what the setup achieved, the interview account, "Prepare my interview"
// and the optional microphone mode behind a disclosure.
class ReadyStepContent final : public GuideStepContent {
    Q_OBJECT

public:
    ReadyStepContent(OnboardingView& guide, QWidget* parent = nullptr);

    ActionButton* defaultButton() const override { return m_prepare; }
    QString accountStatus() const;
    QWidget* signInBlock() const { return m_signIn; }
    QAbstractButton* microphoneButton() const { return m_microphone; }

private:
    struct SummaryRow {
        QWidget* mark;
        PlainLabel* status;
    };
    SummaryRow addSummaryRow(QVBoxLayout* rows, const QString& title);
    void pressMicrophone();
    void refresh();

    OnboardingView& m_guide;
    SpacedLabel* m_title;
    SummaryRow m_speech;
    SummaryRow m_callAudio;
    SummaryRow m_account;
    QWidget* m_signIn;
    ActionButton* m_prepare;
    QWidget* m_note;
    PlainLabel* m_microphoneAllowed;
    QAbstractButton* m_microphone;
    PlainLabel* m_unavailable;
    bool m_settingsFailed = false;
};

} // namespace corvel
