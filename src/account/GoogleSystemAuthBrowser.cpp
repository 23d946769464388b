#include "account/GoogleSystemAuthBrowser.h"

#include "account/UrlComponents.h"
#include "platform/Wakeup.h"

#include <QDesktopServices>
#include <QPointer>
#include <QTimer>
#include <QUrlQuery>

#include <optional>

namespace corvel {

struct GoogleSystemAuthBrowser::Operation {
    QString callbackScheme;
    std::optional<QString> state; // the page's "state", when it has one
    Wakeup done;
    Result result = GoogleAuthError::cancelled;
};

namespace {

// A callback whose "state" differs from the page's comes from a tab of an operation that was
// replaced: its browser tab stays open, unlike a sheet, and can still return.
bool belongsToAnotherPage(const UrlComponents& callback, const QString& pageState) {
    const auto items = callback.queryItems();
    if (!items)
        return false;
    bool carriesState = false;
    for (const auto& item : *items) {
        if (item.name != QLatin1String("state"))
            continue;
        if (item.value == pageState)
            return false;
        carriesState = true;
    }
    return carriesState;
}

} // namespace

GoogleSystemAuthBrowser::GoogleSystemAuthBrowser(OpenUrl openUrl, UptimeClock& clock,
                                                 QObject* parent)
    : QObject(parent),
      m_openUrl(openUrl ? std::move(openUrl)
                        : OpenUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); })),
      m_clock(clock) {}

GoogleSystemAuthBrowser::~GoogleSystemAuthBrowser() {
    finish(GoogleAuthError::cancelled);
}

QCoro::Task<QString> GoogleSystemAuthBrowser::authenticate(QUrl url, QString callbackScheme,
                                                           CancelToken token) {
    cancel();
    token.throwIfCancelled();
    auto operation = std::make_shared<Operation>();
    operation->callbackScheme = callbackScheme;
    const QUrlQuery query(url);
    if (query.hasQueryItem(QStringLiteral("state")))
        operation->state = query.queryItemValue(QStringLiteral("state"), QUrl::FullyDecoded);
    m_operation = operation;

    // Cancelling the caller ends this operation only, and never from inside the canceller.
    const auto registration =
        token.onCancel([self = QPointer<GoogleSystemAuthBrowser>(this), id = m_timeout.id()] {
            if (!self)
                return;
            QTimer::singleShot(0, self.data(), [self, id] {
                if (self->m_timeout.isCurrent(id))
                    self->cancel();
            });
        });
    if (!m_openUrl(url)) {
        finish(GoogleAuthError::browserUnavailable);
    } else {
        timeOut(m_timeout.id(), m_timeout.start());
    }

    co_await operation->done;
    if (const auto* callback = std::get_if<QString>(&operation->result))
        co_return *callback;
    throw GoogleAuthError(std::get<GoogleAuthError::Case>(operation->result));
}

void GoogleSystemAuthBrowser::cancel() {
    finish(GoogleAuthError::cancelled);
}

bool GoogleSystemAuthBrowser::handleCallback(const QString& url) {
    if (!m_operation)
        return false;
    const auto callback = UrlComponents::parse(url);
    // Schemes are case-insensitive on the desktop's side; the caller compares exactly.
    if (!callback ||
        callback->scheme.compare(m_operation->callbackScheme, Qt::CaseInsensitive) != 0 ||
        (m_operation->state && belongsToAnotherPage(*callback, *m_operation->state)))
        return false;
    finish(url);
    return true;
}

QCoro::Task<> GoogleSystemAuthBrowser::timeOut(QUuid operationID, CancelToken token) {
    try {
        co_await m_clock.sleep(kTimeoutSeconds, token);
    } catch (const CancellationError&) {
        co_return;
    }
    // Every finish cancels the sleep, so an operation still waiting here is this one.
    if (m_timeout.isCurrent(operationID))
        finish(GoogleAuthError::connection);
}

void GoogleSystemAuthBrowser::finish(Result result) {
    // Ends the time-out and makes whatever the finished operation still delivers stale.
    m_timeout.cancel();
    const auto operation = std::exchange(m_operation, nullptr);
    if (!operation)
        return;
    operation->result = std::move(result);
    // The caller resumes on the next event-loop turn, never inside whoever finished it.
    operation->done.fireSoon();
}

} // namespace corvel
