#pragma once

#include "listening/MacPermissionKind.h"
#include "listening/MacPermissionProvider.h"
#include "listening/MacPermissionStatus.h"
#include "platform/Cancellation.h"
#include "platform/TaskSlot.h"

#include <QCoroTask>
#include <QObject>
#include <QUuid>

#include <memory>
#include <optional>

namespace corvel {

// The permissions listening needs, as the guided setup and the permission panel show them. One
// request at a time; statuses change only through refresh().
class MacPermissionStore final : public QObject {
    Q_OBJECT
    Q_PROPERTY(corvel::MacPermissionStatus speech READ speech NOTIFY speechChanged)
    Q_PROPERTY(corvel::MacPermissionStatus callAudio READ callAudio NOTIFY callAudioChanged)
    Q_PROPERTY(corvel::MacPermissionStatus microphone READ microphone NOTIFY microphoneChanged)
    Q_PROPERTY(std::optional<corvel::MacPermissionKind> requesting READ requesting NOTIFY
                   requestingChanged)

public:
    // A null provider selects the system's. With autoObserve the statuses are read again each
    // time the application becomes active (in a GUI application).
    explicit MacPermissionStore(std::shared_ptr<MacPermissionProvider> provider = nullptr,
                                bool autoRefresh = true, bool autoObserve = true,
                                QObject* parent = nullptr);
    ~MacPermissionStore() override;

    MacPermissionStatus speech() const { return m_speech; }
    MacPermissionStatus callAudio() const { return m_callAudio; }
    MacPermissionStatus microphone() const { return m_microphone; }
    std::optional<MacPermissionKind> requesting() const { return m_requesting; }
    bool callReady() const;
    MacPermissionStatus status(MacPermissionKind kind) const;
    MacPermissionProvider& provider() const { return *m_provider; }

    void refresh();
    void request(MacPermissionKind kind);
    void cancelRequest();

Q_SIGNALS:
    void speechChanged();
    void callAudioChanged();
    void microphoneChanged();
    void requestingChanged();

private:
    QCoro::Task<> runRequest(MacPermissionKind kind, QUuid generation, CancelToken token);
    void setStatus(MacPermissionKind kind, MacPermissionStatus status);
    void setRequesting(std::optional<MacPermissionKind> kind);

    MacPermissionStatus m_speech = MacPermissionStatus::needsAccess;
    MacPermissionStatus m_callAudio = MacPermissionStatus::needsAccess;
    MacPermissionStatus m_microphone = MacPermissionStatus::needsAccess;
    std::optional<MacPermissionKind> m_requesting;
    std::shared_ptr<MacPermissionProvider> m_provider;
    bool m_requestRunning = false;
    // Its id is the request's generation.
    TaskSlot m_request;
};

} // namespace corvel
