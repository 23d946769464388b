#include "ui/session/AnswerCueRows.h"

#include <gtest/gtest.h>

using namespace corvel;

namespace {
QString s(const char* utf8) {
    return QString::fromUtf8(utf8);
}
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
    const AnswerCueRows five(cues(5), false, 4);
    EXPECT_EQ(accents(five), (QList<qsizetype>{0, 1, 2, 3, 0}));
    const AnswerCueRows many(cues(101), false, 4);
    EXPECT_EQ(many.numbered[9].number, s("10"));
    EXPECT_EQ(many.numbered[100].number, s("101"));
    // No accents cannot divide by zero: the rows simply have none.
    const AnswerCueRows plain(cues(2), false, 0);
    EXPECT_EQ(accents(plain), (QList<qsizetype>{-1, -1}));
}

TEST(AnswerCueRows, PlaceholderOnlyWhileNothingReadableStreams) {
    EXPECT_TRUE(AnswerCueRows({}, false, 4).isEmpty());
    const AnswerCueRows arriving({}, true, 4);
    EXPECT_TRUE(arriving.placeholder);
    EXPECT_FALSE(arriving.isEmpty());
    // A heading still growing is held back, so only the placeholder shows.
    EXPECT_TRUE(AnswerCueRows(s("**Lea"), true, 4).placeholder);
    EXPECT_FALSE(AnswerCueRows(s("Opening."), true, 4).placeholder);
    const AnswerCueRows reminderOnly(s("**Personal example needed**\n"), true, 4);
    EXPECT_EQ(reminderOnly.reminders.size(), 1);
    EXPECT_FALSE(reminderOnly.placeholder);
}

TEST(AnswerCueRows, MarkupIsKeptAsText) {
    const AnswerCueRows rows(s("<img src=x> &amp; <a href=\"y\">z</a>"), false, 4);
    EXPECT_EQ(rows.opening, s("<img src=x> &amp; <a href=\"y\">z</a>"));
}
