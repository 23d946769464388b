#pragma once

#include "platform/Cancellation.h"

#include <QCoroTask>
#include <QString>
#include <QUrl>

namespace corvel {

// Shows a sign-in page in a browser and waits for the page to return to the app.
class GoogleAuthBrowser {
public:
    virtual ~GoogleAuthBrowser() = default;
    // The callback URL as received, for the caller to check. Ends any running operation first.
    // Throws CancellationError when `token` is already cancelled, else GoogleAuthError:
    // cancelled, browserUnavailable, or connection when no callback comes in time.
    virtual QCoro::Task<QString> authenticate(QUrl url, QString callbackScheme,
                                              CancelToken token) = 0;
    // Ends the running operation, whose authenticate then fails with cancelled.
    virtual void cancel() = 0;
};

} // namespace corvel
