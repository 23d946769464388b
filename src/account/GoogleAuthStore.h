#pragma once

#include "account/FirebaseAuthClient.h"
#include "account/FirebaseAuthVault.h"
#include "account/GoogleAuthBrowser.h"
#include "account/GoogleAuthVault.h"
#include "account/GoogleOAuthClient.h"
#include "platform/BundleInfo.h"
#include "platform/Cancellation.h"
#include "platform/SecretStore.h"
#include "platform/TaskSlot.h"

#include <QObject>
#include <QPointer>
#include <QUuid>

#include <exception>
#include <functional>
#include <memory>
#include <optional>

namespace corvel {

// The one observable store of sign-in: signs in on the build's path (the hosted page or Google
// directly), restores the saved session at start, hands out the Firebase ID token and signs out.
// At most one sign-in or restore runs at a time.
class GoogleAuthStore final : public QObject {
    Q_OBJECT
    Q_PROPERTY(std::optional<corvel::GoogleAccount> account READ account NOTIFY accountChanged)
    Q_PROPERTY(bool isBusy READ isBusy NOTIFY isBusyChanged)
    Q_PROPERTY(std::optional<QString> message READ message NOTIFY messageChanged)
public:
    // Whatever is left out is the system's own: the build's bundle values, a transport per
    // client, the keyring vaults over the Secret Service and the system browser.
    struct Collaborators {
        std::optional<GoogleOAuthConfiguration> configuration;
        std::optional<BundleInfo> bundle;
        std::shared_ptr<GoogleAuthTransport> transport; // shared by both clients when given
        std::shared_ptr<GoogleAuthVault> vault;
        std::shared_ptr<GoogleAuthBrowser> browser;
        bool automaticallyRestore = true;
        std::optional<FirebaseAuthConfiguration> firebaseConfiguration;
        std::shared_ptr<FirebaseAuthVault> firebaseVault;
        std::shared_ptr<SecretStore> secretStore; // behind the default vaults
        // The date token expiries are compared with, also the clients' clock.
        std::function<QDateTime()> now;
        GoogleOAuthClient::Endpoints googleEndpoints = GoogleOAuthClient::Endpoints::google();
        FirebaseAuthClient::Endpoints firebaseEndpoints = FirebaseAuthClient::Endpoints::firebase();
    };

    // The application's store: every collaborator the system's own, the saved session restored.
    GoogleAuthStore();
    explicit GoogleAuthStore(Collaborators collaborators, QObject* parent = nullptr);
    ~GoogleAuthStore() override;

    const std::optional<GoogleAccount>& account() const { return m_account; }
    bool isBusy() const { return m_isBusy; }
    const std::optional<QString>& message() const { return m_message; }
    bool isConfigured() const { return m_firebaseConfiguration || m_configuration; }
    const std::optional<FirebaseAuthConfiguration>& firebaseConfiguration() const {
        return m_firebaseConfiguration;
    }
    GoogleAuthBrowser& browser() const { return *m_browser; }

    void signIn();
    void cancel();
    void signOut();
    void restore();
    // The cloud token provider: the Firebase ID token, refreshed once for every caller when it is
    // within 60 seconds of expiry. Throws GoogleAuthError.
    QCoro::Task<QString> validIDToken(CancelToken token = {});

Q_SIGNALS:
    void accountChanged();
    void isBusyChanged();
    void messageChanged();

private:
    struct TokenRefresh;
    using Operation = QCoro::Task<> (GoogleAuthStore::*)(QUuid id, CancelToken token);

    void start(Operation hosted, Operation direct);
    QUuid begin();
    // Throws cancelled once the operation was superseded, its task cancelled or the store gone.
    static void checkPoint(const QPointer<GoogleAuthStore>& self, QUuid id,
                           const CancelToken& token);
    void fail(QUuid id, const std::exception_ptr& error);
    void failRestore(QUuid id, const std::exception_ptr& error);
    void complete(QUuid id);
    void dropRefresh();
    void replaceFirebaseSession(std::optional<FirebaseStoredSession> session);

    QCoro::Task<> signInFirebase(QUuid id, CancelToken token);
    QCoro::Task<> signInGoogle(QUuid id, CancelToken token);
    QCoro::Task<> restoreFirebase(QUuid id, CancelToken token);
    QCoro::Task<> restoreGoogle(QUuid id, CancelToken token);
    QCoro::Task<> revoke(GoogleStoredSession previous, CancelToken token);

    void setAccount(std::optional<GoogleAccount> account);
    void setBusy(bool busy);
    void setMessage(std::optional<QString> message);

    std::optional<GoogleAccount> m_account;
    bool m_isBusy = false;
    std::optional<QString> m_message;
    std::optional<QString> m_configurationError;
    std::function<QDateTime()> m_now;

    std::optional<FirebaseAuthConfiguration> m_firebaseConfiguration;
    std::shared_ptr<FirebaseAuthClient> m_firebaseClient;
    std::shared_ptr<FirebaseAuthVault> m_firebaseVault;
    std::optional<FirebaseStoredSession> m_firebaseSession;
    // Renewed whenever the hosted session is replaced or dropped other than by its own token
    // refresh, so that a refresh which started before can tell that its session is gone.
    QUuid m_firebaseSessionID = QUuid::createUuid();
    std::shared_ptr<TokenRefresh> m_firebaseRefresh;

    std::optional<GoogleOAuthConfiguration> m_configuration;
    std::shared_ptr<GoogleOAuthClient> m_client;
    std::shared_ptr<GoogleAuthVault> m_vault;
    std::shared_ptr<GoogleAuthBrowser> m_browser;
    std::optional<GoogleStoredSession> m_storedSession;

    std::shared_ptr<SecretStore> m_secretStore;
    // Its id is the running operation's staleness token.
    TaskSlot m_operation;
};

} // namespace corvel
