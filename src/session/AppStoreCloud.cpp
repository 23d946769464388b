// The cloud answer route: where the service is, which account uses it, and its account record.
#include "session/AppStore.h"

#include "core/AnswerServiceError.h"
#include "core/AnswerSource.h"
#include "platform/UptimeClock.h"

namespace corvel {

void AppStore::configureCloud(const std::optional<QUrl>& baseURL,
                              const std::optional<QString>& accountID,
                              TokenProvider tokenProvider) {
    if (baseURL == m_cloudBaseURL && accountID == m_cloudAccountID &&
        static_cast<bool>(tokenProvider) == static_cast<bool>(m_cloudTokenProvider))
        return;
    // The running session releases its lease with the settings it started with.
    if (m_isSessionActive)
        endSession();
    m_cloudConfigurationID = QUuid::createUuid();
    m_cloudRefresh.cancel();
    m_cloudBaseURL = baseURL;
    m_cloudAccountID = accountID;
    m_cloudTokenProvider = std::move(tokenProvider);
    assign(*this, m_isCloudConfigured, m_cloudBaseURL.has_value(),
           &AppStore::isCloudConfiguredChanged);
    assign(*this, m_cloudAccount, std::optional<CloudAccountBalance>(),
           &AppStore::cloudAccountChanged);
    assign(*this, m_cloudAccountError, std::optional<QString>(),
           &AppStore::cloudAccountErrorChanged);
    assign(*this, m_isRefreshingCloudAccount, false, &AppStore::isRefreshingCloudAccountChanged);
    assign(*this, m_connectionVerified, false, &AppStore::connectionVerifiedChanged);
    if (m_cloudBaseURL && m_cloudAccountID && m_cloudTokenProvider)
        refreshCloudAccount();
}

void AppStore::refreshCloudAccount() {
    if (!m_cloudBaseURL || !m_cloudTokenProvider || !m_cloudAccountID) {
        assign(*this, m_cloudAccount, std::optional<CloudAccountBalance>(),
               &AppStore::cloudAccountChanged);
        std::optional<QString> error;
        if (m_isCloudConfigured)
            error = AnswerServiceError(AnswerServiceError::Case::signInRequired).errorDescription();
        assign(*this, m_cloudAccountError, error, &AppStore::cloudAccountErrorChanged);
        return;
    }
    if (m_isRefreshingCloudAccount)
        return;
    m_cloudRefresh.cancel();
    assign(*this, m_isRefreshingCloudAccount, true, &AppStore::isRefreshingCloudAccountChanged);
    assign(*this, m_cloudAccountError, std::optional<QString>(),
           &AppStore::cloudAccountErrorChanged);
    runCloudRefresh(m_cloudRefresh.id(), m_cloudConfigurationID, *m_cloudBaseURL,
                    m_cloudTokenProvider, m_cloudRefresh.start());
}

QCoro::Task<> AppStore::runCloudRefresh(QUuid refresh, QUuid configuration, QUrl baseURL,
                                        TokenProvider tokenProvider, CancelToken cancel) {
    QPointer<AppStore> self(this);
    const std::shared_ptr<AnswerSource> answers = m_answers;
    std::optional<CloudAccountBalance> account;
    std::optional<QString> failure;
    try {
        co_await nextEventLoopTurn();
        cancel.throwIfCancelled();
        const QString idToken = co_await tokenProvider(cancel);
        if (!self)
            co_return;
        account = co_await answers->cloudAccount(baseURL, idToken, cancel);
    } catch (const CancellationError&) {
    } catch (const std::exception& error) {
        failure = errorMessage(error);
    }
    if (!self)
        co_return;
    const bool current =
        m_cloudRefresh.isCurrent(refresh) && m_cloudConfigurationID == configuration;
    if (current && account) {
        if (m_cloudAccountID && *m_cloudAccountID == account->uid) {
            assign(*this, m_cloudAccount, account, &AppStore::cloudAccountChanged);
            assign(*this, m_cloudAccountError, std::optional<QString>(),
                   &AppStore::cloudAccountErrorChanged);
            assign(*this, m_connectionVerified, true, &AppStore::connectionVerifiedChanged);
        } else {
            // A reply for another account is never shown.
            failure =
                AnswerServiceError(AnswerServiceError::Case::signInRequired).errorDescription();
        }
    }
    if (current && failure) {
        assign(*this, m_cloudAccountError, failure, &AppStore::cloudAccountErrorChanged);
        assign(*this, m_connectionVerified, false, &AppStore::connectionVerifiedChanged);
    }
    if (m_cloudRefresh.isCurrent(refresh))
        assign(*this, m_isRefreshingCloudAccount, false,
               &AppStore::isRefreshingCloudAccountChanged);
}

bool AppStore::canStartCloudSession() const {
    return m_isCloudConfigured && m_cloudAccountID && m_cloudTokenProvider && m_cloudAccount &&
           !m_isRefreshingCloudAccount && !m_cloudAccountError;
}

} // namespace corvel
