#include "core/AnswerCueLayout.h"

#include <gtest/gtest.h>

using namespace corvel;

namespace {

QString s(const char* utf8) {
    return QString::fromUtf8(utf8);
}

AnswerCueLayout complete(const char* text) {
    return AnswerCueLayout(s(text), false);
}
AnswerCueLayout streaming(const char* text) {
    return AnswerCueLayout(s(text), true);
}

using Cues = QList<AnswerCue>;

// What the screens showed for a prefix must still stand once the whole answer is there: a shown
// word may only grow, never turn into a heading or vanish.
bool grows(QString partial, const QString& whole) {
    // A lone "*" may be the first half of an inline bold marker.
    while (partial.endsWith(u'*') || (!partial.isEmpty() && partial.back().isSpace()))
        partial.chop(1);
    return whole.startsWith(partial);
}

// Fed deltas of varied sizes after another answer, a stream gives at each one the layout of the
// whole text so far, streaming or finished.
void expectStreamGivesWholeLayouts(const QString& answer) {
    const int sizes[] = {1, 3, 7, 2, 11, 5};
    for (const int first : {0, 1, 3}) {
        AnswerCueLayout::Stream stream;
        stream.layout(s("**Old**\nStale text.\n\nmore"), true);
        ASSERT_EQ(stream.layout(answer, true), AnswerCueLayout(answer, true));
        for (qsizetype at = 0, i = first; at < answer.size(); at += sizes[i++ % 6])
            ASSERT_EQ(stream.layout(answer.first(at), true),
                      AnswerCueLayout(answer.first(at), true))
                << answer.first(at).toStdString();
        EXPECT_EQ(stream.layout(answer, true), AnswerCueLayout(answer, true));
        EXPECT_EQ(stream.layout(answer, false), AnswerCueLayout(answer, false));
    }
}

void expectEveryPrefixConsistent(const QString& answer) {
    expectStreamGivesWholeLayouts(answer);
    const AnswerCueLayout whole(answer, false);
    for (qsizetype n = 0; n <= answer.size(); ++n) {
        const QString prefix = answer.first(n);
        const AnswerCueLayout partial(prefix, true);
        SCOPED_TRACE(prefix.toStdString());
        EXPECT_TRUE(grows(partial.intro, whole.intro)) << partial.intro.toStdString();
        for (const AnswerCue& cue : partial.cues) {
            const auto match = std::find_if(whole.cues.begin(), whole.cues.end(),
                                            [&](const AnswerCue& c) { return c.id == cue.id; });
            ASSERT_NE(match, whole.cues.end()) << cue.title.toStdString();
            EXPECT_EQ(cue.title, match->title);
            EXPECT_EQ(cue.isReminder, match->isReminder);
            EXPECT_TRUE(grows(cue.text, match->text)) << cue.text.toStdString();
        }
    }
}

} // namespace

TEST(AnswerCueLayout, BoldTitlesMakeCuesAfterTheOpening) {
    const auto layout =
        complete("Great question.\n\n**Led the migration**\nI moved 40 services in a quarter.");
    EXPECT_EQ(layout.intro, s("Great question."));
    EXPECT_EQ(layout.cues,
              (Cues{{0, s("Led the migration"), s("I moved 40 services in a quarter."), false}}));

    EXPECT_EQ(complete("").intro, QString());
    EXPECT_TRUE(complete("").cues.isEmpty());

    // Old Mac and Windows line ends split lines too.
    const auto mixed = complete("Intro.\r\r**Title**\r\nBody.");
    EXPECT_EQ(mixed.intro, s("Intro."));
    EXPECT_EQ(mixed.cues, (Cues{{0, s("Title"), s("Body."), false}}));
}

TEST(AnswerCueLayout, RemindersAreRecognisedInBothLanguages) {
    for (const char* marker : {"**Exemple personnel à préciser**",
                               "**exemple personnel a preciser**", "**PERSONAL EXAMPLE NEEDED:**",
                               "**Personal example needed !**", "# Personal Example Needed."}) {
        SCOPED_TRACE(marker);
        const auto layout =
            complete((std::string("Intro.\n\n**Scope**\nText.\n\n") + marker).c_str());
        ASSERT_EQ(layout.cues.size(), 2);
        EXPECT_TRUE(layout.cues[1].isReminder);
        EXPECT_EQ(layout.cues[1].id, 1);
        EXPECT_TRUE(layout.cues[1].text.isEmpty());
        EXPECT_FALSE(layout.cues[0].isReminder);
    }
    // A reminder needs no body, so it shows as soon as its line is complete.
    EXPECT_TRUE(streaming("Intro.\n\n**Personal example needed**").cues.isEmpty());
    EXPECT_TRUE(streaming("Intro.\n\n**Personal example needed**\n").cues.value(0).isReminder);
    EXPECT_FALSE(complete("**Personal example**\nText.").cues.value(0).isReminder);
}

