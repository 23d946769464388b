#include "listening/AutomaticQuestionTurns.h"

#include "language/QuestionContinuation.h"
#include "listening/TranscriptQuestionTracker.h"

namespace corvel {

std::optional<QString> AutomaticQuestionTurns::consume(const QString& transcript, bool isFinal,
                                                       double now) {
    const auto suffix =
        TranscriptQuestionTracker::unconsumedText(transcript, consumedTranscript, 1);
    if (!suffix) {
        return std::nullopt;
    }
    const auto question = TranscriptQuestionTracker::question(*suffix, isFinal);
    if (!question) {
        return std::nullopt;
    }
    return take(transcript, *question, now);
}

std::optional<QString> AutomaticQuestionTurns::take(const QString& transcript, const QString& heard,
                                                    double now) {
    consumedTranscript = transcript;
    const QString question = QuestionContinuation::asAsked(heard);
    if (!(now - lastQuestionTime >= repeatWindow) &&
        TranscriptQuestionTracker::isSameQuestion(question, lastQuestion)) {
        return std::nullopt;
    }
    lastQuestion = question;
    lastQuestionTime = now;
    return question;
}

} // namespace corvel
