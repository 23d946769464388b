// What the session screens show for a state: the pure rules, as tables.
#include "SessionScreenHarness.h"
#include "ui/foundation/Palette.h"
#include "ui/session/AnswerCueRows.h"
#include "ui/session/CaptureText.h"
#include "ui/session/OverlayText.h"
#include "ui/session/SessionFacts.h"
#include "ui/session/SessionScreenText.h"
#include "ui/session/TextTail.h"

#include <gtest/gtest.h>

using namespace corvel;
using test::s;
using H = AudioCaptureHealth;
using P = SessionPhase;

namespace {
QStringList numbers(const AnswerCueRows& rows) {
    QStringList out;
    for (const auto& row : rows.numbered)
        out.append(row.number);
    return out;
}
QList<qsizetype> accents(const AnswerCueRows& rows) {
    QList<qsizetype> out;
    for (const auto& row : rows.numbered)
        out.append(row.accent.value_or(-1));
    return out;
}
QString cues(int count) {
    QString text = s("Open with the outcome.\n\n");
    for (int i = 0; i < count; ++i)
        text += QStringLiteral("**Point %1**\nSay it plainly.\n\n").arg(i);
    return text;
}
OverlayState inPhase(SessionPhase phase) {
    OverlayState state;
    state.phase = phase;
    return state;
}
} // namespace

TEST(AnswerCueRows, RemindersGoLastAndTakeNoNumber) {
    const AnswerCueRows rows(s("Opening line.\n\n**Scale**\nForty services.\n\n"
                               "**Personal example needed**\n\n**Result**\nHalf the cost."),
                             false, 4);
    EXPECT_EQ(rows.opening, s("Opening line."));
    EXPECT_EQ(numbers(rows), (QStringList{s("01"), s("02")}));
    EXPECT_EQ(accents(rows), (QList<qsizetype>{0, 1}));
    ASSERT_EQ(rows.reminders.size(), 1);
    EXPECT_TRUE(rows.reminders[0].text.isEmpty());
    // Ids stay those of the layout, so the row after the reminder keeps its own.
    EXPECT_EQ(rows.numbered[1].id, 2);
    EXPECT_EQ(rows.numbered[1].title, s("Result"));
    EXPECT_FALSE(rows.placeholder);
}

TEST(AnswerCueRows, NumbersAndAccentsCycle) {
    EXPECT_EQ(accents(AnswerCueRows(cues(5), false, 4)), (QList<qsizetype>{0, 1, 2, 3, 0}));
    const AnswerCueRows many(cues(101), false, 4);
    EXPECT_EQ(many.numbered[9].number, s("10"));
    EXPECT_EQ(many.numbered[100].number, s("101"));
    // No accents cannot divide by zero: the rows simply have none.
    EXPECT_EQ(accents(AnswerCueRows(cues(2), false, 0)), (QList<qsizetype>{-1, -1}));
}

TEST(CaptureText, BarColourByHealthAndPausedOverridesAll) {
    const std::pair<H, QColor> table[] = {
        {H::idle, Palette::cyan()},
        {H::starting, Palette::cyan()},
        {H::waitingForAudio, Palette::cyan()},
        {H::receivingAudio, Palette::green()},
        {H::transcribing, Palette::green()},
        {H::noAudio, Palette::orange()},
        {H::stalled, Palette::orange()},
    };
    for (const auto& [health, color] : table) {
        EXPECT_EQ(CaptureText::barColor(false, health), color);
        EXPECT_EQ(CaptureText::health(true, health), s("Listening paused"));
        EXPECT_EQ(CaptureText::barColor(true, health), Palette::secondary());
    }
    // Bars follow the level, flat while paused; out-of-range readings stay in the 16 px frame.
    using Heights = std::array<double, 4>;
    const std::tuple<double, bool, Heights> bars[] = {
        {1, false, {10, 16, 13, 8}}, {0, false, {2, 2, 2, 2}},    {0.5, false, {6, 9, 7.5, 5}},
        {1, true, {2, 2, 2, 2}},     {7, false, {10, 16, 13, 8}}, {-1, false, {2, 2, 2, 2}},
    };
    for (const auto& [level, paused, heights] : bars)
        EXPECT_EQ(CaptureText::barHeights(level, paused), heights) << level;
}