TEST(AnswerCueLayout, HeadingsWithoutBodyMergeOnlyOnceComplete) {
    EXPECT_EQ(complete("**A**\nText a.\n**B**\n**C**\nText c.").cues,
              (Cues{{0, s("A"), s("Text a.\n\nB"), false}, {2, s("C"), s("Text c."), false}}));
    const auto noCueYet = complete("Intro.\n\n**First**\n**Second**\nBody.");
    EXPECT_EQ(noCueYet.intro, s("Intro.\n\nFirst"));
    EXPECT_EQ(noCueYet.cues, (Cues{{1, s("Second"), s("Body."), false}}));

    EXPECT_EQ(streaming("**A**\nText a.\n**B**\n").cues, (Cues{{0, s("A"), s("Text a."), false}}));
    EXPECT_EQ(complete("**A**\nText a.\n**B**\n").cues,
              (Cues{{0, s("A"), s("Text a.\n\nB"), false}}));
    EXPECT_EQ(streaming("**A**\nText a.\n**B**\nI").cues.value(1),
              (AnswerCue{1, s("B"), s("I"), false}));
}

TEST(AnswerCueLayout, OtherHeadingForms) {
    EXPECT_EQ(complete("Intro line.\nSITUATION\nOur API was slow.").cues,
              (Cues{{0, s("SITUATION"), s("Our API was slow."), false}}));
    // The first cue's title, or none when the whole text stays the opening.
    const std::pair<const char*, const char*> table[] = {
        // STAR words head a cue right after body text; other upper-case lines need a blank first.
        {"Intro line.\nRÉSULTAT\nMoins 40 %.", "RÉSULTAT"},
        {"Intro line.\nCONTEXT\nOur API was slow.", nullptr},
        {"Intro line.\n\nCONTEXT\nOur API was slow.", "CONTEXT"},
        // "I" and contractions of "we" start sentences, not titles.
        {"Intro.\n\nI LED IT\nMore.", nullptr},
        {"Intro.\n\nWE’RE HIRING\nMore.", nullptr},
        {"Intro.\n\nIMPACT\nMore.", "IMPACT"},
        {"### Key result ###\nWe cut costs.", "Key result"},
        {"####### Not a title\nText", nullptr},
        // A numbered line followed by a sentence is a title.
        {"1) Listen first\nI meet each lead.", "Listen first"},
        {"1. I listen first\nThen I plan.", nullptr},
    };
    for (const auto& [text, title] : table) {
        const auto layout = complete(text);
        EXPECT_EQ(layout.cues.value(0).title, title ? s(title) : QString()) << text;
        EXPECT_TRUE(title || layout.intro == s(text)) << text;
    }
    // A numbered list is body.
    const auto list = complete("Intro.\n1. First point\n2. Second point\nThen text.");
    EXPECT_EQ(list.intro, s("Intro.\n1. First point"));
    EXPECT_EQ(list.cues, (Cues{{0, s("Second point"), s("Then text."), false}}));
}

TEST(AnswerCueLayout, BoldMarkersLeaveTheSpokenText) {
    EXPECT_EQ(complete("I **really** enjoyed it.").intro, s("I really enjoyed it."));
    EXPECT_EQ(complete("a ** b").intro, s("a ** b"));
    EXPECT_EQ(complete("\\**not bold**").intro, s("\\**not bold**"));
    EXPECT_EQ(complete("I **really").intro, s("I **really"));
    EXPECT_EQ(streaming("I **really").intro, s("I really"));
    EXPECT_EQ(streaming("I **really*").intro, s("I really"));
    EXPECT_EQ(streaming("I led **").intro, s("I led"));
    EXPECT_EQ(streaming("I **really** led\n**Ti").intro, s("I really led"));
}

