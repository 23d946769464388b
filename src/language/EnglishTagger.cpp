#include "language/EnglishTagger.h"

#include "language/EnglishTaggerTables.h"
#include "language/WordTable.h"

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

namespace corvel {

namespace {

using Tag = EnglishTagger::Tag;
using namespace Qt::Literals::StringLiterals;
namespace tables = englishTagger;

constexpr qsizetype maximumContextWords = 16;
// log P(word | tag) given to each tag guessed for a word the lexicon lacks: the trigram decides.
constexpr float unknownWord = -10.f;

struct Candidate {
    Tag tag;
    float emission;
};

// Determiners in use that the lexicon counts as personal pronouns.
constexpr QLatin1String possessives[] = {"my"_L1,    "your"_L1, "our"_L1,
                                         "their"_L1, "its"_L1,  "his"_L1};
// Pronouns that the lexicon counts as nouns, which the trigram then joins to the verb after
// them ("anything works") as to a noun it would compound.
constexpr QLatin1String indefinitePronouns[] = {
    "anything"_L1, "everything"_L1, "something"_L1, "nothing"_L1,  "anyone"_L1, "everyone"_L1,
    "someone"_L1,  "anybody"_L1,    "everybody"_L1, "somebody"_L1, "nobody"_L1};
// After these, "'s" is "is" or "has", never a possessive.
constexpr QLatin1String subjectsOfIs[] = {"it"_L1,  "that"_L1, "there"_L1, "here"_L1, "what"_L1,
                                          "who"_L1, "he"_L1,   "she"_L1,   "this"_L1, "where"_L1,
                                          "how"_L1, "when"_L1, "why"_L1};
constexpr QLatin1String contractions[] = {"n't"_L1, "'s"_L1, "'re"_L1, "'ve"_L1,
                                          "'ll"_L1, "'d"_L1, "'m"_L1};

template <std::size_t N> bool isIn(const QString& word, const QLatin1String (&list)[N]) {
    return std::find(std::begin(list), std::end(list), word) != std::end(list);
}

float transition(Tag a, Tag b, Tag c) {
    return tables::transitions[(int(a) * tables::tagCount + int(b)) * tables::tagCount + int(c)];
}

std::vector<Candidate> lexiconEntry(const QString& word) {
    const auto index = WordTable{tables::wordText, tables::wordStart, tables::wordCount}.find(word);
    if (!index)
        return {};
    std::vector<Candidate> candidates;
    for (auto i = tables::emissionStart[*index]; i < tables::emissionStart[*index + 1]; ++i)
        candidates.push_back({Tag(tables::emissions[i].tag), tables::emissions[i].logProbability});
    return candidates;
}

// The open classes a word of this form can be in.
std::vector<Candidate> guessed(const QString& word) {
    std::vector<Tag> tags;
    if (word.front().isDigit())
        tags = {Tag::cd};
    else if (word.endsWith("ing"_L1))
        tags = {Tag::vbg, Tag::nn, Tag::jj};
    else if (word.endsWith("ed"_L1))
        tags = {Tag::vbd, Tag::vbn, Tag::jj};
    else if (word.endsWith("ly"_L1))
        tags = {Tag::rb, Tag::jj};
    else if (word.endsWith("est"_L1)) // "proudest": the lexicon has the nouns ("request")
        tags = {Tag::jjs};
    else if (word.endsWith(u's') && !word.endsWith("ss"_L1))
        tags = {Tag::nns, Tag::vbz};
    else
        tags = {Tag::nn, Tag::jj, Tag::vb, Tag::vbp};
    std::vector<Candidate> candidates;
    for (const Tag tag : tags)
        candidates.push_back({tag, unknownWord});
    return candidates;
}

std::vector<Candidate> candidatesFor(const QString& word) {
    if (isIn(word, possessives))
        return {{Tag::dt, 0.f}};
    if (isIn(word, indefinitePronouns))
        return {{Tag::prp, 0.f}};
    std::vector<Candidate> candidates = lexiconEntry(word);
    return candidates.empty() ? guessed(word) : candidates;
}

// Splits contractions as the lexicon spells them: "doesn't" gives "does" "n't", "can't" "ca"
// "n't", "it's" "it" "'s"; at most `limit` of them.
QStringList tokens(const QStringList& words, qsizetype limit) {
    QStringList split;
    for (const QString& word : words) {
        const auto* suffix = std::find_if(
            std::begin(contractions), std::end(contractions),
            [&word](QLatin1String c) { return word.size() > c.size() && word.endsWith(c); });
        if (suffix == std::end(contractions)) {
            split.append(word);
        } else {
            split.append(word.chopped(suffix->size()));
            split.append(*suffix);
        }
        if (split.size() >= limit)
            break;
    }
    return split.mid(0, limit);
}

// A possessive "'s" needs a noun after it ("the team's culture"); without one it is "is" ("the
// team's great").
void markVerbalIs(QList<EnglishTagger::Word>& words) {
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (words[i].tag != Tag::pos)
            continue;
        qsizetype next = i + 1;
        while (next < words.size() && (words[next].tag == Tag::jj || words[next].tag == Tag::jjr ||
                                       words[next].tag == Tag::jjs || words[next].tag == Tag::rb))
            ++next;
        if (next == words.size() || !EnglishTagger::isNoun(words[next].tag))
            words[i].tag = Tag::vbz;
    }
}

// The best path to each pair of the last two tags, with where it came from.
struct State {
    Tag before;
    Tag last;
    float score;
    int back;
};

// The best paths over the tokens `split`: one column of states per token, after the start's.
std::vector<std::vector<State>> latticeOf(const QStringList& split) {
    std::vector<std::vector<State>> lattice;
    lattice.push_back({{Tag::punc, Tag::punc, 0.f, -1}});
    for (qsizetype i = 0; i < split.size(); ++i) {
        std::vector<Candidate> candidates;
        if (split[i] == "'s"_L1 && i > 0 && isIn(split[i - 1], subjectsOfIs))
            candidates = {{Tag::vbz, 0.f}};
        else
            candidates = candidatesFor(split[i]);
        const std::vector<State>& previous = lattice.back();
        std::vector<State> next;
        for (int p = 0; p < int(previous.size()); ++p) {
            for (const Candidate& candidate : candidates) {
                const State& from = previous[std::size_t(p)];
                const float score = from.score + transition(from.before, from.last, candidate.tag) +
                                    candidate.emission;
                auto same = std::find_if(next.begin(), next.end(), [&](const State& s) {
                    return s.before == from.last && s.last == candidate.tag;
                });
                if (same == next.end())
                    next.push_back({from.last, candidate.tag, score, p});
                else if (score > same->score)
                    *same = {from.last, candidate.tag, score, p};
            }
        }
        lattice.push_back(std::move(next));
    }
    return lattice;
}

} // namespace

