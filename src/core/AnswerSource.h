#pragma once

#include "core/AnswerStyle.h"
#include "core/CloudAccountBalance.h"
#include "core/CloudSessionLease.h"
#include "core/CloudSessionStop.h"
#include "core/InterviewContext.h"
#include "platform/Cancellation.h"

#include <QCoroTask>
#include <QUrl>
#include <QUuid>

#include <functional>

namespace corvel {

// Where answers, connection checks and cloud session calls go: the AnswerService, or a script in
// the store's tests. Every operation throws AnswerServiceError, or CancellationError once its
// token is cancelled.
class AnswerSource {
public:
    // Receives each text delta, in order, before the stream reads on; the caller appends them.
    using DeltaHandler = std::function<void(const QString& delta)>;

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
