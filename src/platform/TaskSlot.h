#pragma once

#include "platform/Cancellation.h"

#include <QUuid>

#include <optional>

namespace corvel {

// One kind of task an owner runs at most once at a time. start() cancels the task before and
// hands the new one its token; cancel() also renews the staleness id, so whatever a cancelled
// task still delivers is stale. A task copies id() at its start and asks isCurrent() after each
// co_await. Destroying the slot cancels its task, so a task suspended past its owner ends.
class TaskSlot final {
public:
    TaskSlot() = default;
    TaskSlot(const TaskSlot&) = delete;
    TaskSlot& operator=(const TaskSlot&) = delete;
    ~TaskSlot();

    [[nodiscard]] CancelToken start();
    void cancel();
    const QUuid& id() const { return m_id; }
    bool isCurrent(const QUuid& id) const { return m_id == id; }

private:
    std::optional<CancelSource> m_source;
    QUuid m_id = QUuid::createUuid();
};

} // namespace corvel
