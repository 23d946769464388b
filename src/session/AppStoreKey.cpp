// The private OpenAI connection: saving, removing and checking the user's own key.
#include "session/AppStore.h"

#include "core/AnswerService.h"
#include "core/AnswerServiceError.h"
#include "core/AnswerSource.h"
#include "core/KeychainVault.h"
#include "platform/UptimeClock.h"

namespace corvel {

bool AppStore::saveKey(const QString& key) {
    QString trimmed;
    try {
        trimmed = AnswerService::validatedKey(key);
    } catch (const AnswerServiceError& error) {
        setMessage(error.errorCase() == AnswerServiceError::Case::missingAPIKey
                       ? QStringLiteral("Add an API key before saving it.")
                       : QStringLiteral("The API key contains spaces or invalid characters."));
        return false;
    }
    try {
        KeychainVault(*m_secretStore).save(trimmed);
    } catch (const KeychainVault::VaultError& error) {
        setMessage(error.description());
        return false;
    }
    setKeyState(trimmed);
    resetConnectionVerification();
    setMessage(QStringLiteral("API key saved in your keyring."));
    return true;
}

void AppStore::removeKey() {
    const int status = m_secretStore->remove(KeychainVault::service, KeychainVault::account);
    if (status != SecretStore::success && status != SecretStore::itemNotFound) {
        setMessage(KeychainVault::VaultError(status, KeychainVault::VaultError::Operation::save)
                       .description());
        return;
    }
    setKeyState(QString());
    resetConnectionVerification();
}

void AppStore::resetConnectionVerification() {
    m_connectionCheck.cancel();
    assign(*this, m_isCheckingConnection, false, &AppStore::isCheckingConnectionChanged);
    assign(*this, m_connectionVerified, false, &AppStore::connectionVerifiedChanged);
}

void AppStore::checkConnection() {
    if (m_isCloudConfigured) {
        refreshCloudAccount();
        return;
    }
    if (m_isCheckingConnection)
        return;
    if (!m_hasAPIKey) {
        setMessage(QStringLiteral("Add your OpenAI API key before checking the connection."));
        return;
    }
    m_connectionCheck.cancel();
    assign(*this, m_connectionVerified, false, &AppStore::connectionVerifiedChanged);
    assign(*this, m_isCheckingConnection, true, &AppStore::isCheckingConnectionChanged);
    setMessage(std::nullopt);
    runConnectionCheck(m_connectionCheck.id(), m_key, m_model, m_connectionCheck.start());
}

QCoro::Task<> AppStore::runConnectionCheck(QUuid token, QString key, QString model,
                                           CancelToken cancel) {
    QPointer<AppStore> self(this);
    const std::shared_ptr<AnswerSource> answers = m_answers;
    std::optional<QString> failure;
    bool cancelled = false;
    try {
        co_await nextEventLoopTurn();
        cancel.throwIfCancelled();
        co_await answers->verifyConnection(key, model, cancel);
    } catch (const CancellationError&) {
        cancelled = true;
    } catch (const std::exception& error) {
        failure = errorMessage(error);
    }
    if (!self || !m_connectionCheck.isCurrent(token))
        co_return;
    if (cancelled) {
        assign(*this, m_isCheckingConnection, false, &AppStore::isCheckingConnectionChanged);
    } else if (failure) {
        assign(*this, m_connectionVerified, false, &AppStore::connectionVerifiedChanged);
        setMessage(failure);
        assign(*this, m_isCheckingConnection, false, &AppStore::isCheckingConnectionChanged);
    } else {
        assign(*this, m_connectionVerified, true, &AppStore::connectionVerifiedChanged);
        setMessage(QStringLiteral("OpenAI connection verified."));
        assign(*this, m_isCheckingConnection, false, &AppStore::isCheckingConnectionChanged);
    }
}

} // namespace corvel
