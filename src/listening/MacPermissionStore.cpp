#include "listening/MacPermissionStore.h"

#include "listening/SystemMacPermissionProvider.h"
#include "platform/PropertyAssign.h"
#include "platform/UptimeClock.h"

#include <QGuiApplication>
#include <QPointer>

namespace corvel {

MacPermissionStore::MacPermissionStore(std::shared_ptr<MacPermissionProvider> provider,
                                       bool autoRefresh, bool autoObserve, QObject* parent)
    : QObject(parent),
      m_provider(provider ? std::move(provider) : std::make_shared<SystemMacPermissionProvider>()) {
    if (autoRefresh)
        refresh();
    auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (autoObserve && application) {
        connect(application, &QGuiApplication::applicationStateChanged, this,
                [this](Qt::ApplicationState state) {
                    if (state == Qt::ApplicationActive)
                        QMetaObject::invokeMethod(this, &MacPermissionStore::refresh,
                                                  Qt::QueuedConnection);
                });
    }
}

MacPermissionStore::~MacPermissionStore() = default;

bool MacPermissionStore::callReady() const {
    return m_speech == MacPermissionStatus::allowed && m_callAudio == MacPermissionStatus::allowed;
}

MacPermissionStatus MacPermissionStore::status(MacPermissionKind kind) const {
    switch (kind) {
    case MacPermissionKind::speech:
        return m_speech;
    case MacPermissionKind::callAudio:
        return m_callAudio;
    case MacPermissionKind::microphone:
        return m_microphone;
    }
    return MacPermissionStatus::needsAccess;
}

void MacPermissionStore::refresh() {
    for (const auto kind : allMacPermissionKinds())
        setStatus(kind, m_provider->status(kind));
}

void MacPermissionStore::request(MacPermissionKind kind) {
    if (m_requestRunning)
        return;
    refresh();
    if (status(kind) != MacPermissionStatus::needsAccess)
        return;
    m_request.cancel();
    setRequesting(kind);
    m_requestRunning = true;
    runRequest(kind, m_request.id(), m_request.start());
}

QCoro::Task<> MacPermissionStore::runRequest(MacPermissionKind kind, QUuid generation,
                                             CancelToken token) {
    QPointer self(this);
    auto provider = m_provider;
    co_await nextEventLoopTurn();
    if (!self)
        co_return;
    try {
        co_await provider->request(kind, token);
    } catch (...) {
        // Whatever the prompt did, the refresh below tells the truth.
    }
    if (!self)
        co_return;
    m_requestRunning = false;
    if (!m_request.isCurrent(generation))
        co_return;
    refresh();
    setRequesting(std::nullopt);
}

void MacPermissionStore::cancelRequest() {
    m_request.cancel();
    setRequesting(std::nullopt);
    refresh();
}

void MacPermissionStore::setStatus(MacPermissionKind kind, MacPermissionStatus status) {
    auto [field,
          changed] = [&]() -> std::pair<MacPermissionStatus*, void (MacPermissionStore::*)()> {
        switch (kind) {
        case MacPermissionKind::speech:
            return {&m_speech, &MacPermissionStore::speechChanged};
        case MacPermissionKind::callAudio:
            return {&m_callAudio, &MacPermissionStore::callAudioChanged};
        case MacPermissionKind::microphone:
            break;
        }
        return {&m_microphone, &MacPermissionStore::microphoneChanged};
    }();
    assign(*this, *field, status, changed);
}

void MacPermissionStore::setRequesting(std::optional<MacPermissionKind> kind) {
    assign(*this, m_requesting, kind, &MacPermissionStore::requestingChanged);
}

} // namespace corvel
