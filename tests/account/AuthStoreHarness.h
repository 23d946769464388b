#pragma once

#include "account/FirebaseKeychainAuthVault.h"
#include "account/GoogleAuthStore.h"
#include "account/GoogleKeychainAuthVault.h"
#include "account/GoogleSystemAuthBrowser.h"
#include "account/GoogleURLSessionTransport.h"
#include "platform/NetworkError.h"
#include "platform/Wakeup.h"
#include "support/MemorySecretStore.h"
#include "support/TestHttpServer.h"

#include <QTest>
#include <QUrlQuery>

#include <deque>

#include <gtest/gtest.h>

// Readable failures: the texts rather than their bytes.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace corvel::test {

inline const QDateTime startDate = QDateTime::fromSecsSinceEpoch(1'800'000'000, Qt::UTC);
inline const QString hostedCode = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJ0123-_Z");

inline QByteArray refreshReply(const char* idToken, const char* uid = "uid-1") {
    return R"({"id_token":")" + QByteArray(idToken) + R"(","refresh_token":"AMf-2",)" +
           R"("expires_in":"3600","token_type":"Bearer","user_id":")" + uid + "\"}";
}
inline QByteArray lookupReply(const char* uid = "uid-1", bool verified = true) {
    return R"({"users":[{"localId":")" + QByteArray(uid) + R"(","email":"ana@example.com",)" +
           R"("emailVerified":)" + (verified ? "true" : "false") +
           R"(,"providerUserInfo":[{"providerId":"google.com"}]}]})";
}
inline QByteArray googleTokenReply(const char* accessToken = "ya29.new") {
    return R"({"access_token":")" + QByteArray(accessToken) +
           R"(","refresh_token":"1//R","expires_in":3599,"token_type":"Bearer"})";
}
inline QByteArray googleUserReply(const char* subject = "1061") {
    return R"({"sub":")" + QByteArray(subject) +
           R"(","email":"ana@example.com","email_verified":true})";
}

// A reply whose connection closes in the middle of its body: a transfer failure.
inline TestHttpServer::Response cutReply() {
    return {.end = TestHttpServer::End::cut};
}
inline TestHttpServer::Response stalledReply() {
    return {.end = TestHttpServer::End::stallBeforeHeaders};
}

// Answers sign-in requests from a queue, on a later turn of the event loop as a network would,
// without sockets: a stalled reply waits for its cancellation, a cut one is a lost connection.
// What the transport itself does with real transfers is GoogleURLSessionTransport's test.
class QueuedAuthTransport final : public GoogleAuthTransport {
public:
    void enqueue(TestHttpServer::Response reply) { m_replies.push_back(std::move(reply)); }
    void enqueue(std::initializer_list<TestHttpServer::Response> replies) {
        m_replies.insert(m_replies.end(), replies);
    }
    const std::vector<TestHttpServer::Request>& requests() const { return m_requests; }

    QCoro::Task<Reply> send(HttpRequest request, CancelToken token) override {
        m_requests.push_back(
            {request.method,
             request.url.toString(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::FullyEncoded)
                 .toUtf8(),
             {},
             request.body});
        TestHttpServer::Response reply = TestHttpServer::json(404, "{}");
        if (!m_replies.empty()) {
            reply = std::move(m_replies.front());
            m_replies.pop_front();
        }
        Wakeup answered;
        const auto registration = token.onCancel([answered]() mutable { answered.fireSoon(); });
        if (reply.end != TestHttpServer::End::stallBeforeHeaders)
            answered.fireSoon();
        co_await answered;
        token.throwIfCancelled();
        if (reply.end == TestHttpServer::End::cut)
            throw NetworkError(NetworkError::Kind::connectionLost, QStringLiteral("cut"));
        co_return Reply{reply.status, request.url, reply.chunks.join()};
    }

private:
    std::deque<TestHttpServer::Response> m_replies;
    std::vector<TestHttpServer::Request> m_requests;
};

// A sign-in store wired to queued replies (or a transport of the test's choosing at `base`), a
// keyring of the test's choosing, a browser whose pages only get recorded, and a date that moves
// when the test says so.
class AuthStoreHarness {
public:
    explicit AuthStoreHarness(std::shared_ptr<SecretStore> secrets,
                              QUrl base = QUrl(QStringLiteral("https://auth.test")))
        : base(std::move(base)), secrets(std::move(secrets)) {}

