#pragma once

#include "platform/Cancellation.h"

#include <QByteArrayView>
#include <QString>

#include <exception>
#include <optional>
#include <stdexcept>

namespace corvel {

// The one failure of answer generation, the connection check and the cloud calls; its message
// is shown to the user as it is.
class AnswerServiceError final : public std::runtime_error {
public:
    enum class Case {
        rejectedRequest,
        missingAPIKey,
        invalidAPIKey,
        emptyQuestion,
        invalidModel,
        unauthorized,
        quotaExceeded,
        rateLimited,
        modelUnavailable,
        serverUnavailable,
        invalidStream,
        interruptedStream,
        incompleteAnswer,
        refused,
        timedOut,
        offline,
        networkFailure,
        cloudNotConfigured,
        signInRequired,
        googleAccountRequired,
        sessionConflict,
        sessionExpired,
        answerInProgress,
        invalidContext,
        cloudUnavailable,
    };

    AnswerServiceError(Case errorCase); // NOLINT: a case converts to its error
    static AnswerServiceError rejectedRequest(int status);

    Case errorCase() const { return m_case; }
    // The HTTP status of rejectedRequest, else 0.
    int status() const { return m_status; }
    QString errorDescription() const;

    bool operator==(const AnswerServiceError& other) const {
        return m_case == other.m_case && m_status == other.m_status;
    }

    // Service error codes of both routes, streamed or in an HTTP error body.
    static AnswerServiceError errorFor(const std::optional<QString>& code);
    // The "code" string at {"error": {"code": ...}}, if the body has that shape.
    static std::optional<QString> serviceErrorCode(QByteArrayView body);

private:
    AnswerServiceError(Case errorCase, int status);
    Case m_case;
    int m_status = 0;
};

} // namespace corvel
