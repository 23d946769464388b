#pragma once

#include "session/AnswerSource.h"

namespace corvel {

// The store's answers from the network client. Each call hands back the service's own task, so
// nothing of this object is needed once a call has started.
class ServiceAnswerSource final : public AnswerSource {
public:
    explicit ServiceAnswerSource(AnswerService& service) : m_service(service) {}

    QCoro::Task<> verifyConnection(QString apiKey, QString model, CancelToken token) override;
    QCoro::Task<> streamAnswer(QString question, InterviewContext context, AnswerStyle style,
                               QString apiKey, QString model, DeltaHandler onDelta,
                               CancelToken token) override;
    QCoro::Task<> streamCloudAnswer(QString question, InterviewContext context, AnswerStyle style,
                                    QString sessionID, QString idToken, QUrl baseURL,
                                    DeltaHandler onDelta, CancelToken token) override;
    QCoro::Task<CloudAccountBalance> cloudAccount(QUrl baseURL, QString idToken,
                                                  CancelToken token) override;
    QCoro::Task<CloudSessionLease> startCloudSession(QUrl baseURL, QString idToken,
                                                     QUuid clientSessionID,
                                                     CancelToken token) override;
    QCoro::Task<CloudSessionLease> heartbeatCloudSession(QUrl baseURL, QString idToken,
                                                         QString sessionID,
                                                         CancelToken token) override;
    QCoro::Task<CloudSessionStop> stopCloudSession(QUrl baseURL, QString idToken, QString sessionID,
                                                   CancelToken token) override;

private:
    AnswerService& m_service;
};

} // namespace corvel
