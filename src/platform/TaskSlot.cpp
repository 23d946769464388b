#include "platform/TaskSlot.h"

namespace corvel {

TaskSlot::~TaskSlot() {
    if (m_source)
        m_source->cancel();
}

CancelToken TaskSlot::start() {
    if (m_source)
        m_source->cancel();
    m_source.emplace();
    return m_source->token();
}

void TaskSlot::cancel() {
    m_id = QUuid::createUuid();
    if (m_source)
        m_source->cancel();
    m_source.reset();
}

} // namespace corvel