TEST(CaptureText, HelpShowsOnlyForFailuresWithATargetedHint) {
    for (H health :
         {H::idle, H::starting, H::waitingForAudio, H::receivingAudio, H::transcribing}) {
        EXPECT_FALSE(CaptureText::helpVisible(false, health));
        EXPECT_TRUE(CaptureText::helpHint(health, AudioSource::system).isEmpty());
    }
    EXPECT_TRUE(CaptureText::helpVisible(false, H::noAudio));
    EXPECT_TRUE(CaptureText::helpVisible(false, H::stalled));
    EXPECT_FALSE(CaptureText::helpVisible(true, H::stalled));
    EXPECT_TRUE(CaptureText::helpHint(H::stalled, AudioSource::microphone)
                    .startsWith(s("Sound is arriving.")));
}

TEST(CaptureText, LanguageChoiceAndLabel) {
    // live, starting, active session, enabled
    const std::tuple<bool, bool, bool, bool> table[] = {
        {false, false, false, true}, {false, false, true, false}, {false, true, false, false},
        {true, false, true, true},   {true, true, true, false},
    };
    for (const auto& [live, starting, active, enabled] : table)
        EXPECT_EQ(CaptureText::languageChoiceEnabled(live, starting, active), enabled);
    for (const char* english : {"English", " EN-GB \n", "anglais", "en", "en-us"})
        EXPECT_EQ(SessionFacts::languageLabel(s(english)), s("English")) << english;
    for (const char* french : {"fr", "french", "", "Français", "en_GB"})
        EXPECT_EQ(SessionFacts::languageLabel(s(french)), s("French")) << french;
}

TEST(OverlayText, StatusTagAndLabelFirstMatch) {
    // phase, paused, generating, caption, square
    const std::tuple<P, bool, bool, const char*, QColor> table[] = {
        {P::error, true, true, "Paused", Palette::orange()},
        {P::paused, true, false, "Paused", Palette::green()},
        {P::error, false, true, "Interrupted", Palette::orange()},
        {P::answering, false, true, "Writing answer", Palette::cyan()},
        {P::waiting, false, false, "Answer ready", Palette::green()},
    };
    for (const auto& [phase, paused, generating, caption, square] : table) {
        OverlayState state = inPhase(phase);
        state.paused = paused;
        state.generating = generating;
        state.answer = s("Start with the migration.");
        EXPECT_EQ(OverlayText::statusTag(state), (OverlayText::Tag{s(caption), square}));
    }
    OverlayState blank = inPhase(P::answering);
    blank.answer = s(" \n ");
    EXPECT_FALSE(OverlayText::statusTag(blank));
    EXPECT_FALSE(OverlayText::showsAnswerLayout(blank));
    blank.question = s("Why us?");
    EXPECT_TRUE(OverlayText::showsAnswerLayout(blank));
    // Waiting and listening show no status label.
    EXPECT_FALSE(OverlayText::statusLabel(P::waiting));
    EXPECT_FALSE(OverlayText::statusLabel(P::listening));
    EXPECT_TRUE(OverlayText::statusLabel(P::preparing));
}

TEST(OverlayText, EmptyTitleFirstMatch) {
    // phase, generating, manual, health, transcript, title
    const std::tuple<P, bool, bool, H, const char*, const char*> table[] = {
        {P::error, true, true, H::stalled, "", "Your answer is on its way…"},
        {P::preparing, false, true, H::stalled, "", "Starting audio capture…"},
        {P::paused, false, true, H::stalled, "", "Listening is paused."},
        {P::error, false, true, H::stalled, "", "Listening needs attention."},
        {P::idle, false, true, H::stalled, "", "Confirm the question."},
        {P::waiting, false, true, H::noAudio, "", "Confirm the question."},
        {P::listening, false, true, H::idle, "hi", "Confirm the question."},
        {P::waiting, false, false, H::stalled, "hi", "Check the interview language."},
        {P::waiting, false, false, H::noAudio, "hi", "Waiting for call audio."},
        {P::waiting, false, false, H::transcribing, "", "Ready for the first question."},
        {P::listening, false, false, H::transcribing, "hi", "Listening for a question."},
    };
    for (const auto& [phase, generating, manual, health, transcript, title] : table) {
        OverlayState state = inPhase(phase);
        state.generating = generating;
        state.manualMode = manual;
        state.health = health;
        state.transcript = s(transcript);
        EXPECT_EQ(OverlayText::emptyTitle(state), s(title));
    }
}

