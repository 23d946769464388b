#pragma once

#include "platform/UptimeClock.h"
#include "ui/foundation/AppEnvironment.h"
#include "ui/session/SessionClock.h"

#include <QWidget>

#include <optional>

class QScrollArea;

namespace corvel {

class ActionButton;
class AudioCapture;
class CaptureHelpView;
class CaptureStatusView;
class DeferredRefresh;
class DisclosureGroup;
class LinkButton;
class PlainLabel;
class ResponsePanel;
class SpacedLabel;
class TextArea;
class WaitingForCallView;

// The live screen of an open session: the phase title and clock; the waiting panel, or the
// question beside the streaming answer; the error card, capture help, what was heard and the
// manual question; and the control bar. It owns no session logic: it shows the store and calls
// its actions.
class SessionContentView final : public QWidget {
    Q_OBJECT

public:
    SessionContentView(const AppEnvironment& environment, AudioCapture& audio,
                       UptimeClock& clock = systemUptimeClock(), SessionClock::Now now = {},
                       QWidget* parent = nullptr);

    // Parts the tests and the screen tool reach.
    WaitingForCallView* waitingPanel() const { return m_waiting; }
    QWidget* conversation() const { return m_conversation; }
    ResponsePanel* responsePanel() const { return m_response; }
    QWidget* errorCard() const { return m_errorCard; }
    CaptureHelpView* captureHelp() const { return m_help; }
    CaptureStatusView* captureStatus() const { return m_status; }
    DisclosureGroup* transcriptGroup() const { return m_transcriptGroup; }
    DisclosureGroup* manualGroup() const { return m_manualGroup; }
    TextArea* manualQuestion() const { return m_manualQuestion; }
    SessionClock* clock() const { return m_clock; }
    QScrollArea* scrollArea() const { return m_scroll; }
    SpacedLabel* subtitle() const { return m_subtitle; }
    ActionButton* suggestButton() const { return m_suggest; }
    bool showsManualQuestion() const { return m_showManualQuestion; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* buildHeader(UptimeClock& clock, SessionClock::Now now);
    QWidget* buildConversation();
    QWidget* buildErrorCard();
    QWidget* buildDisclosures();
    QWidget* buildControlBar();
    void refresh();
    void refreshQuestionDraft();
    void toggleOverlay();
    bool typingInField() const;
    int fieldY() const;
    void rememberFieldPlace();
    void holdFocusedField();
    void scrollFieldTo(int y);
    void keepContentHeight();
    void setRoomAbove(int height);
    void fitRoom();

    AppEnvironment m_environment;
    AppStore& m_store;
    AudioCapture& m_audio;
    bool m_showManualQuestion = false;

    PlainLabel* m_title = nullptr;
    SpacedLabel* m_subtitle = nullptr;
    SessionClock* m_clock = nullptr;
    QScrollArea* m_scroll = nullptr;
    WaitingForCallView* m_waiting = nullptr;
    QWidget* m_conversation = nullptr;
    PlainLabel* m_questionLabel = nullptr;
    SpacedLabel* m_question = nullptr;
    SpacedLabel* m_guidance = nullptr;
    ActionButton* m_useQuestion = nullptr;
    ResponsePanel* m_response = nullptr;
    QWidget* m_errorCard = nullptr;
    CaptureHelpView* m_help = nullptr;
    DisclosureGroup* m_transcriptGroup = nullptr;
    SpacedLabel* m_transcript = nullptr;
    DisclosureGroup* m_manualGroup = nullptr;
    TextArea* m_manualQuestion = nullptr;
    ActionButton* m_suggest = nullptr;
    CaptureStatusView* m_status = nullptr;
    LinkButton* m_overlayToggle = nullptr;
    ActionButton* m_pause = nullptr;
    DeferredRefresh* m_refresh;
    // Where the user last saw the manual field they type in, in the window; content that
    // appears above it by itself scrolls the screen so that it stays there.
    std::optional<int> m_fieldY;
    bool m_holdPending = false;
    // Room added under the content so that the view can stay where it is after content shrank.
    bool m_slack = false;
    // Room added above the disclosures so that the field, and what is above it, hold still after
    // content above the field shrank.
    int m_roomAbove = 0;
    QWidget* m_disclosures = nullptr;
};

} // namespace corvel
