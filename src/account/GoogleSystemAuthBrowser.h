#pragma once

#include "account/GoogleAuthBrowser.h"
#include "account/GoogleAuthError.h"
#include "platform/TaskSlot.h"
#include "platform/UptimeClock.h"

#include <QObject>
#include <QUuid>

#include <functional>
#include <memory>
#include <variant>

namespace corvel {

// The sign-in page opens in the user's browser. The page returns to the app through the
// desktop's handler of the callback scheme, which launches the app again; that launch hands the
// URL to this instance (SingleInstance), and the app passes it to handleCallback. A browser tab
// cannot be closed from here, so an operation ends by its callback, cancel() or the time-out.
class GoogleSystemAuthBrowser final : public QObject, public GoogleAuthBrowser {
    Q_OBJECT
public:
    using OpenUrl = std::function<bool(const QUrl&)>;
    static constexpr double kTimeoutSeconds = 180;

    // Without `openUrl`, pages open through the desktop's default browser. The time-out runs on
    // `clock`.
    explicit GoogleSystemAuthBrowser(OpenUrl openUrl = {}, UptimeClock& clock = systemUptimeClock(),
                                     QObject* parent = nullptr);
    ~GoogleSystemAuthBrowser() override;

    QCoro::Task<QString> authenticate(QUrl url, QString callbackScheme, CancelToken token) override;
    void cancel() override;

    // A URL the desktop handed to a later launch. Completes the waiting operation when the URL
    // is on its callback scheme, and returns whether it did; a late callback is dropped.
    bool handleCallback(const QString& url);

private:
    struct Operation;
    // The callback URL, or the failure.
    using Result = std::variant<QString, GoogleAuthError::Case>;
    void finish(Result result);
    QCoro::Task<> timeOut(QUuid operationID, CancelToken token);

    OpenUrl m_openUrl;
    UptimeClock& m_clock;
    // The time-out of the waiting operation; its id is that operation's.
    TaskSlot m_timeout;
    std::shared_ptr<Operation> m_operation;
};

} // namespace corvel
