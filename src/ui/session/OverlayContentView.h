#pragma once

#include "ui/session/OverlayText.h"

#include <QPointer>
#include <QWidget>

class QBoxLayout;
class QScrollArea;

namespace corvel {

class AccessibilityPreferences;
class AnswerText;
class AppStore;
class AudioCapture;
class CaptureHelpView;
class CaptureStatusView;
class ColorSquare;
class DeferredRefresh;
class LinkButton;
class PlainLabel;
class SpacedLabel;

// What the floating window shows: the brand, a status tag and the pause and hide buttons; the
// question as recognised; the answer as cues while it streams; before any question, the status
// and an empty state saying what the session waits for. It reads the same store state as the
// session screen.
class OverlayContentView final : public QWidget {
    Q_OBJECT

public:
    OverlayContentView(AppStore& store, AudioCapture& audio, bool compact,
                       const AccessibilityPreferences* preferences = nullptr,
                       QWidget* parent = nullptr);

    bool isCompact() const { return m_compact; }
    void setCompact(bool compact);
    // The state the words are chosen from, read from the store and the capture engine.
    OverlayState state() const;
    double backgroundOpacity() const;

    // Parts the tests and the screen tool reach.
    QWidget* header() const { return m_header; }
    QWidget* statusTag() const { return m_tag; }
    QWidget* statusBlock() const { return m_statusBlock; }
    QWidget* questionBlock() const { return m_questionBlock; }
    SpacedLabel* question() const { return m_question; }
    AnswerText* answer() const { return m_answer; }
    QWidget* emptyState() const { return m_empty; }
    QWidget* footer() const { return m_footer; }
    LinkButton* pauseButton() const { return m_pause; }
    LinkButton* hideButton() const { return m_hide; }
    QScrollArea* answerArea() const { return m_scroll; }
    SpacedLabel* lastWords() const { return m_lastWordsText; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildHeader();
    QWidget* buildStatusBlock();
    QWidget* buildQuestionBlock();
    QWidget* buildAnswerArea();
    QWidget* buildFooter();
    CaptureStatusView* captureStatus(QWidget* parent);
    void applySizes();
    void refresh();

    AppStore& m_store;
    AudioCapture& m_audio;
    bool m_compact;
    QPointer<const AccessibilityPreferences> m_preferences;
    bool m_translucency = true;
    double m_paintedOpacity = -1;

    QBoxLayout* m_layout = nullptr;
    QWidget* m_header = nullptr;
    QWidget* m_tag = nullptr;
    ColorSquare* m_tagSquare = nullptr;
    PlainLabel* m_tagCaption = nullptr;
    LinkButton* m_pause = nullptr;
    LinkButton* m_hide = nullptr;
    QWidget* m_statusBlock = nullptr;
    PlainLabel* m_statusLabel = nullptr;
    CaptureStatusView* m_blockStatus = nullptr;
    QWidget* m_questionBlock = nullptr;
    SpacedLabel* m_question = nullptr;
    QScrollArea* m_scroll = nullptr;
    AnswerText* m_answer = nullptr;
    QWidget* m_empty = nullptr;
    SpacedLabel* m_emptyTitle = nullptr;
    SpacedLabel* m_emptyHint = nullptr;
    QWidget* m_lastWords = nullptr;
    SpacedLabel* m_lastWordsText = nullptr;
    QString m_shownTranscript;
    QWidget* m_footer = nullptr;
    PlainLabel* m_resumeFooter = nullptr;
    QWidget* m_noteFooter = nullptr;
    CaptureStatusView* m_footerStatus = nullptr;
    PlainLabel* m_note = nullptr;
    DeferredRefresh* m_refresh;
};

} // namespace corvel
