#include "ui/session/SessionScreenText.h"

#include <gtest/gtest.h>

using namespace corvel;

namespace {
QString s(const char* utf8) {
    return QString::fromUtf8(utf8);
}
} // namespace

TEST(SessionScreenText, TitleByPhase) {
    const std::pair<SessionPhase, const char*> table[] = {
        {SessionPhase::idle, "Your interview."},
        {SessionPhase::preparing, "Preparing to listen…"},
        {SessionPhase::waiting, "Waiting for your call."},
        {SessionPhase::listening, "Your interview, live."},
        {SessionPhase::answering, "Your interview, live."},
        {SessionPhase::paused, "Session paused."},
        {SessionPhase::error, "Action required."},
    };
    for (const auto& [phase, title] : table)
        EXPECT_EQ(SessionScreenText::title(phase), s(title));
}

TEST(SessionScreenText, SubtitleAddsTheCompanyAsStored) {
    InterviewContext context;
    EXPECT_EQ(SessionScreenText::subtitle(context), s("Your next interview"));
    context.role = s("  Staff Engineer \n");
    context.company = s("Nordlicht");
    EXPECT_EQ(SessionScreenText::subtitle(context), s("Staff Engineer · Nordlicht"));
    context.company = s(" ");
    EXPECT_EQ(SessionScreenText::subtitle(context), s("Staff Engineer ·  "));
}

TEST(SessionScreenText, ClockCountsWholeMinutesAndNeverGoesNegative) {
    const QDateTime start(QDate(2026, 3, 1), QTime(9, 0), Qt::UTC);
    const std::pair<qint64, const char*> table[] = {
        {0, "00:00"},         {999, "00:00"},       {59'999, "00:59"},
        {3'599'000, "59:59"}, {3'600'000, "60:00"}, {4'503'000, "75:03"},
        {-1, "00:00"},        {-5'000, "00:00"},    {360'000'000, "6000:00"},
    };
    for (const auto& [msecs, text] : table)
        EXPECT_EQ(SessionScreenText::clock(start, start.addMSecs(msecs)), s(text)) << msecs;
    EXPECT_EQ(SessionScreenText::clock(std::nullopt, start), s("00:00"));
}

TEST(SessionScreenText, TranscriptShowsItsEndOrSaysNothingWasHeard) {
    EXPECT_EQ(SessionScreenText::transcript({}), s("No words transcribed yet."));
    const QString heard = QString(900, u'a') + s("end");
    const QString shown = SessionScreenText::transcript(heard);
    EXPECT_EQ(shown.size(), 800);
    EXPECT_TRUE(shown.endsWith(s("aend")));
}

TEST(SessionScreenText, DraftsNeedTextAndAnUnpausedSession) {
    EXPECT_TRUE(SessionScreenText::canAsk(false, s("Why us?")));
    EXPECT_FALSE(SessionScreenText::canAsk(true, s("Why us?")));
    EXPECT_FALSE(SessionScreenText::canAsk(false, s(" \n\t ")));
    EXPECT_FALSE(SessionScreenText::canAsk(false, {}));
}

TEST(SessionScreenText, WaitingHeadlineFirstMatch) {
    using H = AudioCaptureHealth;
    struct Row {
        SessionPhase phase;
        H health;
        bool heard;
        const char* headline;
    };
    const Row table[] = {
        {SessionPhase::error, H::stalled, true, "Listening is not ready yet."},
        {SessionPhase::paused, H::noAudio, true, "Resume when you’re ready."},
        {SessionPhase::preparing, H::stalled, false, "Allow the system permissions."},
        {SessionPhase::waiting, H::stalled, true, "Check the interview language."},
        {SessionPhase::waiting, H::noAudio, true, "Waiting for call audio."},
        {SessionPhase::listening, H::transcribing, true, "Listening for a question."},
        {SessionPhase::waiting, H::receivingAudio, false, "Join your call."},
    };
    for (const Row& row : table)
        EXPECT_EQ(SessionScreenText::waitingHeadline(row.phase, row.health, row.heard),
                  s(row.headline));
}

TEST(SessionScreenText, WaitingExplanationFirstMatch) {
    struct Row {
        SessionPhase phase;
        AudioSource source;
        bool automatic;
        const char* start;
    };
    const Row table[] = {
        {SessionPhase::error, AudioSource::system, true, "Check the message shown"},
        {SessionPhase::paused, AudioSource::system, true, "Listening has stopped. Click Resume"},
        {SessionPhase::preparing, AudioSource::microphone, false, "The system may ask"},
        {SessionPhase::waiting, AudioSource::system, true, "Your copilot listens to call audio"},
        {SessionPhase::waiting, AudioSource::microphone, true, "Speech is transcribed as a draft."},
        {SessionPhase::waiting, AudioSource::system, false, "Speech is transcribed as a draft."},
    };
    for (const Row& row : table)
        EXPECT_TRUE(SessionScreenText::waitingExplanation(row.phase, row.source, row.automatic)
                        .startsWith(s(row.start)))
            << row.start;

    EXPECT_FALSE(SessionScreenText::illustrationAnimated(SessionPhase::preparing));
    EXPECT_FALSE(SessionScreenText::illustrationAnimated(SessionPhase::error));
    EXPECT_TRUE(SessionScreenText::illustrationAnimated(SessionPhase::paused));
}

TEST(QuestionColumn, LabelQuestionAndGuidance) {
    using G = QuestionColumn::Guidance;
    struct Row {
        bool manual;
        const char* current;
        const char* draft;
        const char* label;
        const char* question;
        G guidance;
    };
    const Row table[] = {
        {false, "Why us?", "Why us?", "INTERVIEWER’S QUESTION", "Why us?", G::none},
        {false, "Why us?", "And salary?", "INTERVIEWER’S QUESTION", "Why us?",
         G::listeningContinues},
        {false, "Why us?", "", "INTERVIEWER’S QUESTION", "Why us?", G::none},
        {false, "", "Why us?", "INTERVIEWER’S QUESTION", "Why us?", G::none},
        {true, "Why us?", "And salary?", "DRAFT TO REVIEW", "And salary?", G::confirm},
        {true, "Why us?", "", "DRAFT TO REVIEW", "Why us?", G::confirm},
    };
    for (const Row& row : table) {
        const QuestionColumn column(row.manual, s(row.current), s(row.draft));
        EXPECT_EQ(column.label, s(row.label));
        EXPECT_EQ(column.question, s(row.question));
        EXPECT_EQ(column.guidance, row.guidance);
    }
    EXPECT_TRUE(QuestionColumn::guidanceText(G::none).isEmpty());
}