TEST(OverlayText, EmptyHintFirstMatch) {
    const QString error = s("The sound server went away.");
    const QString message = s("Answer failed.");
    const char* manualHint = "Confirm the interviewer’s question in the app or with Ctrl+↵. Your "
                             "own speech does not trigger automatic answers.";
    // phase, manual, capture error, message, hint
    const std::tuple<P, bool, std::optional<QString>, std::optional<QString>, const char*> table[] =
        {
            {P::error, true, error, message, "The sound server went away."},
            {P::error, true, std::nullopt, message, "Answer failed."},
            {P::error, true, std::nullopt, std::nullopt, "Read the message below, then try again."},
            {P::waiting, true, error, message, manualHint},
            {P::listening, true, error, message, manualHint},
            {P::waiting, false, error, message,
             "Your suggested answers appear when a question is recognised."},
            {P::idle, true, error, message, "Add the job description and your resume to begin."},
        };
    for (const auto& [phase, manual, captureError, message, hint] : table) {
        OverlayState state = inPhase(phase);
        state.manualMode = manual;
        state.captureError = captureError;
        state.message = message;
        EXPECT_EQ(OverlayText::emptyHint(state), s(hint));
    }
}

TEST(OverlayText, FooterAndBackground) {
    OverlayState state = inPhase(P::error);
    EXPECT_EQ(OverlayText::footerNote(state), s("A starting point. Make it your own."));
    state.answer = s("Partial");
    EXPECT_EQ(OverlayText::footerNote(state), s("This answer may be incomplete. Check the app."));
    state.phase = P::waiting;
    EXPECT_EQ(OverlayText::footerNote(state), s("A starting point. Make it your own."));

    EXPECT_EQ(OverlayText::backgroundOpacity(0.6, false, true), 0.6);
    EXPECT_EQ(OverlayText::backgroundOpacity(0.6, true, true), 1.0);
    EXPECT_EQ(OverlayText::backgroundOpacity(0.6, false, false), 1.0);
}