TEST(AnswerCueLayout, StreamedLastLineThatMayBecomeAHeadingIsLeftOut) {
    for (const char* text :
         {"Intro.\n\n*", "Intro.\n\n**Lead", "Intro.\n\n**Leading the team**", "Intro.\n\n###",
          "Intro.\n\n## Out", "Intro.\n\nIMP", "Intro.\nSIT", "Intro.\nR", "Intro.\n\n1.",
          "Intro.\n\n1. Listen to", "Intro.\n\n1. I", "Intro.\n\nI", "Intro.\n\n2024"}) {
        SCOPED_TRACE(text);
        const auto layout = streaming(text);
        EXPECT_EQ(layout.intro, s("Intro."));
        EXPECT_TRUE(layout.cues.isEmpty());
    }
    // Once it cannot be a heading any more, it shows.
    EXPECT_EQ(streaming("Intro.\n\nI led").intro, s("Intro.\n\nI led"));
    EXPECT_EQ(streaming("Intro.\n\nI ").intro, s("Intro.\n\nI"));
    EXPECT_EQ(streaming("Intro.\nSALES GREW").intro, s("Intro.\nSALES GREW"));
    EXPECT_EQ(streaming("Intro.\n\n1. I led the team").intro, s("Intro.\n\n1. I led the team"));
}

TEST(AnswerCueLayout, EveryPrefixOfAStreamedAnswerOnlyGrows) {
    expectEveryPrefixConsistent(
        s("Great question — I’d frame it around one migration I led.\n\n"
          "**Scaling the payments API**\n"
          "At Finexa I moved our payments API to 12 autoscaled pods, cutting p99 latency by "
          "**40%**.\n\n"
          "**Leading through ambiguity**\n"
          "The roadmap was unclear, so I set weekly checkpoints and kept the scope small.\n\n"
          "**Personal example needed**"));
    expectEveryPrefixConsistent(
        s("Bonne question. Je vais suivre la méthode STAR.\n"
          "SITUATION\n"
          "Notre application perdait 20 % de ses utilisateurs après l’inscription.\n"
          "OBJECTIF\n"
          "Réduire ce taux de moitié en un trimestre.\n"
          "ACTION\n"
          "J’ai piloté une refonte du parcours avec deux designers.\n"
          "RÉSULTAT\n"
          "Le taux d’abandon est passé à 9 %.\n\n"
          "**Exemple personnel à préciser**\n"));
    expectEveryPrefixConsistent(s("Here is how I prioritise.\n\n"
                                  "### Impact first ###\n"
                                  "I rank work by revenue at risk.\n\n"
                                  "1. Listen to stakeholders\n"
                                  "I meet each team lead before planning.\n\n"
                                  "IMPACT AND EFFORT\n"
                                  "We score each item from 1 to 5.\n"
                                  "1. Quick wins\n"
                                  "2. Big bets\n"
                                  "3. Fill-ins\n\n"
                                  "## Outcome\n"
                                  "Delivery predictability rose to 90%."));
}

TEST(AnswerCueLayout, SpeakableCueNeedsAFinishedSentenceOrCueText) {
    EXPECT_FALSE(streaming("Great question").hasSpeakableCue());
    EXPECT_FALSE(streaming("Version 2.5 shipped").hasSpeakableCue());
    EXPECT_TRUE(streaming("Great question. I").hasSpeakableCue());
    EXPECT_TRUE(streaming("Great question!").hasSpeakableCue());
    EXPECT_FALSE(streaming("**Personal example needed**\n").hasSpeakableCue());
    EXPECT_FALSE(streaming("**Scope**\n").hasSpeakableCue());
    EXPECT_TRUE(streaming("**Scope**\nI").hasSpeakableCue());
}

TEST(AnswerCueLayout, StreamGivesTheLayoutOfTheWholeTextAtEveryDelta) {
    for (const char* answer : {"**Leading through ambiguity**\n\n\nThe roadmap was unclear.\n\n"
                               "1. Listen to stakeholders\nI meet each team lead.\n\n"
                               "**Title only**\n\n**Another title**\n",
                               "Line one\r\n**Heading**\r\nBody text\rmore\r\n\r\n2. Step\r\nDone.",
                               "no heading and no sentence end, only words that go on and on, "
                               "then a line break\nand another line without an end"})
        expectStreamGivesWholeLayouts(s(answer));
}
