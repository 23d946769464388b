#pragma once

#include <QObject>

#include <functional>

namespace corvel {

// Runs a view's refresh once, on the next event-loop turn, however many store signals ask for
// it before then. A store action announces its fields one by one, so refreshing at once would
// read a half-updated store (the session snapshots change after the signals that announce them).
class DeferredRefresh final : public QObject {
    Q_OBJECT

public:
    DeferredRefresh(std::function<void()> refresh, QObject* parent);

    void request();
    // Runs a pending refresh now.
    void flush();

private:
    std::function<void()> m_refresh;
    bool m_pending = false;
};

} // namespace corvel
