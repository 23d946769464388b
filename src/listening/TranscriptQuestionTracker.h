#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace corvel {

// Picks out of a stretch of live transcript, French or English, the question or request that the
// interviewer put to the candidate, with no state: an English clause by its form (EnglishClause),
// a sentence at a time (EnglishSentences divides a partial result as the finisher divides a final
// one), a French one with fixed word lists. Small talk, the candidate's own story, reported and
// quoted speech and a question its speaker answers are rejected; direct questions, polite
// requests, short follow-ups and a recruiter's self-introduction followed by a request are
// accepted, and in English whatever the interviewer said about themselves before them.
class TranscriptQuestionTracker final {
public:
    TranscriptQuestionTracker() = delete;

    // The question held by `text`, cut from the clause where it starts; `isFinal` tells whether
    // the recogniser marked the text as final (a partial result must look more complete).
    static std::optional<QString> question(const QString& text, bool isFinal);

    // The part of `transcript` that follows what `consumed` already covered, or the whole
    // transcript when the recogniser has rewritten it; none when nothing new remains.
    static std::optional<QString> unconsumedText(const QString& transcript, const QString& consumed,
                                                 qsizetype minimumSuffixLength);

    // One token without case, accents or punctuation: "C’est" gives "cest".
    static QString normalize(QStringView token);

    // Whether two questions are the same words, allowing a recogniser's small rewording.
    static bool isSameQuestion(const QString& a, const QString& b);
};

} // namespace corvel
