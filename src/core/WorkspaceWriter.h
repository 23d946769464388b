#pragma once

#include "core/SavedWorkspace.h"
#include "core/WorkspaceStorage.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <unordered_map>
#include <vector>

namespace corvel {

// One workspace to save, immutable once handed over. The past interviews are shared with the
// store rather than copied: they never change after they are recorded.
struct WorkspaceSnapshot {
    SavedWorkspace workspace; // its history is ignored: the records below take its place
    std::vector<std::shared_ptr<const InterviewRecord>> history;
};

// Saves workspaces on one background thread, so that encoding, checking and the disk never hold
// up the thread that owns it. Saves happen in the order they were asked for; a newer workspace
// replaces one that has not started yet, since it would only be overwritten. The bytes are those
// of WorkspaceStorage::save; each past interview is encoded and checked once, then kept.
class WorkspaceWriter final : public QObject {
    Q_OBJECT

public:
    // Writes encoded bytes as WorkspaceStorage::write does; tests slow it down or fail it.
    using Write = std::function<std::optional<FileStamp>(
        const QByteArray& bytes, const QString& path, const std::optional<FileStamp>& expected)>;

    // `loaded` is the version of the file the owner read at start, if any.
    WorkspaceWriter(QString path, std::optional<FileStamp> loaded, Write write = {},
                    QObject* parent = nullptr);
    // Finishes every save asked for; their failures are no longer reported.
    ~WorkspaceWriter() override;

    void submit(WorkspaceSnapshot snapshot);
    // Blocks until every save asked for so far is on disk or failed, and reports the failures.
    void finish();

Q_SIGNALS:
    // On the owner's thread, with the reason WorkspaceStorage gives.
    void failed(const QString& message);

private:
    struct CachedRecord {
        std::shared_ptr<const InterviewRecord> record;
        QByteArray bytes;
    };

    void run();
    QByteArray encode(const WorkspaceSnapshot& snapshot);
    void deliver();

    const QString m_path;
    const Write m_write;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::optional<WorkspaceSnapshot> m_pending;
    bool m_busy = false;
    bool m_stopping = false;
    std::vector<QString> m_failures;

    // The writing thread's own.
    std::optional<FileStamp> m_stamp;
    std::unordered_map<const InterviewRecord*, CachedRecord> m_records;

    std::thread m_thread;
};

} // namespace corvel
