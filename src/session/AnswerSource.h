#pragma once

#include "core/AnswerService.h"
#include "core/CloudSessionStop.h"

namespace corvel {

// Where the store's answers, connection checks and cloud session calls go: the AnswerService in
// the application, a script in the store's tests. Every operation throws AnswerServiceError, or
// CancellationError once its token is cancelled.
class AnswerSource {
public:
    using DeltaHandler = AnswerService::DeltaHandler;

    virtual ~AnswerSource() = default;
    virtual QCoro::Task<> verifyConnection(QString apiKey, QString model, CancelToken token) = 0;
    virtual QCoro::Task<> streamAnswer(QString question, InterviewContext context,
                                       AnswerStyle style, QString apiKey, QString model,
                                       DeltaHandler onDelta, CancelToken token) = 0;
    virtual QCoro::Task<> streamCloudAnswer(QString question, InterviewContext context,
                                            AnswerStyle style, QString sessionID, QString idToken,
                                            QUrl baseURL, DeltaHandler onDelta,
                                            CancelToken token) = 0;
    virtual QCoro::Task<CloudAccountBalance> cloudAccount(QUrl baseURL, QString idToken,
                                                          CancelToken token) = 0;
    virtual QCoro::Task<CloudSessionLease>
    startCloudSession(QUrl baseURL, QString idToken, QUuid clientSessionID, CancelToken token) = 0;
    virtual QCoro::Task<CloudSessionLease>
    heartbeatCloudSession(QUrl baseURL, QString idToken, QString sessionID, CancelToken token) = 0;
    virtual QCoro::Task<CloudSessionStop>
    stopCloudSession(QUrl baseURL, QString idToken, QString sessionID, CancelToken token) = 0;
};

} // namespace corvel
