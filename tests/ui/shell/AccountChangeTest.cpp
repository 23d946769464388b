#include "ui/shell/AccountChange.h"

#include <gtest/gtest.h>

using namespace corvel;

namespace {

GoogleAccount account(const char* subject, std::optional<QString> name = std::nullopt) {
    return {QString::fromLatin1(subject), QStringLiteral("ana@example.com"), std::move(name), {}};
}

} // namespace

TEST(AccountChange, NoticeOnlyForAnotherSubjectThanTheLastSeen) {
    struct Case {
        std::optional<QString> last;
        std::optional<GoogleAccount> account;
        bool notice;
        std::optional<QString> lastAfter;
    };
    const QString a = QStringLiteral("A");
    const Case cases[] = {
        {std::nullopt, account("A"), false, a},            // first account seen
        {a, std::nullopt, false, a},                       // signed out: A is kept
        {a, account("A"), false, a},                       // back with the same account
        {a, account("B"), true, QStringLiteral("B")},      // another account
        {QStringLiteral("a"), account("A"), true, a},      // subjects compare exactly
        {std::nullopt, std::nullopt, false, std::nullopt}, // nobody, still nobody
    };
    for (const Case& c : cases) {
        const AccountChange change = AccountChange::after(c.last, c.account, false, QString());
        EXPECT_EQ(change.notice, c.notice) << c.last.value_or(QStringLiteral("-")).toStdString();
        EXPECT_EQ(change.lastVerifiedAccountID, c.lastAfter);
    }
}

TEST(AccountChange, NameFillsOnlyABlankInterviewNameOutsideASession) {
    struct Case {
        std::optional<QString> accountName;
        bool sessionActive;
        QString interviewName;
        std::optional<QString> filled;
    };
    const QString ana = QStringLiteral(" Ana Lima ");
    const Case cases[] = {
        {ana, false, QString(), ana},                     // untrimmed, as the account has it
        {ana, false, QStringLiteral("  \n "), ana},       // white space counts as blank
        {ana, false, QStringLiteral("Jo"), std::nullopt}, // a name is never replaced
        {ana, true, QString(), std::nullopt},             // not during a session
        {std::nullopt, false, QString(), std::nullopt},   // the account has no name
        {QString(), false, QString(), std::nullopt},      // or an empty one
    };
    for (const Case& c : cases) {
        const AccountChange change = AccountChange::after(
            QStringLiteral("A"), account("A", c.accountName), c.sessionActive, c.interviewName);
        EXPECT_EQ(change.interviewName, c.filled) << c.interviewName.toStdString();
    }
}
