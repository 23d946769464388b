#include "account/GoogleAuthStore.h"

#include "account/FirebaseKeychainAuthVault.h"
#include "account/GoogleAuthError.h"
#include "account/GoogleKeychainAuthVault.h"
#include "account/GooglePKCE.h"
#include "account/GoogleSystemAuthBrowser.h"
#include "account/GoogleURLSessionTransport.h"
#include "platform/PropertyAssign.h"
#include "platform/UptimeClock.h"
#include "platform/Wakeup.h"

#include <QLoggingCategory>
#include <QPointer>

#include <vector>

namespace corvel {

namespace {

Q_LOGGING_CATEGORY(accountLog, "com.tessaroy.app.Account")

// The ID token is renewed this long before it lapses, so that a request never carries one that
// expires in flight.
constexpr qint64 kRefreshMarginMs = 60'000;

// Only these three fixed lines are logged: never a token, code or error detail.
void logStarted() {
    qCInfo(accountLog, "Secure account operation started");
}
void logCancelled() {
    qCInfo(accountLog, "Secure account operation cancelled");
}

GoogleAuthError safeError(const std::exception_ptr& error) {
    qCWarning(accountLog, "Secure account operation did not complete");
    try {
        std::rethrow_exception(error);
    } catch (const CancellationError&) {
        return GoogleAuthError(GoogleAuthError::cancelled);
    } catch (const GoogleAuthError& failure) {
        return failure;
    } catch (...) {
        return GoogleAuthError(GoogleAuthError::connection);
    }
}

// Failures after which the saved session can never work again.
bool endsSession(const GoogleAuthError& error) {
    switch (error.errorCase()) {
    case GoogleAuthError::invalidToken:
    case GoogleAuthError::invalidIdentity:
    case GoogleAuthError::sessionExpired:
    case GoogleAuthError::identityChanged:
        return true;
    default:
        return false;
    }
}

QString description(GoogleAuthError::Case errorCase) {
    return GoogleAuthError(errorCase).description();
}

} // namespace

// The one token refresh in flight; every caller of validIDToken meanwhile waits for it.
struct GoogleAuthStore::TokenRefresh {
    CancelSource cancel;
    bool finished = false;
    std::optional<FirebaseStoredSession> session;
    std::exception_ptr error;
    std::vector<Wakeup> waiters;

