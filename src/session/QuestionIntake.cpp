#include "session/QuestionIntake.h"

#include "language/QuestionContinuation.h"
#include "listening/TranscriptQuestionTracker.h"

#include <utility>

namespace corvel {

namespace {

using namespace Qt::Literals::StringLiterals;

// The recogniser closes each final result with a mark; words that follow it continue the text.
QString withoutClosingMark(QString text) {
    while (text.endsWith(u'?') || text.endsWith(u'.') || text.endsWith(u'!'))
        text.chop(1);
    return text;
}

// The question in the part of `transcript` that follows `consumed`.
std::optional<QString> questionAfter(const QString& transcript, const QString& consumed,
                                     bool isFinal) {
    const auto unconsumed = TranscriptQuestionTracker::unconsumedText(transcript, consumed, 1);
    if (!unconsumed)
        return std::nullopt;
    return TranscriptQuestionTracker::question(*unconsumed, isFinal);
}

// Words that continue a question join it as one sentence: the recogniser's sentence capital
// goes (the pronoun "I" keeps its own), and one question mark closes the whole.
QString joined(const QString& question, const QString& more) {
    QString words = withoutClosingMark(more.trimmed());
    const bool pronounI = words == u"I"_s || words.startsWith(u"I "_s) ||
                          words.startsWith(u"I'"_s) || words.startsWith(u"I\u2019"_s);
    if (!words.isEmpty() && !pronounI)
        words[0] = words[0].toLower();
    return withoutClosingMark(question) + u' ' + words + u'?';
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
    m_decided.reset();
    m_transcript = m_carried.isEmpty() ? text : m_carried + u' ' + text.trimmed();
}

QuestionIntake::Heard QuestionIntake::judge(bool isFinal, bool automatic) {
    Heard heard;
    QString consumed = m_turns.consumedTranscript;
    if (m_waiting) {
        const auto more = wordsAfterWaiting();
        if (!more)
            return heard;
        const auto reading = QuestionContinuation::read(m_waiting->question, *more);
        if (reading == QuestionContinuation::Reading::object) {
            const QString whole = joined(m_waiting->question, *more);
            heard.question = whole;
            if (isFinal) {
                joinWaiting(*more);
                m_waiting.reset();
                m_decided = Waiting{m_transcript.trimmed(), whole};
                decide(heard, whole, true, automatic);
            }
            return heard;
        }
        // Meanwhile the question shows as it stands. Partial results are the recogniser's
        // guesses ("How our…" for "Our roadmap"): only the final result of the words that
        // follow decides.
        heard.question = m_waiting->question;
        if (!isFinal)
            return heard;
        m_decided = std::exchange(m_waiting, std::nullopt);
        // A remark is taken with the question it follows, also one the detector would take for
        // a question ("What you say here is confidential.").
        if (reading == QuestionContinuation::Reading::remark)
            m_decided->transcript += u' ' + QuestionContinuation::firstSentence(*more);
        consumed = m_decided->transcript;
        heard.stands = *m_decided;
    }
    if (const auto question = questionAfter(m_transcript.trimmed(), consumed, isFinal)) {
        heard.question = question;
        decide(heard, *question, isFinal, automatic);
    }
    return heard;
}

void QuestionIntake::decide(Heard& heard, const QString& question, bool isFinal, bool automatic) {
    if (!automatic)
        return;
    if (isFinal && !QuestionContinuation::mayGoOn(question)) {
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
    // Words that never reached a final result but continue the question: asked whole as they
    // stand.
    const auto more = wordsAfterWaiting();
    const auto whole = more && QuestionContinuation::read(m_waiting->question, *more) ==
                                   QuestionContinuation::Reading::object
                           ? std::optional(joined(m_waiting->question, *more))
                           : std::nullopt;
    if (whole) {
        joinWaiting(*more);
        m_decided = Waiting{m_transcript.trimmed(), *whole};
    } else {
        m_decided = *m_waiting;
    }
    m_waiting.reset();
    return Claim{m_decided->transcript, m_decided->question, !whole};
}

std::optional<QString> QuestionIntake::claim(const QString& transcript, bool isFinal, double now) {
    if (m_decided && m_decided->transcript == transcript)
        return m_turns.take(transcript, std::exchange(m_decided, std::nullopt)->question, now);
    return m_turns.consume(transcript, isFinal, now);
}

void QuestionIntake::takeAll(const QString& question, double now) {
    m_turns.consumedTranscript = m_transcript;
    m_turns.lastQuestion = question;
    m_turns.lastQuestionTime = now;
    m_waiting.reset();
}

std::optional<QString> QuestionIntake::wordsAfterWaiting() const {
    return TranscriptQuestionTracker::unconsumedText(m_transcript.trimmed(), m_waiting->transcript,
                                                     1);
}

void QuestionIntake::joinWaiting(const QString& more) {
    m_transcript = joined(m_waiting->transcript, more);
}

} // namespace corvel
