#include "session/QuestionIntake.h"

#include "listening/TextFolding.h"
#include "listening/TranscriptQuestionTracker.h"

#include <utility>

namespace corvel {

namespace {

// The recogniser closes each final result with a mark; words that follow it continue the text.
QString withoutClosingMark(QString text) {
    while (text.endsWith(u'?') || text.endsWith(u'.') || text.endsWith(u'!'))
        text.chop(1);
    return text;
}

} // namespace

void QuestionIntake::reset() {
    *this = QuestionIntake();
}

void QuestionIntake::listeningStarted() {
    m_turns.consumedTranscript.clear();
    m_carried.clear();
    m_waiting.reset();
}

void QuestionIntake::segmentStarted() {
    if (m_waiting) {
        // What was consumed stays behind.
        m_waiting->transcript = TranscriptQuestionTracker::unconsumedText(
                                    m_waiting->transcript, m_turns.consumedTranscript, 1)
                                    .value_or(m_waiting->transcript);
        m_carried = withoutClosingMark(m_waiting->transcript);
    } else {
        m_carried.clear();
    }
    m_turns.consumedTranscript.clear();
    m_transcript = m_carried;
}

void QuestionIntake::record(const QString& text) {
    m_transcript = m_carried.isEmpty() ? text : m_carried + u' ' + text.trimmed();
}

QuestionIntake::Heard QuestionIntake::judge(bool isFinal, bool automatic) {
    Heard heard;
    QString consumed = m_turns.consumedTranscript;
    if (m_waiting) {
        const auto more = wordsAfterWaiting();
        if (!more)
            return heard;
        if (!TranscriptQuestionTracker::opensQuestion(*more)) {
            if (const auto whole = continuation(*more, isFinal)) {
                heard.question = whole;
                if (isFinal) {
                    m_waiting.reset();
                    decide(heard, *whole, true, automatic);
                }
                return heard;
            }
        }
        // Partial results are the recogniser's guesses ("How our…" for "Our roadmap"): only the
        // final result of the words that follow decides.
        if (!isFinal)
            return heard;
        consumed = std::exchange(m_waiting, std::nullopt)->transcript;
        heard.stands = consumed;
    }
    if (const auto question = questionAfter(consumed, isFinal)) {
        heard.question = question;
        decide(heard, *question, isFinal, automatic);
    }
    return heard;
}

void QuestionIntake::decide(Heard& heard, const QString& question, bool isFinal, bool automatic) {
    if (!automatic)
        return;
    if (isFinal && !TranscriptQuestionTracker::mayContinue(question)) {
        heard.next = Heard::Next::claim;
        return;
    }
    heard.next = Heard::Next::wait;
    if (isFinal)
        m_waiting = Waiting{m_transcript.trimmed(), question};
}

void QuestionIntake::taken(const QString& transcript) {
    m_turns.consumedTranscript = transcript;
}

bool QuestionIntake::awaitsContinuation() const {
    return m_waiting && wordsAfterWaiting();
}

std::optional<QuestionIntake::Claim> QuestionIntake::waitEnded() {
    if (!m_waiting)
        return std::nullopt;
    const auto more = wordsAfterWaiting();
    // Words that never reached a final result but continue the question: asked whole as they
    // stand.
    if (more && !TranscriptQuestionTracker::opensQuestion(*more) && continuation(*more, false)) {
        m_waiting.reset();
        return Claim{m_transcript.trimmed(), false};
    }
    return Claim{std::exchange(m_waiting, std::nullopt)->transcript, true};
}

std::optional<QString> QuestionIntake::claim(const QString& transcript, bool isFinal, double now) {
    return m_turns.consume(transcript, isFinal, now);
}

void QuestionIntake::takeAll(const QString& question, double now) {
    m_turns.consumedTranscript = m_transcript;
    m_turns.lastQuestion = question;
    m_turns.lastQuestionTime = now;
    m_waiting.reset();
}

std::optional<QString> QuestionIntake::questionAfter(const QString& consumed, bool isFinal) const {
    const auto unconsumed =
        TranscriptQuestionTracker::unconsumedText(m_transcript.trimmed(), consumed, 1);
    if (!unconsumed)
        return std::nullopt;
    return TranscriptQuestionTracker::question(*unconsumed, isFinal);
}

std::optional<QString> QuestionIntake::wordsAfterWaiting() const {
    return TranscriptQuestionTracker::unconsumedText(m_transcript.trimmed(), m_waiting->transcript,
                                                     1);
}

std::optional<QString> QuestionIntake::continuation(const QString& more, bool isFinal) const {
    if (!TranscriptQuestionTracker::opensObject(more))
        return std::nullopt;
    const auto whole = questionAfter(m_turns.consumedTranscript, isFinal);
    if (!whole || foldedWords(*whole).size() <= foldedWords(m_waiting->question).size())
        return std::nullopt;
    return whole;
}

} // namespace corvel
