#include "language/Speaker.h"

#include "language/Interrogative.h"
#include "language/ReportedSpeech.h"

namespace corvel::clause {

namespace {

// What the speaker searches for: "what's the word…", "what was the name…".
constexpr QLatin1String namingWords[] = {"word"_L1,       "phrase"_L1, "name"_L1,   "term"_L1,
                                         "expression"_L1, "saying"_L1, "acronym"_L1};
// Closing tags that make a statement a question ("you led it, didn't you").
constexpr QLatin1String negativeTags[] = {
    "is n't it"_L1,    "is n't that"_L1,  "was n't it"_L1,  "does n't it"_L1,   "did n't it"_L1,
    "wo n't it"_L1,    "has n't it"_L1,   "are n't you"_L1, "do n't you"_L1,    "did n't you"_L1,
    "wo n't you"_L1,   "have n't you"_L1, "ca n't you"_L1,  "could n't you"_L1, "would n't you"_L1,
    "were n't you"_L1, "are n't they"_L1, "do n't they"_L1, "did n't they"_L1,  "are n't we"_L1,
    "do n't we"_L1,    "did n't we"_L1};
constexpr QLatin1String sentenceTags[] = {
    "is that right"_L1, "is that correct"_L1, "is that true"_L1, "does that make sense"_L1,
    "or not"_L1,        "i take it"_L1,       "you said"_L1};
// "right" closes a tag question unless it completes a statement ("that sounds right").
constexpr QLatin1String notBeforeTagRight[] = {
    "'s"_L1,    "is"_L1,   "was"_L1,   "'re"_L1,    "'m"_L1,         "all"_L1,     "exactly"_L1,
    "quite"_L1, "turn"_L1, "the"_L1,   "your"_L1,   "my"_L1,         "our"_L1,     "to"_L1,
    "left"_L1,  "be"_L1,   "feels"_L1, "sounds"_L1, "seems"_L1,      "looks"_L1,   "get"_L1,
    "got"_L1,   "do"_L1,   "did"_L1,   "just"_L1,   "absolutely"_L1, "alright"_L1, "me"_L1};
// Inverted pairs that make a question wherever they stand ("so tell me what do you think").
constexpr QLatin1String invertedPairs[] = {
    "could you"_L1, "can you"_L1,   "would you"_L1, "will you"_L1,   "do you"_L1, "did you"_L1,
    "have you"_L1,  "are you"_L1,   "were you"_L1,  "should you"_L1, "do we"_L1,  "can we"_L1,
    "could we"_L1,  "shall we"_L1,  "should we"_L1, "did we"_L1,     "are we"_L1, "is there"_L1,
    "are there"_L1, "was there"_L1, "were there"_L1};
// Verbs of the listener's mind that a statement puts to them to confirm: "you mean…".
constexpr QLatin1String confirming[] = {"think"_L1, "mean"_L1,     "figure"_L1,  "reckon"_L1,
                                        "agree"_L1, "remember"_L1, "suppose"_L1, "believe"_L1};

} // namespace

bool Speaker::isPast() const {
    for (qsizetype i = 0; i < size(); ++i) {
        if (isOneOf(tag(i), {Tag::vbd, Tag::vbz, Tag::vbp, Tag::md}) || isIn(text(i), auxiliaries))
            return tag(i) == Tag::vbd || isIn(text(i), {"was"_L1, "were"_L1, "did"_L1, "had"_L1});
    }
    return false;
}

Reading Speaker::statementAt(qsizetype i) const {
    const QString& first = text(i);
    // "you led the team?": a statement put to the listener
    if (m_questionMark && (first == "you"_L1 || first == "your"_L1))
        return {Form::interrogative, true, false};
    // "you think that would work", "you mean the leeds office": the listener's own mind, put
    // to them to confirm ("you know what kids are like" tells)
    if (first == "you"_L1 && i + 2 < size() && isIn(text(i + 1), confirming) &&
        isOneOf(tag(i + 1), {Tag::vbp, Tag::vb}))
        return {Form::interrogative, true, false};
    Reading statement;
    statement.aboutSpeaker = isIn(first, firstPerson);
    return statement;
}

Reading Speaker::statementAfterLeadIn(qsizetype i) const {
    const QString& first = text(i);
    Reading statement;
    statement.aboutSpeaker = (first == "i"_L1 || first == "we"_L1) &&
                             !isIn(text(i - 1), leadInSubordinators) && text(i - 1) != "that"_L1 &&
                             tag(i - 1) != Tag::cc;
    return statement;
}

bool Speaker::isAnsweredAt(qsizetype i) const {
    // "where was the conference harrogate that's right": found
    const qsizetype n = size();
    if (n - i > 4 && text(n - 3) == "that"_L1 && text(n - 2) == "'s"_L1 &&
        isIn(text(n - 1), {"it"_L1, "right"_L1, "one"_L1}))
        return true;
    qsizetype p = i;
    if (text(p) == "what"_L1 || text(p) == "which"_L1 || text(p) == "when"_L1) {
        ++p;
        while (p < size() && EnglishTagger::isNoun(tag(p)) && p < i + 3) // "what year"
            ++p;
        if (!isIn(text(p), beForms) && text(p) != "'s"_L1)
            return false;
        ++p;
        if (text(p) == "it"_L1) {
            ++p;
            if (text(p) == "called"_L1)
                ++p;
        } else if (isOneOf(tag(p), {Tag::dt}) && isIn(text(p + 1), namingWords)) {
            p += 2;
        } else {
            return false;
        }
        // Then the answer, not more of the question: "what's the name of your manager",
        // "what's the word you'd use", "what was it like"
        // (a name, a number, a noun or what it is like, not "when was it out", "what is it
        // now")
        return p < size() && !m_addressed &&
               !isOneOf(tag(p), {Tag::in, Tag::of, Tag::to, Tag::wdt, Tag::wp, Tag::wrb, Tag::md,
                                 Tag::prp, Tag::rb, Tag::rp}) &&
               !isIn(text(p), {"like"_L1, "that"_L1, "about"_L1});
    }
    // "was it march no april": corrected before anyone answers
    if (!isIn(text(p), beForms) || text(p + 1) != "it"_L1)
        return false;
    for (qsizetype no = p + 3; no + 1 < size(); ++no) {
        if (text(no) == "no"_L1)
            return true;
    }
    return false;
}

Reading Speaker::withTag(Reading reading) const {
    if (reading.form != Form::statement && reading.form != Form::imperative)
        return reading;
    // "help yourself to biscuits right": a request's "right" moves on
    if (reading.form == Form::imperative && text(size() - 1) == "right"_L1)
        return reading;
    if (!endsWithTag() && !(hasInvertedPair() && !reading.aboutSpeaker))
        return reading;
    Reading tagged{Form::interrogative};
    tagged.aboutSpeaker = reading.aboutSpeaker && !m_addressed;
    tagged.asks = !tagged.aboutSpeaker;
    return tagged;
}

bool Speaker::endsWithTag() const {
    const qsizetype n = size();
    if (quoteStart() < n)
        return false; // the quote's own
    const auto last = [this, n](qsizetype count) {
        QStringList words;
        for (qsizetype i = n - count; i < n; ++i)
            words.append(text(i));
        return words.join(u' ');
    };
    if (n >= 3 && text(n - 1) == "right"_L1)
        return !isIn(text(n - 2), notBeforeTagRight) && tag(n - 2) != Tag::rb;
    // "you've got your card yeah"
    if (n >= 3 && isIn(text(n - 1), {"yeah"_L1, "yes"_L1}) && m_addressed)
        return true;
    if (n >= 4 && isIn(last(3), negativeTags))
        return true;
    // "you haven't worked in retail before have you"
    if (n >= 4 && isIn(last(2), invertedPairs) &&
        std::any_of(m_words.begin(), m_words.end() - 2, [](const Word& w) {
            return w.text == "n't"_L1 || w.text == "never"_L1 || w.text == "not"_L1;
        }))
        return true;
    for (qsizetype length = 2; length <= 4 && length < n; ++length) {
        if (isIn(last(length), sentenceTags))
            return true;
    }
    return false;
}

bool Speaker::hasInvertedPair() const {
    for (qsizetype i = 1; i + 2 < size() && i < quoteStart(); ++i) {
        if (isIn(text(i) + u' ' + text(i + 1), invertedPairs))
            return true;
    }
    return false;
}

qsizetype Speaker::findQuoteStart() const {
    // "if a guest asked you for a table where would you…": the lead-in's own verb quotes
    // nothing
    const bool leadIn = isIn(text(afterDiscourse(0)), leadInSubordinators);
    const Interrogative interrogative(*this);
    qsizetype verbs = 0;
    for (qsizetype i = 1; i + 1 < size(); ++i) {
        verbs += isOneOf(tag(i - 1), {Tag::vbz, Tag::vbd, Tag::vbp, Tag::md}) ? 1 : 0;
        if (leadIn && verbs < 2)
            continue;
        if (interrogative.interrogativeAt(i).form == Form::interrogative &&
            reportsSpeech(m_words, i))
            return i;
    }
    return size();
}

} // namespace corvel::clause