    FirebaseAuthConfiguration firebaseConfiguration() const {
        return {QStringLiteral("AIzaSyA-test_key_0123456789"), QStringLiteral("corvel-test"),
                url("/api/v1"), QUrl(QStringLiteral("https://corvel-test.web.app/auth.html"))};
    }
    static GoogleOAuthConfiguration googleConfiguration() {
        return {QStringLiteral("123456789012-abc.apps.googleusercontent.com"),
                QStringLiteral("com.googleusercontent.apps.123456789012-abc")};
    }
    QUrl url(const char* path) const { return QUrl(base.toString() + QLatin1String(path)); }

    GoogleAuthStore& makeStore(bool hosted, bool restore = true,
                               std::shared_ptr<GoogleAuthTransport> transport = {}) {
        GoogleAuthStore::Collaborators collaborators;
        collaborators.bundle = BundleInfo{};
        if (hosted)
            collaborators.firebaseConfiguration = firebaseConfiguration();
        else
            collaborators.configuration = googleConfiguration();
        collaborators.transport = transport ? transport : server;
        collaborators.browser = browser;
        collaborators.automaticallyRestore = restore;
        collaborators.secretStore = secrets;
        collaborators.now = [this] { return now; };
        collaborators.googleEndpoints = {url("/token"), url("/revoke"), url("/v1/userinfo")};
        collaborators.firebaseEndpoints = {base, base};
        store.reset(); // one store at a time owns the browser
        store = std::make_unique<GoogleAuthStore>(std::move(collaborators));
        return *store;
    }

    FirebaseStoredSession firebaseSession(const char* uid = "uid-1") const {
        return {firebaseConfiguration().projectID,
                {QStringLiteral("eyJ.id1"), QStringLiteral("AMf-1"), startDate},
                {QString::fromLatin1(uid), QStringLiteral("ana@example.com"), {}, {}}};
    }
    static GoogleStoredSession googleSession(const char* subject = "1061") {
        return {googleConfiguration().clientID,
                {QStringLiteral("ya29.old"), QStringLiteral("1//R"), startDate},
                {QString::fromLatin1(subject), QStringLiteral("ana@example.com"), {}, {}}};
    }
    FirebaseKeychainAuthVault firebaseVault() { return FirebaseKeychainAuthVault(*secrets); }
    GoogleKeychainAuthVault googleVault() { return GoogleKeychainAuthVault(*secrets); }
    // The keyring item (service, account) of the chosen path's session.
    static std::pair<QString, QString> item(bool hosted) {
        if (hosted)
            return {FirebaseKeychainAuthVault::service, FirebaseKeychainAuthVault::account};
        return {GoogleKeychainAuthVault::service, GoogleKeychainAuthVault::account};
    }
    bool isSaved(bool hosted) const {
        const auto [service, account] = item(hosted);
        return secrets->read(service, account).status == SecretStore::success;
    }

    // The page the browser was asked to open last, and the callback that returns from it.
    QString pageState() const {
        return QUrlQuery(opened.last()).queryItemValue(QStringLiteral("state"));
    }
    bool returnFromPage(bool hosted) {
        const QString callback =
            hosted ? QStringLiteral("corvelinterview://auth/google?state=%1&code=%2")
                         .arg(pageState(), hostedCode)
                   : googleConfiguration().callbackScheme +
                         QStringLiteral(":/oauth2redirect?state=%1&code=4/0A").arg(pageState());
        return browser->handleCallback(callback);
    }
    void waitForPage(qsizetype count = 1) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return opened.size() >= count; }));
    }
    void waitForRequests(size_t count) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return server->requests().size() >= count; }));
    }
    void waitUntilIdle() {
        EXPECT_TRUE(QTest::qWaitFor([&] { return !store->isBusy(); }));
    }
    // Lets anything already scheduled run, such as a superseded task reaching its next step.
    static void settle() {
        for (int turn = 0; turn < 20; ++turn)
            QCoreApplication::processEvents();
    }

    QUrl base;
    std::shared_ptr<QueuedAuthTransport> server = std::make_shared<QueuedAuthTransport>();
    std::shared_ptr<SecretStore> secrets;
    QDateTime now = startDate;
    QList<QUrl> opened;
    std::shared_ptr<GoogleSystemAuthBrowser> browser =
        std::make_shared<GoogleSystemAuthBrowser>([this](const QUrl& page) {
            opened.append(page);
            return true;
        });
    std::unique_ptr<GoogleAuthStore> store;
};

} // namespace corvel::test
