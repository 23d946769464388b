#include "ui/session/SessionScreenText.h"

#include "ui/session/SystemWording.h"
#include "ui/session/TextTail.h"

namespace corvel {

QString SessionScreenText::title(SessionPhase phase) {
    switch (phase) {
    case SessionPhase::idle:
        return QStringLiteral("Your interview.");
    case SessionPhase::preparing:
        return QStringLiteral("Preparing to listen…");
    case SessionPhase::waiting:
        return QStringLiteral("Waiting for your call.");
    case SessionPhase::listening:
    case SessionPhase::answering:
        return QStringLiteral("Your interview, live.");
    case SessionPhase::paused:
        return QStringLiteral("Session paused.");
    case SessionPhase::error:
        return QStringLiteral("Action required.");
    }
    return {};
}

QString SessionScreenText::subtitle(const InterviewContext& context) {
    if (context.company.isEmpty())
        return context.title();
    return context.title() + QStringLiteral(" · ") + context.company;
}

QString SessionScreenText::clock(const std::optional<QDateTime>& startedAt, const QDateTime& now) {
    // Milliseconds truncated toward zero to whole seconds; a start in the future counts as now.
    const qint64 elapsed = startedAt ? qMax<qint64>(0, startedAt->msecsTo(now) / 1000) : 0;
    const QChar zero(u'0');
    return QStringLiteral("%1:%2").arg(elapsed / 60, 2, 10, zero).arg(elapsed % 60, 2, 10, zero);
}

QString SessionScreenText::transcript(const QString& transcript) {
    if (transcript.isEmpty())
        return QStringLiteral("No words transcribed yet.");
    return lastCharacters(transcript, transcriptCharacters);
}

bool SessionScreenText::canAsk(bool paused, const QString& draft) {
    return !paused && !draft.trimmed().isEmpty();
}

QString SessionScreenText::waitingHeadline(SessionPhase phase, AudioCaptureHealth health,
                                           bool heardWords) {
    if (phase == SessionPhase::error)
        return QStringLiteral("Listening is not ready yet.");
    if (phase == SessionPhase::paused)
        return QStringLiteral("Resume when you’re ready.");
    if (phase == SessionPhase::preparing)
        return SystemWording::preparingHeadline;
    if (health == AudioCaptureHealth::stalled)
        return QStringLiteral("Check the interview language.");
    if (health == AudioCaptureHealth::noAudio)
        return QStringLiteral("Waiting for call audio.");
    if (heardWords)
        return QStringLiteral("Listening for a question.");
    return QStringLiteral("Join your call.");
}

QString SessionScreenText::waitingExplanation(SessionPhase phase, AudioSource source,
                                              bool automaticAnswers) {
    if (phase == SessionPhase::error)
        return QStringLiteral("Check the message shown, then click Try again.");
    if (phase == SessionPhase::paused)
        return QStringLiteral("Listening has stopped. Click Resume to continue.");
    if (phase == SessionPhase::preparing)
        return SystemWording::preparingExplanation;
    if (source == AudioSource::system && automaticAnswers)
        return QStringLiteral("Your copilot listens to call audio without capturing your "
                              "microphone. A recognized question brings up an answer here and in "
                              "the floating window.");
    return QStringLiteral("Speech is transcribed as a draft. Confirm the interviewer’s question to "
                          "get an answer; your own voice does not trigger anything automatically.");
}

bool SessionScreenText::illustrationAnimated(SessionPhase phase) {
    return phase != SessionPhase::preparing && phase != SessionPhase::error;
}

QString SessionScreenText::responseHeadline(bool generating) {
    return generating ? QStringLiteral("Your answer is on its way…")
                      : QStringLiteral("Your suggested answer will appear here.");
}

QString SessionScreenText::responseLine(bool generating) {
    return generating ? QStringLiteral("Words appear as soon as they arrive.")
                      : QStringLiteral("Listening for the end of the question.");
}

QuestionColumn::QuestionColumn(bool manualMode, const QString& currentQuestion,
                               const QString& draft) {
    label =
        manualMode ? QStringLiteral("DRAFT TO REVIEW") : QStringLiteral("INTERVIEWER’S QUESTION");
    if (manualMode && !draft.isEmpty())
        question = draft;
    else
        question = currentQuestion.isEmpty() ? draft : currentQuestion;
    if (manualMode)
        guidance = Guidance::confirm;
    else if (!currentQuestion.isEmpty() && !draft.isEmpty() && draft != currentQuestion)
        guidance = Guidance::listeningContinues;
}

QString QuestionColumn::guidanceText(Guidance guidance) {
    switch (guidance) {
    case Guidance::confirm:
        return QStringLiteral("Confirm only the interviewer’s question. Your own speech does not "
                              "trigger automatic answers.");
    case Guidance::listeningContinues:
        return QStringLiteral("Listening continues while the answer is generated.");
    case Guidance::none:
        break;
    }
    return {};
}

} // namespace corvel
