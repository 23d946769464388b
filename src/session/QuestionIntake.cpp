#include "session/QuestionIntake.h"

#include "language/EnglishSentences.h"
#include "language/QuestionContinuation.h"
#include "language/TextFolding.h"
#include "listening/TranscriptQuestionTracker.h"

#include <utility>

namespace corvel {

namespace {

using namespace Qt::Literals::StringLiterals;

// Words that come this soon after the result before go on with it, as after a pause inside a
// sentence; the recogniser ends a result after 0.4 s of silence.
constexpr double goingOnSeconds = 0.8;

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

// Words that go on with others join them as one sentence: the recogniser's sentence capital
// goes (the pronoun "I" keeps its own).
QString goingOn(const QString& before, const QString& more) {
    QString words = more.trimmed();
    const bool pronounI = words == u"I"_s || words.startsWith(u"I "_s) ||
                          words.startsWith(u"I'"_s) || words.startsWith(u"I\u2019"_s);
    if (!words.isEmpty() && !pronounI)
        words[0] = words[0].toLower();
    return withoutClosingMark(before) + u' ' + words;
}

// Words that continue a question join it as one sentence, one question mark closing the whole.
QString joined(const QString& question, const QString& more) {
    return withoutClosingMark(goingOn(question, more)) + u'?';
}

// Whether a question stops where no sentence ends ("Which of your old jobs do?"): it is asked
// only with what continues it.
bool isCutOff(const QString& question) {
    return EnglishSentences::ending(spokenWords(question)) == EnglishSentences::Ending::cutOff;
}

} // namespace

void QuestionIntake::reset() {
    *this = QuestionIntake();
}

void QuestionIntake::listeningStarted() {
    m_turns.consumedTranscript.clear();
    m_transcript.clear();
    m_carried.clear();
    m_waiting.reset();
    m_takenWhole.reset();
    m_following.reset();
    m_unfinished.reset();
}

void QuestionIntake::segmentStarted() {
    // A question taken from the whole of the segment before: what follows soon may only go on
    // with it
    m_following = std::exchange(m_takenWhole, std::nullopt);
    // Words that stopped where no sentence ends, and asked nothing, lead the next segment if
    // it follows soon
    m_unfinished = m_waiting ? std::nullopt
                             : TranscriptQuestionTracker::unconsumedText(
                                   m_transcript.trimmed(), m_turns.consumedTranscript, 1);
    if (m_unfinished &&
        EnglishSentences::ending(spokenWords(*m_unfinished)) == EnglishSentences::Ending::whole)
        m_unfinished.reset();
    m_fresh = true;
    m_carriesUnfinished = false;
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

void QuestionIntake::record(const QString& text, double now) {
    m_decided.reset();
    m_heardAt = now;
    if (std::exchange(m_fresh, false)) {
        if (now - m_finalAt <= goingOnSeconds) {
            if (m_unfinished) {
                m_carried = withoutClosingMark(*m_unfinished);
                m_carriesUnfinished = true;
                m_following.reset();
            }
        } else {
            m_following.reset();
        }
        m_unfinished.reset();
    }
    if (m_carried.isEmpty())
        m_transcript = text;
    else if (m_carriesUnfinished)
        m_transcript = goingOn(m_carried, text);
    else
        m_transcript = m_carried + u' ' + text.trimmed();
}

QuestionIntake::Heard QuestionIntake::judge(bool isFinal, bool automatic) {
    Heard heard;
    if (isFinal)
        m_finalAt = m_heardAt;
    // Words that only go on with the question just asked are no question of their own ("Why did
    // you leave?" … "your last job"); the first sentence after it decides
    if (m_following && !m_waiting) {
        const auto more = TranscriptQuestionTracker::unconsumedText(m_transcript.trimmed(),
                                                                    m_turns.consumedTranscript, 1);
        if (more && QuestionContinuation::goesOn(*m_following, *more)) {
            if (isFinal) {
                m_turns.consumedTranscript = m_transcript.trimmed();
                m_following.reset();
            }
            return heard;
        }
        if (isFinal)
            m_following.reset();
    }
    QString consumed = m_turns.consumedTranscript;
    if (m_waiting) {
        const auto more = wordsAfterWaiting();
        if (!more)
            return heard;
        const auto reading = QuestionContinuation::read(m_waiting->question, *more);
        if (reading == QuestionContinuation::Reading::object) {
            const QString whole = joined(m_waiting->question, *more);
            // Whole, the words may ask nothing: "Who you report to" "will depend on the site"
            if (isFinal && !TranscriptQuestionTracker::question(whole, true)) {
                joinWaiting(*more);
                m_turns.consumedTranscript = m_transcript.trimmed();
                m_waiting.reset();
                return heard;
            }
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
        // Cut off and followed by something else, it is not asked at all
        if (isCutOff(m_waiting->question)) {
            consumed = m_turns.consumedTranscript = m_waiting->transcript;
            m_waiting.reset();
            heard.question.reset();
            if (const auto question = questionAfter(m_transcript.trimmed(), consumed, isFinal)) {
                heard.question = question;
                decide(heard, *question, isFinal, automatic);
            }
            return heard;
        }
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
    } else if (isCutOff(m_waiting->question)) {
        // Nothing continued it: nothing is asked, and its words are taken
        m_turns.consumedTranscript = m_waiting->transcript;
        m_waiting.reset();
        return std::nullopt;
    } else {
        m_decided = *m_waiting;
    }
    m_waiting.reset();
    m_decided->question = QuestionContinuation::asAsked(m_decided->question);
    return Claim{m_decided->transcript, m_decided->question, !whole};
}

std::optional<QString> QuestionIntake::claim(const QString& transcript, bool isFinal, double now) {
    const auto question =
        m_decided && m_decided->transcript == transcript
            ? m_turns.take(transcript, std::exchange(m_decided, std::nullopt)->question, now)
            : m_turns.consume(transcript, isFinal, now);
    // Taken from the whole segment as it ended: what the next one says may go on with it
    if (question && isFinal && transcript == m_transcript.trimmed())
        m_takenWhole = question;
    return question;
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