    static QCoro::Task<> run(std::shared_ptr<TokenRefresh> refresh,
                             std::shared_ptr<FirebaseAuthClient> client,
                             FirebaseStoredSession session,
                             FirebaseAuthConfiguration configuration) {
        try {
            FirebaseStoredSession refreshed = co_await client->refresh(
                std::move(session), std::move(configuration), refresh->cancel.token());
            refresh->session = std::move(refreshed);
        } catch (...) {
            refresh->error = std::current_exception();
        }
        refresh->finished = true;
        for (Wakeup& waiter : std::exchange(refresh->waiters, {}))
            waiter.fireSoon();
    }
};

GoogleAuthStore::GoogleAuthStore() : GoogleAuthStore(Collaborators{}) {}

GoogleAuthStore::GoogleAuthStore(Collaborators collaborators, QObject* parent)
    : QObject(parent),
      m_now(collaborators.now ? std::move(collaborators.now)
                              : std::function<QDateTime()>(&QDateTime::currentDateTimeUtc)) {
    const BundleInfo bundle =
        collaborators.bundle ? *collaborators.bundle : BundleInfo::fromBuild();
    try {
        if (collaborators.firebaseConfiguration || !bundle.firebaseAPIKey.isEmpty()) {
            m_firebaseConfiguration = collaborators.firebaseConfiguration
                                          ? *collaborators.firebaseConfiguration
                                          : FirebaseAuthConfiguration::load(bundle);
        } else {
            m_configuration = collaborators.configuration ? *collaborators.configuration
                                                          : GoogleOAuthConfiguration::load(bundle);
        }
    } catch (const GoogleAuthError& error) {
        m_configurationError = error.description();
    } catch (...) {
        m_configurationError = description(GoogleAuthError::invalidConfiguration);
    }

    const auto transport = [&]() -> std::shared_ptr<GoogleAuthTransport> {
        if (collaborators.transport)
            return collaborators.transport;
        return std::make_shared<GoogleURLSessionTransport>();
    };
    m_firebaseClient =
        std::make_shared<FirebaseAuthClient>(transport(), m_now, collaborators.firebaseEndpoints);
    m_client =
        std::make_shared<GoogleOAuthClient>(transport(), m_now, collaborators.googleEndpoints);
    if (!collaborators.vault || !collaborators.firebaseVault)
        m_secretStore = collaborators.secretStore ? collaborators.secretStore
                                                  : std::make_shared<SecretServiceStore>();
    m_firebaseVault = collaborators.firebaseVault
                          ? collaborators.firebaseVault
                          : std::make_shared<FirebaseKeychainAuthVault>(*m_secretStore);
    m_vault = collaborators.vault ? collaborators.vault
                                  : std::make_shared<GoogleKeychainAuthVault>(*m_secretStore);
    m_browser =
        collaborators.browser ? collaborators.browser : std::make_shared<GoogleSystemAuthBrowser>();

    m_message = m_configurationError;
    if (collaborators.automaticallyRestore && isConfigured())
        restore();
}

// Running tasks keep what they use and see the store gone at their next step.
GoogleAuthStore::~GoogleAuthStore() {
    // Before the browser and clients go, so no cancellation reaches them half destroyed.
    m_operation.cancel();
    dropRefresh();
}

void GoogleAuthStore::signIn() {
    start(&GoogleAuthStore::signInFirebase, &GoogleAuthStore::signInGoogle);
}

void GoogleAuthStore::restore() {
    start(&GoogleAuthStore::restoreFirebase, &GoogleAuthStore::restoreGoogle);
}

void GoogleAuthStore::start(Operation hosted, Operation direct) {
    if (m_isBusy)
        return;
    if (!isConfigured()) {
        setMessage(m_configurationError);
        return;
    }
    const QUuid id = begin();
    (this->*(m_firebaseConfiguration ? hosted : direct))(id, m_operation.start());
}

QUuid GoogleAuthStore::begin() {
    logStarted();
    dropRefresh();
    m_operation.cancel();
    setBusy(true);
    setMessage(std::nullopt);
    return m_operation.id();
}

void GoogleAuthStore::cancel() {
    logCancelled();
    dropRefresh();
    m_operation.cancel();
    m_browser->cancel();
    setBusy(false);
    setMessage(description(GoogleAuthError::cancelled));
}

void GoogleAuthStore::dropRefresh() {
    if (m_firebaseRefresh)
        m_firebaseRefresh->cancel.cancel();
    m_firebaseRefresh.reset();
}

// A refresh of the session being replaced is of no use any more, and must not come back to
// overwrite or delete the new one.
void GoogleAuthStore::replaceFirebaseSession(std::optional<FirebaseStoredSession> session) {
    dropRefresh();
    m_firebaseSession = std::move(session);
    m_firebaseSessionID = QUuid::createUuid();
}

void GoogleAuthStore::checkPoint(const QPointer<GoogleAuthStore>& self, QUuid id,
                                 const CancelToken& token) {
    if (!self || !self->m_operation.isCurrent(id) || token.isCancelled())
        throw GoogleAuthError(GoogleAuthError::cancelled);
}

void GoogleAuthStore::fail(QUuid id, const std::exception_ptr& error) {
    if (m_operation.isCurrent(id))
        setMessage(safeError(error).description());
}

void GoogleAuthStore::failRestore(QUuid id, const std::exception_ptr& error) {
    if (!m_operation.isCurrent(id))
        return;
    if (m_firebaseConfiguration) {
        replaceFirebaseSession(std::nullopt);
        setAccount(std::nullopt);
    } else {
        setAccount(std::nullopt);
        m_storedSession.reset();
    }
    const GoogleAuthError failure = safeError(error);
    if (endsSession(failure)) {
        try {
            if (m_firebaseConfiguration)
                m_firebaseVault->remove();
            else
                m_vault->remove();
        } catch (...) {
            setMessage(description(GoogleAuthError::secureStorage));
            return;
        }
    }
    setMessage(failure.description());
}

void GoogleAuthStore::complete(QUuid id) {
    if (m_operation.isCurrent(id))
        setBusy(false);
}

QCoro::Task<> GoogleAuthStore::signInFirebase(QUuid id, CancelToken token) {
    QPointer<GoogleAuthStore> self(this);
    const FirebaseAuthConfiguration configuration = *m_firebaseConfiguration;
    const auto browser = m_browser;
    const auto client = m_firebaseClient;
    const auto vault = m_firebaseVault;
    co_await nextEventLoopTurn();
    if (!self)
        co_return;
    std::exception_ptr failure;
    try {
        const QString state = GooglePKCE::randomValue();
        const QString verifier = GooglePKCE::randomValue();
        if (!GooglePKCE::validVerifier(state) || !GooglePKCE::validVerifier(verifier))
            throw GoogleAuthError(GoogleAuthError::randomGeneration);
        const FirebaseAuthAttempt attempt{configuration, state, verifier};
        const QString callback = co_await browser->authenticate(
            attempt.authorizationURL(), configuration.callbackScheme, token);
        checkPoint(self, id, token);
        const QString code = attempt.authorizationCode(callback);
        const FirebaseStoredSession session = co_await client->exchange(code, attempt, token);
        checkPoint(self, id, token);
        vault->save(session);
        replaceFirebaseSession(session);
        setAccount(session.account);
        setMessage(std::nullopt);
    } catch (...) {
        failure = std::current_exception();
    }
    if (!self)
        co_return;
    if (failure)
        fail(id, failure);
    complete(id);
}

QCoro::Task<> GoogleAuthStore::signInGoogle(QUuid id, CancelToken token) {
    QPointer<GoogleAuthStore> self(this);
    const GoogleOAuthConfiguration configuration = *m_configuration;
    const auto browser = m_browser;
    const auto client = m_client;
    const auto vault = m_vault;
    co_await nextEventLoopTurn();
    if (!self)
        co_return;
    std::exception_ptr failure;
    try {
        const GoogleOAuthAttempt attempt = GoogleOAuthAttempt::create(configuration);
        const QString callback = co_await browser->authenticate(
            attempt.authorizationURL(), configuration.callbackScheme, token);
        checkPoint(self, id, token);
        const QString code = attempt.authorizationCode(callback);
        const GoogleTokens tokens = co_await client->exchange(code, attempt, token);
        const GoogleAccount account = co_await client->account(tokens.accessToken, token);
        checkPoint(self, id, token);
        const GoogleStoredSession session{configuration.clientID, tokens, account};
        vault->save(session);
        m_storedSession = session;
        setAccount(account);
        setMessage(std::nullopt);
    } catch (...) {
        failure = std::current_exception();
    }
    if (!self)
        co_return;
    if (failure)
        fail(id, failure);
    complete(id);
}

QCoro::Task<> GoogleAuthStore::restoreFirebase(QUuid id, CancelToken token) {
    QPointer<GoogleAuthStore> self(this);
    const FirebaseAuthConfiguration configuration = *m_firebaseConfiguration;
    const auto client = m_firebaseClient;
    const auto vault = m_firebaseVault;
    co_await nextEventLoopTurn();
    if (!self)
        co_return;
    std::exception_ptr failure;
    try {
        checkPoint(self, id, token);
        if (const auto stored = vault->load()) {
            if (stored->projectID != configuration.projectID)
                throw GoogleAuthError(GoogleAuthError::sessionExpired);
            const FirebaseStoredSession session =
                co_await client->refresh(*stored, configuration, token);
            checkPoint(self, id, token);
            vault->save(session);
            replaceFirebaseSession(session);
            setAccount(session.account);
            setMessage(std::nullopt);
        }
    } catch (...) {
        failure = std::current_exception();
    }
    if (!self)
        co_return;
    if (failure)
        failRestore(id, failure);
    complete(id);
}

QCoro::Task<> GoogleAuthStore::restoreGoogle(QUuid id, CancelToken token) {
    QPointer<GoogleAuthStore> self(this);
    const GoogleOAuthConfiguration configuration = *m_configuration;
    const auto client = m_client;
    const auto vault = m_vault;
    co_await nextEventLoopTurn();
    if (!self)
        co_return;
    std::exception_ptr failure;
    try {
        checkPoint(self, id, token);
        if (const auto stored = vault->load()) {
            if (stored->clientID != configuration.clientID) {
                vault->remove();
                throw GoogleAuthError(GoogleAuthError::sessionExpired);
            }
            const GoogleTokens tokens =
                co_await client->refresh(stored->tokens, configuration, token);
            const GoogleAccount account = co_await client->account(tokens.accessToken, token);
            if (account.subject != stored->account.subject)
                throw GoogleAuthError(GoogleAuthError::identityChanged);
            checkPoint(self, id, token);
            const GoogleStoredSession session{configuration.clientID, tokens, account};
            vault->save(session);
            m_storedSession = session;
            setAccount(account);
            setMessage(std::nullopt);
        }
    } catch (...) {
        failure = std::current_exception();
    }
    if (!self)
        co_return;
    if (failure)
        failRestore(id, failure);
    complete(id);
}

QCoro::Task<QString> GoogleAuthStore::validIDToken(CancelToken token) {
    if (!m_firebaseConfiguration || !m_firebaseSession || !m_account)
        throw GoogleAuthError(GoogleAuthError::sessionExpired);
    if (m_now().msecsTo(m_firebaseSession->tokens.expiresAt) > kRefreshMarginMs)
        co_return m_firebaseSession->tokens.idToken;

    const QUuid id = m_operation.id();
    const QUuid sessionID = m_firebaseSessionID;
    if (!m_firebaseRefresh) {
        m_firebaseRefresh = std::make_shared<TokenRefresh>();
        TokenRefresh::run(m_firebaseRefresh, m_firebaseClient, *m_firebaseSession,
                          *m_firebaseConfiguration);
    }
    const auto refresh = m_firebaseRefresh;
    const auto vault = m_firebaseVault;
    QPointer<GoogleAuthStore> self(this);
    if (!refresh->finished) {
        Wakeup done;
        refresh->waiters.push_back(done);
        co_await done;
    }

    // A refresh is stale once another operation began, or once a sign-in or restore replaced
    // the session it refreshed: it must not overwrite or delete that newer session.
    const auto current = [&] {
        return self && self->m_operation.isCurrent(id) && self->m_firebaseSessionID == sessionID;
    };
    std::exception_ptr failure = refresh->error;
    if (!failure) {
        try {
            checkPoint(self, id, token);
            if (!current())
                throw GoogleAuthError(GoogleAuthError::cancelled);
            const FirebaseStoredSession& session = *refresh->session;
            if (!m_firebaseSession || session.account.subject != m_firebaseSession->account.subject)
                throw GoogleAuthError(GoogleAuthError::identityChanged);
            vault->save(session);
            m_firebaseSession = session;
            setAccount(session.account);
            if (m_firebaseRefresh == refresh)
                m_firebaseRefresh.reset();
            co_return session.tokens.idToken;
        } catch (...) {
            failure = std::current_exception();
        }
    }

    const GoogleAuthError error = safeError(failure);
    if (current()) {
        if (m_firebaseRefresh == refresh)
            m_firebaseRefresh.reset();
        if (endsSession(error)) {
            replaceFirebaseSession(std::nullopt);
            setAccount(std::nullopt);
            try {
                vault->remove();
            } catch (...) {
            }
        }
        setMessage(error.description());
    }
    throw error;
}

void GoogleAuthStore::signOut() {
    m_operation.cancel();
    dropRefresh();
    m_browser->cancel();
    setBusy(false);
    std::optional<GoogleStoredSession> previous;
    bool removed = true;
    if (m_firebaseConfiguration) {
        replaceFirebaseSession(std::nullopt);
        setAccount(std::nullopt);
        try {
            m_firebaseVault->remove();
        } catch (...) {
            removed = false;
        }
    } else {
        previous = std::exchange(m_storedSession, std::nullopt);
        setAccount(std::nullopt);
        try {
            m_vault->remove();
        } catch (...) {
            removed = false;
        }
    }
    setMessage(removed ? std::nullopt
                       : std::optional<QString>(description(GoogleAuthError::secureStorage)));
    if (previous) {
        // Held as the operation so that a later operation or sign-out cancels it; isBusy stays
        // false and its outcome is ignored.
        revoke(*previous, m_operation.start());
    }
}

QCoro::Task<> GoogleAuthStore::revoke(GoogleStoredSession previous, CancelToken token) {
    QPointer<GoogleAuthStore> self(this);
    const auto client = m_client;
    co_await nextEventLoopTurn();
    if (!self)
        co_return;
    try {
        co_await client->revoke(previous.tokens, token);
    } catch (...) {
    }
}

void GoogleAuthStore::setAccount(std::optional<GoogleAccount> account) {
    assign(*this, m_account, std::move(account), &GoogleAuthStore::accountChanged);
}

void GoogleAuthStore::setBusy(bool busy) {
    assign(*this, m_isBusy, busy, &GoogleAuthStore::isBusyChanged);
}

void GoogleAuthStore::setMessage(std::optional<QString> message) {
    assign(*this, m_message, std::move(message), &GoogleAuthStore::messageChanged);
}

} // namespace corvel
