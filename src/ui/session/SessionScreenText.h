#pragma once

#include "core/AudioSource.h"
#include "core/InterviewContext.h"
#include "core/SessionPhase.h"
#include "listening/AudioCaptureHealth.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace corvel {

// What the session screen and its two panels say for a state.
struct SessionScreenText {
    SessionScreenText() = delete;

    static constexpr qsizetype transcriptCharacters = 800;

    static QString title(SessionPhase phase);
    // The interview's title, then " · " and the company when there is one.
    static QString subtitle(const InterviewContext& context);
    // Whole minutes and seconds since the start, "%02d:%02d" with minutes never wrapped; 00:00
    // before the start or without one.
    static QString clock(const std::optional<QDateTime>& startedAt, const QDateTime& now);
    // The end of what was heard, or a line saying nothing was.
    static QString transcript(const QString& transcript);
    // Whether a draft can be sent as the question.
    static bool canAsk(bool paused, const QString& draft);

    // The waiting panel.
    static QString waitingHeadline(SessionPhase phase, AudioCaptureHealth health, bool heardWords);
    static QString waitingExplanation(SessionPhase phase, AudioSource source,
                                      bool automaticAnswers);
    static bool illustrationAnimated(SessionPhase phase);

    // The answer panel before any text arrives.
    static QString responseHeadline(bool generating);
    static QString responseLine(bool generating);
};

// The left column beside the answer: what kind of question it shows, the question, and what the
// user is told to do with it.
struct QuestionColumn {
    enum class Guidance { none, confirm, listeningContinues };

    QString label;
    QString question;
    Guidance guidance = Guidance::none;

    QuestionColumn(bool manualMode, const QString& currentQuestion, const QString& draft);

    static QString guidanceText(Guidance guidance);
};

} // namespace corvel
