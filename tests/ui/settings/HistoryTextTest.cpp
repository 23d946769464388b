#include "ui/settings/HistoryText.h"

#include "session/AppStore.h"

#include <QLocale>

#include <gtest/gtest.h>

using namespace corvel;

namespace {

InterviewRecord record(const QString& role, const QString& company, int entries = 0,
                       bool demo = false) {
    InterviewRecord r;
    r.role = role;
    r.company = company;
    r.isDemo = demo;
    for (int i = 0; i < entries; ++i)
        r.entries.push_back(AnswerEntry{});
    return r;
}

} // namespace

TEST(HistoryTextTest, TitlesJoinRoleAndCompanyWithoutTrimming) {
    const struct {
        QString role, company, title;
    } cases[] = {
        {QString(), QString(), QStringLiteral("Interview")},
        {QString(), QStringLiteral("Studio"), QStringLiteral("Interview · Studio")},
        {QStringLiteral("Designer"), QString(), QStringLiteral("Designer")},
        {QStringLiteral("Designer"), QStringLiteral("Studio"), QStringLiteral("Designer · Studio")},
        {QStringLiteral(" "), QStringLiteral(" "), QStringLiteral("  ·  ")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(history::recordTitle(record(c.role, c.company)), c.title)
            << c.title.toStdString();
}

TEST(HistoryTextTest, CountsDurationsAndQuestionLabels) {
    EXPECT_EQ(history::questionCountText(record({}, {}, 0)), QStringLiteral("0 questions"));
    EXPECT_EQ(history::questionCountText(record({}, {}, 1)), QStringLiteral("1 question"));
    EXPECT_EQ(history::questionCountText(record({}, {}, 2)), QStringLiteral("2 questions"));

    const struct {
        qint64 seconds;
        const char* text;
    } durations[] = {{59, "0 min 59 s"}, {60, "1 min 0 s"}, {3725, "62 min 5 s"}};
    for (const auto& d : durations)
        EXPECT_EQ(history::durationText(d.seconds), QString::fromUtf8(d.text)) << d.seconds;

    EXPECT_EQ(history::questionLabel(0), QStringLiteral("Question 01"));
    EXPECT_EQ(history::questionLabel(99), QStringLiteral("Question 100"));
}

TEST(HistoryTextTest, DatesAreEnglishInLocalTimeAndMatchTheExport) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    InterviewRecord r = record(QStringLiteral("Designer"), QStringLiteral("Studio"));
    r.date = QDateTime(QDate(2024, 3, 7), QTime(22, 5), Qt::LocalTime).toUTC();
    const QString text = history::dateText(r);
    EXPECT_EQ(text, QStringLiteral("Mar 7, 2024 at 10:05") + QChar(0x202F) + QStringLiteral("PM"));
    // The export writes the very same date line.
    EXPECT_TRUE(AppStore::exportText(r).split(QLatin1Char('\n')).contains(text));
    QLocale::setDefault(previous);
}

TEST(HistoryTextTest, DemoRecordsAreNeverListedNorOpened) {
    const std::vector<InterviewRecord> stored = {record(QStringLiteral("A"), {}),
                                                 record(QStringLiteral("Demo"), {}, 0, true),
                                                 record(QStringLiteral("B"), {})};
    const auto listed = history::listedRecords(stored);
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0]->id, stored[0].id);
    EXPECT_EQ(listed[1]->id, stored[2].id);

    EXPECT_FALSE(history::openRecord(std::nullopt));
    EXPECT_FALSE(history::openRecord(stored[1]));
    EXPECT_EQ(history::openRecord(stored[2])->id, stored[2].id);
}