bool EnglishTagger::isNoun(Tag tag) {
    return tag == Tag::nn || tag == Tag::nns || tag == Tag::nnp || tag == Tag::nnps ||
           tag == Tag::cd;
}

bool EnglishTagger::knows(const QString& word) {
    return WordTable{tables::wordText, tables::wordStart, tables::wordCount}.find(word).has_value();
}

QList<Tag> EnglishTagger::readings(const QString& word) {
    QList<Tag> tags;
    if (!word.isEmpty() && !isIn(word, contractions)) {
        const std::vector<Candidate> candidates =
            isIn(word, possessives) || isIn(word, indefinitePronouns) ? candidatesFor(word)
                                                                      : lexiconEntry(word);
        std::vector<std::pair<float, Tag>> likelihoods;
        for (const Candidate& candidate : candidates)
            likelihoods.emplace_back(candidate.emission + tables::tagPriors[int(candidate.tag)],
                                     candidate.tag);
        // P(tag | word) follows P(word | tag) P(tag)
        std::stable_sort(likelihoods.begin(), likelihoods.end(),
                         [](const auto& a, const auto& b) { return a.first > b.first; });
        for (const auto& likelihood : likelihoods)
            tags.append(likelihood.second);
    }
    return tags;
}

QList<EnglishTagger::Word> EnglishTagger::tag(const QStringList& words, const QStringList& context,
                                              qsizetype limit) {
    QStringList split = tokens(context, std::numeric_limits<qsizetype>::max());
    split = split.mid(std::max<qsizetype>(0, split.size() - maximumContextWords));
    const qsizetype first = split.size();
    split.append(tokens(words, limit));
    if (split.size() == first)
        return {};

    const std::vector<std::vector<State>> lattice = latticeOf(split);

    // The text ends as a sentence does.
    const std::vector<State>& final = lattice.back();
    int best = 0;
    float bestScore = -std::numeric_limits<float>::infinity();
    for (int s = 0; s < int(final.size()); ++s) {
        const State& state = final[std::size_t(s)];
        const float score = state.score + transition(state.before, state.last, Tag::punc);
        if (score > bestScore) {
            bestScore = score;
            best = s;
        }
    }
    QList<Word> tagged(split.size());
    for (qsizetype i = split.size(); i > 0; --i) {
        const State& state = lattice[std::size_t(i)][std::size_t(best)];
        tagged[i - 1] = {split[i - 1], state.last};
        best = state.back;
    }
    markVerbalIs(tagged);
    return tagged.mid(first);
}

} // namespace corvel
