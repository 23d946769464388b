// The cloud session lease: opened when listening starts, kept alive by heartbeats, released
// when listening stops, and cleaned up on the service when its fate is uncertain.
#include "session/AppStore.h"

#include "core/AnswerServiceError.h"
#include "core/AnswerSource.h"
#include "listening/AudioCapture.h"
#include "platform/UptimeClock.h"

#include <algorithm>

namespace corvel {

namespace {
const QString cleanupFailedMessage = QStringLiteral(
    "The session could not be closed online. Its server lease will expire automatically.");
constexpr int cleanupAttempts = 2;
constexpr double cleanupRetrySeconds = 0.25;
} // namespace

bool AppStore::leaseStillWanted(const QUuid& listening, const QUuid& session,
                                const QUuid& configuration) const {
    return listeningStillWanted(listening, session) && m_cloudConfigurationID == configuration &&
           m_audio->isRunning();
}

QCoro::Task<> AppStore::beginCloudLease(QUuid listening, QUuid session, CancelToken cancel) {
    QPointer<AppStore> self(this);
    co_await waitForCloudLeaseCleanup();
    if (!self)
        throw CancellationError();
    cancel.throwIfCancelled();
    if (!m_cloudBaseURL || !m_cloudTokenProvider)
        throw AnswerServiceError(AnswerServiceError::Case::cloudNotConfigured);
    const QUuid configuration = m_cloudConfigurationID;
    const QUrl baseURL = *m_cloudBaseURL;
    const TokenProvider provider = m_cloudTokenProvider;
    const QString token = co_await provider(cancel);
    if (!self)
        throw CancellationError();
    cancel.throwIfCancelled();
    if (!leaseStillWanted(listening, session, configuration))
        throw CancellationError();

    m_pendingCloudLease = PendingCloudLease{listening, baseURL, token, configuration};
    const std::shared_ptr<AnswerSource> answers = m_answers;
    std::optional<CloudSessionLease> lease;
    std::exception_ptr failure;
    try {
        lease = co_await answers->startCloudSession(baseURL, token, listening, cancel);
    } catch (...) {
        failure = std::current_exception();
    }
    if (!self)
        throw CancellationError();
    if (failure) {
        cleanupPendingCloudLease(listening, std::nullopt);
        std::rethrow_exception(failure);
    }
    if (!leaseStillWanted(listening, session, configuration)) {
        cleanupPendingCloudLease(listening, lease->sessionId);
        throw CancellationError();
    }

    m_pendingCloudLease.reset();
    m_cloudLeaseID = lease->sessionId;
    m_cloudLeaseToken = token;
    m_cloudLeaseBaseURL = baseURL;
    assign(*this, m_cloudSessionReady, true, &AppStore::cloudSessionReadyChanged);
    assign(*this, m_cloudAccountError, std::optional<QString>(),
           &AppStore::cloudAccountErrorChanged);
    runCloudHeartbeat(*lease, baseURL, provider, configuration, m_cloudHeartbeat.start());
}

QCoro::Task<> AppStore::runCloudHeartbeat(CloudSessionLease lease, QUrl baseURL,
                                          TokenProvider provider, QUuid configuration,
                                          CancelToken cancel) {
    QPointer<AppStore> self(this);
    UptimeClock* clock = m_clock;
    const std::shared_ptr<AnswerSource> answers = m_answers;
    const double interval = m_cloudHeartbeatIntervalOverride.value_or(
        static_cast<double>(std::clamp<qint64>(lease.heartbeatIntervalSeconds, 5, 30)));
    const auto stillOurs = [&] {
        return self && m_cloudLeaseID == lease.sessionId && m_cloudConfigurationID == configuration;
    };
    std::optional<QString> failure;
    try {
        while (!cancel.isCancelled()) {
            co_await clock->sleep(interval, cancel);
            if (!stillOurs() || !m_isSessionActive || m_isPaused)
                co_return;
            const QString token = co_await provider(cancel);
            co_await answers->heartbeatCloudSession(baseURL, token, lease.sessionId, cancel);
            if (!stillOurs())
                co_return;
            m_cloudLeaseToken = token;
        }
    } catch (const CancellationError&) {
        co_return;
    } catch (const std::exception& error) {
        failure = errorMessage(error);
    }
    if (!failure || !stillOurs())
        co_return;
    stopListening();
    m_generation.cancel();
    assign(*this, m_isGenerating, false, &AppStore::isGeneratingChanged);
    setPhase(SessionPhase::error);
    assign(*this, m_cloudAccountError, failure, &AppStore::cloudAccountErrorChanged);
    setMessage(failure);
}

void AppStore::stopCloudLease() {
    m_cloudHeartbeat.cancel();
    assign(*this, m_cloudSessionReady, false, &AppStore::cloudSessionReadyChanged);
    if (m_pendingCloudLease)
        cleanupPendingCloudLease(m_pendingCloudLease->clientSessionID, std::nullopt);
    if (m_cloudLeaseID && m_cloudLeaseToken && m_cloudLeaseBaseURL) {
        const PendingCloudLease lease{QUuid::createUuid(), *m_cloudLeaseBaseURL, *m_cloudLeaseToken,
                                      m_cloudConfigurationID};
        const QString leaseID = *m_cloudLeaseID;
        m_cloudLeaseID.reset();
        m_cloudLeaseToken.reset();
        m_cloudLeaseBaseURL.reset();
        scheduleCloudLeaseCleanup(lease, leaseID);
    }
}

void AppStore::cleanupPendingCloudLease(const QUuid& clientSessionID,
                                        const std::optional<QString>& leaseID) {
    if (!m_pendingCloudLease || m_pendingCloudLease->clientSessionID != clientSessionID)
        return;
    const PendingCloudLease lease = *m_pendingCloudLease;
    m_pendingCloudLease.reset();
    scheduleCloudLeaseCleanup(lease, leaseID);
}

void AppStore::scheduleCloudLeaseCleanup(const PendingCloudLease& lease,
                                         const std::optional<QString>& leaseID) {
    std::shared_ptr<QCoro::Task<>> previous = m_cloudStopTask;
    m_cloudStopID = QUuid::createUuid();
    m_cloudStopTask =
        std::make_shared<QCoro::Task<>>(runCloudLeaseCleanup(previous, lease, leaseID));
}

QCoro::Task<> AppStore::runCloudLeaseCleanup(std::shared_ptr<QCoro::Task<>> previous,
                                             PendingCloudLease lease,
                                             std::optional<QString> leaseID) {
    // The store is needed only for the final message; the service is held, so the lease is
    // still closed on the service when the store goes away meanwhile.
    QPointer<AppStore> self(this);
    const std::shared_ptr<AnswerSource> answers = m_answers;
    UptimeClock* clock = m_clock;
    co_await nextEventLoopTurn();
    if (previous)
        co_await *previous;
    bool failedTwice = false;
    for (int attempt = 1; attempt <= cleanupAttempts; ++attempt) {
        std::optional<AnswerServiceError> error;
        bool startFailed = false;
        try {
            if (!leaseID) {
                startFailed = true;
                const CloudSessionLease started = co_await answers->startCloudSession(
                    lease.baseURL, lease.token, lease.clientSessionID, {});
                leaseID = started.sessionId;
                startFailed = false;
            }
            co_await answers->stopCloudSession(lease.baseURL, lease.token, *leaseID, {});
            co_return;
        } catch (const AnswerServiceError& e) {
            error = e;
        } catch (const std::exception&) {
            error = AnswerServiceError(AnswerServiceError::Case::networkFailure);
        }
        using Case = AnswerServiceError::Case;
        if (error->errorCase() == Case::sessionExpired ||
            (startFailed && error->errorCase() == Case::sessionConflict))
            co_return;
        if (attempt == cleanupAttempts) {
            failedTwice = true;
            break;
        }
        try {
            co_await clock->sleep(cleanupRetrySeconds, {});
        } catch (const std::exception&) {
        }
    }
    if (failedTwice && self && m_cloudConfigurationID == lease.configuration)
        assign(*this, m_cloudAccountError, std::optional<QString>(cleanupFailedMessage),
               &AppStore::cloudAccountErrorChanged);
}

QCoro::Task<> AppStore::waitForCloudLeaseCleanup() {
    QPointer<AppStore> self(this);
    while (self && m_cloudStopTask) {
        const QUuid id = m_cloudStopID;
        const std::shared_ptr<QCoro::Task<>> task = m_cloudStopTask;
        co_await *task;
        if (self && m_cloudStopID == id)
            m_cloudStopTask.reset();
    }
}

} // namespace corvel
