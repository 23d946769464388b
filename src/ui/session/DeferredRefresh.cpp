#include "ui/session/DeferredRefresh.h"

#include <QMetaObject>

namespace corvel {

DeferredRefresh::DeferredRefresh(std::function<void()> refresh, QObject* parent)
    : QObject(parent), m_refresh(std::move(refresh)) {}

void DeferredRefresh::request() {
    if (m_pending)
        return;
    m_pending = true;
    QMetaObject::invokeMethod(this, &DeferredRefresh::flush, Qt::QueuedConnection);
}

void DeferredRefresh::flush() {
    if (!m_pending)
        return;
    m_pending = false;
    m_refresh();
}

} // namespace corvel