TEST(SessionScreenText, SubtitleClockAndDrafts) {
    InterviewContext context;
    EXPECT_EQ(SessionScreenText::subtitle(context), s("Your next interview"));
    context.role = s("  Staff Engineer \n");
    context.company = s(" ");
    EXPECT_EQ(SessionScreenText::subtitle(context), s("Staff Engineer ·  "));

    const QDateTime start(QDate(2026, 3, 1), QTime(9, 0), Qt::UTC);
    const std::pair<qint64, const char*> table[] = {
        {999, "00:00"},       {59'999, "00:59"}, {3'600'000, "60:00"},
        {4'503'000, "75:03"}, {-5'000, "00:00"}, {360'000'000, "6000:00"},
    };
    for (const auto& [msecs, text] : table)
        EXPECT_EQ(SessionScreenText::clock(start, start.addMSecs(msecs)), s(text)) << msecs;
    EXPECT_EQ(SessionScreenText::clock(std::nullopt, start), s("00:00"));

    EXPECT_TRUE(SessionScreenText::canAsk(false, s("Why us?")));
    EXPECT_FALSE(SessionScreenText::canAsk(true, s("Why us?")));
    EXPECT_FALSE(SessionScreenText::canAsk(false, s(" \n\t ")));
}

TEST(SessionScreenText, WaitingHeadlineAndExplanationFirstMatch) {
    const std::tuple<P, H, bool, const char*> headlines[] = {
        {P::error, H::stalled, true, "Listening is not ready yet."},
        {P::paused, H::noAudio, true, "Resume when you’re ready."},
        {P::preparing, H::stalled, false, "Allow the system permissions."},
        {P::waiting, H::stalled, true, "Check the interview language."},
        {P::waiting, H::noAudio, true, "Waiting for call audio."},
        {P::listening, H::transcribing, true, "Listening for a question."},
        {P::waiting, H::receivingAudio, false, "Join your call."},
    };
    for (const auto& [phase, health, heard, headline] : headlines)
        EXPECT_EQ(SessionScreenText::waitingHeadline(phase, health, heard), s(headline));

    using A = AudioSource;
    const std::tuple<P, A, bool, const char*> explanations[] = {
        {P::error, A::system, true, "Check the message shown"},
        {P::paused, A::system, true, "Listening has stopped. Click Resume"},
        {P::preparing, A::microphone, false, "The system may ask"},
        {P::waiting, A::system, true, "Your copilot listens to call audio"},
        {P::waiting, A::microphone, true, "Speech is transcribed as a draft."},
        {P::waiting, A::system, false, "Speech is transcribed as a draft."},
    };
    for (const auto& [phase, source, automatic, start] : explanations)
        EXPECT_TRUE(
            SessionScreenText::waitingExplanation(phase, source, automatic).startsWith(s(start)))
            << start;

    EXPECT_FALSE(SessionScreenText::illustrationAnimated(P::preparing));
    EXPECT_FALSE(SessionScreenText::illustrationAnimated(P::error));
    EXPECT_TRUE(SessionScreenText::illustrationAnimated(P::paused));
}

TEST(QuestionColumn, LabelQuestionAndGuidance) {
    using G = QuestionColumn::Guidance;
    const char* heard = "INTERVIEWER’S QUESTION";
    // manual, current question, draft, label, question shown, guidance
    const std::tuple<bool, const char*, const char*, const char*, const char*, G> table[] = {
        {false, "Why us?", "Why us?", heard, "Why us?", G::none},
        {false, "Why us?", "And salary?", heard, "Why us?", G::listeningContinues},
        {false, "Why us?", "", heard, "Why us?", G::none},
        {false, "", "Why us?", heard, "Why us?", G::none},
        {true, "Why us?", "And salary?", "DRAFT TO REVIEW", "And salary?", G::confirm},
        {true, "Why us?", "", "DRAFT TO REVIEW", "Why us?", G::confirm},
    };
    for (const auto& [manual, current, draft, label, question, guidance] : table) {
        const QuestionColumn column(manual, s(current), s(draft));
        EXPECT_EQ(column.label, s(label));
        EXPECT_EQ(column.question, s(question));
        EXPECT_EQ(column.guidance, guidance);
    }
    EXPECT_TRUE(QuestionColumn::guidanceText(G::none).isEmpty());
}

TEST(TextTail, CountsUserPerceivedCharacters) {
    EXPECT_EQ(lastCharacters(s("hello"), 10), s("hello"));
    EXPECT_EQ(lastCharacters(s("hello"), 3), s("llo"));
    EXPECT_EQ(lastCharacters(s("hello"), 0), QString());
    // A surrogate pair, a combining sequence and a flag each count as one.
    EXPECT_EQ(lastCharacters(s("ab😀"), 1), s("😀"));
    EXPECT_EQ(lastCharacters(s("abe\u0301"), 2), s("be\u0301"));
    EXPECT_EQ(lastCharacters(s("x🇫🇷🇬🇧"), 1), s("🇬🇧"));
    EXPECT_EQ(lastCharacters(s("x🇫🇷🇬🇧"), 2), s("🇫🇷🇬🇧"));
}

TEST(TextTail, LongTextsAreCutOnClusterBoundaries) {
    // Long enough that only the end is searched.
    const QString tail = lastCharacters(s("e\u0301").repeated(5000), 400);
    EXPECT_EQ(tail.size(), 800);
    EXPECT_TRUE(tail.startsWith(u'e'));
    EXPECT_EQ(lastCharacters(s("😀").repeated(3000), 400), s("😀").repeated(400));
    // A single cluster longer than the searched window is never split.
    const QString zalgo = s("a") + QString(3000, QChar(0x0301)) + s("bc");
    EXPECT_EQ(lastCharacters(zalgo, 3), zalgo);
    EXPECT_EQ(lastCharacters(s("xyz") + zalgo, 3), zalgo);
}
