#include "session/ServiceAnswerSource.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace corvel {

QCoro::Task<> ServiceAnswerSource::verifyConnection(QString apiKey, QString model,
                                                    CancelToken token) {
    return m_service.verifyConnection(std::move(apiKey), std::move(model), std::move(token));
}

QCoro::Task<> ServiceAnswerSource::streamAnswer(QString question, InterviewContext context,
                                                AnswerStyle style, QString apiKey, QString model,
                                                DeltaHandler onDelta, CancelToken token) {
    return m_service.streamAnswer(std::move(question), std::move(context), style, std::move(apiKey),
                                  std::move(model), std::move(onDelta), std::move(token));
}

QCoro::Task<> ServiceAnswerSource::streamCloudAnswer(QString question, InterviewContext context,
                                                     AnswerStyle style, QString sessionID,
                                                     QString idToken, QUrl baseURL,
                                                     DeltaHandler onDelta, CancelToken token) {
    return m_service.streamCloudAnswer(std::move(question), std::move(context), style,
                                       std::move(sessionID), std::move(idToken), std::move(baseURL),
                                       std::move(onDelta), std::move(token));
}

QCoro::Task<CloudAccountBalance> ServiceAnswerSource::cloudAccount(QUrl baseURL, QString idToken,
                                                                   CancelToken token) {
    return m_service.cloudAccount(std::move(baseURL), std::move(idToken), std::move(token));
}

QCoro::Task<CloudSessionLease> ServiceAnswerSource::startCloudSession(QUrl baseURL, QString idToken,
                                                                      QUuid clientSessionID,
                                                                      CancelToken token) {
    return m_service.startCloudSession(std::move(baseURL), std::move(idToken), clientSessionID,
                                       std::move(token));
}

QCoro::Task<CloudSessionLease> ServiceAnswerSource::heartbeatCloudSession(QUrl baseURL,
                                                                          QString idToken,
                                                                          QString sessionID,
                                                                          CancelToken token) {
    return m_service.heartbeatCloudSession(std::move(baseURL), std::move(idToken),
                                           std::move(sessionID), std::move(token));
}

QCoro::Task<CloudSessionStop> ServiceAnswerSource::stopCloudSession(QUrl baseURL, QString idToken,
                                                                    QString sessionID,
                                                                    CancelToken token) {
    HttpRequest request =
        m_service.cloudRequest(baseURL, QStringLiteral("sessions/stop"), idToken, token);
    request.body = QJsonDocument(QJsonObject{{QStringLiteral("sessionId"), sessionID}})
                       .toJson(QJsonDocument::Compact);
    return m_service.cloudJSON<CloudSessionStop>(std::move(request), std::move(token));
}

} // namespace corvel
