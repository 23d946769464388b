#include "account/GoogleSystemAuthBrowser.h"
#include "support/AwaitTask.h"
#include "support/ManualClock.h"

#include "AuthFailure.h"

#include <gtest/gtest.h>

using namespace corvel;

namespace {

const QString scheme = QStringLiteral("corvelinterview");
const QUrl page(QStringLiteral("https://corvel-test.web.app/auth.html?state=S1&challenge=C"));
const QUrl secondPage(QStringLiteral("https://corvel-test.web.app/auth.html?state=S2&challenge=C"));
const QString callback = QStringLiteral("corvelinterview://auth/google?state=S1&code=K");

class GoogleSystemAuthBrowserTest : public ::testing::Test {
protected:
    test::ManualClock clock;
    QList<QUrl> opened;
    bool opens = true;
    // Pages "open" by being recorded; time passes only when the test moves the clock.
    GoogleSystemAuthBrowser browser{[this](const QUrl& url) {
                                        opened.append(url);
                                        return opens;
                                    },
                                    clock};
};

} // namespace

TEST_F(GoogleSystemAuthBrowserTest, OpensThePageAndReturnsItsCallbackOnce) {
    auto task = browser.authenticate(page, scheme, {});
    EXPECT_EQ(opened, QList<QUrl>{page});
    // Not ours: another scheme, or the tab of an earlier page.
    EXPECT_FALSE(browser.handleCallback(QStringLiteral("https://auth/google?state=S1&code=K")));
    EXPECT_FALSE(
        browser.handleCallback(QStringLiteral("corvelinterview://auth/google?state=S0&code=K")));
    EXPECT_TRUE(browser.handleCallback(callback));
    EXPECT_FALSE(browser.handleCallback(callback));
    EXPECT_EQ(test::awaitTask(std::move(task)), callback);

    // A callback without the page's state is still handed over for the caller to refuse.
    auto bare = browser.authenticate(page, scheme, {});
    EXPECT_TRUE(browser.handleCallback(QStringLiteral("CorvelInterview://auth/google?code=K")));
    EXPECT_EQ(test::awaitTask(std::move(bare)),
              QStringLiteral("CorvelInterview://auth/google?code=K"));
}

TEST_F(GoogleSystemAuthBrowserTest, ANewSignInOrCancelEndsTheWaitingOne) {
    auto first = browser.authenticate(page, scheme, {});
    auto second = browser.authenticate(secondPage, scheme, {});
    EXPECT_EQ(test::authFailure(std::move(first)), GoogleAuthError::cancelled);
    // The first page's tab is still open and may return; only the second page counts.
    EXPECT_FALSE(browser.handleCallback(callback));
    const QString secondCallback = QStringLiteral("corvelinterview://auth/google?code=K&state=S2");
    EXPECT_TRUE(browser.handleCallback(secondCallback));
    EXPECT_EQ(test::awaitTask(std::move(second)), secondCallback);

    auto third = browser.authenticate(page, scheme, {});
    browser.cancel();
    EXPECT_FALSE(browser.handleCallback(callback));
    EXPECT_EQ(test::authFailure(std::move(third)), GoogleAuthError::cancelled);
    browser.cancel(); // nothing runs: no effect
    EXPECT_EQ(opened, (QList<QUrl>{page, secondPage, page}));
}

TEST_F(GoogleSystemAuthBrowserTest, CallerCancellationTimeOutAndOpenFailure) {
    CancelSource before;
    before.cancel();
    EXPECT_THROW(test::awaitTask(browser.authenticate(page, scheme, before.token())),
                 CancellationError);
    EXPECT_TRUE(opened.isEmpty());

    CancelSource during;
    auto cancelled = browser.authenticate(page, scheme, during.token());
    during.cancel();
    EXPECT_EQ(test::authFailure(std::move(cancelled)), GoogleAuthError::cancelled);

    // A time-out is a connection failure; the callback that comes later finds nobody waiting.
    // A finished operation's time-out is gone: it never ends the next one.
    auto waiting = browser.authenticate(page, scheme, {});
    clock.advance(GoogleSystemAuthBrowser::kTimeoutSeconds - 1);
    auto timed = browser.authenticate(page, scheme, {});
    EXPECT_EQ(test::authFailure(std::move(waiting)), GoogleAuthError::cancelled);
    clock.advance(GoogleSystemAuthBrowser::kTimeoutSeconds - 1);
    EXPECT_EQ(clock.sleeperCount(), 1u);
    clock.advance(1);
    EXPECT_EQ(test::authFailure(std::move(timed)), GoogleAuthError::connection);
    EXPECT_FALSE(browser.handleCallback(callback));

    // Cancelling a caller whose operation was already replaced leaves the new one alone.
    CancelSource stale;
    auto replaced = browser.authenticate(page, scheme, stale.token());
    auto current = browser.authenticate(page, scheme, {});
    stale.cancel();
    EXPECT_EQ(test::authFailure(std::move(replaced)), GoogleAuthError::cancelled);
    EXPECT_TRUE(browser.handleCallback(callback));
    EXPECT_EQ(test::awaitTask(std::move(current)), callback);

    opens = false;
    EXPECT_EQ(test::authFailure(browser.authenticate(page, scheme, {})),
              GoogleAuthError::browserUnavailable);
    EXPECT_FALSE(browser.handleCallback(callback));
}
