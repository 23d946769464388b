#include "core/WorkspaceWriter.h"

#include "core/JsonCoding.h"

#include <QMetaObject>

namespace corvel {

WorkspaceWriter::WorkspaceWriter(QString path, std::optional<FileStamp> loaded, Write write,
                                 QObject* parent)
    : QObject(parent), m_path(std::move(path)),
      m_write(write ? std::move(write) : Write(&WorkspaceStorage::write)),
      m_stamp(std::move(loaded)), m_thread([this] { run(); }) {}

WorkspaceWriter::~WorkspaceWriter() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void WorkspaceWriter::submit(WorkspaceSnapshot snapshot) {
    {
        std::lock_guard lock(m_mutex);
        m_pending = std::move(snapshot);
    }
    m_wake.notify_one();
}

void WorkspaceWriter::finish() {
    {
        std::unique_lock lock(m_mutex);
        m_idle.wait(lock, [this] { return !m_pending && !m_busy; });
    }
    deliver();
}

void WorkspaceWriter::deliver() {
    std::vector<QString> failures;
    {
        std::lock_guard lock(m_mutex);
        failures.swap(m_failures);
    }
    for (const QString& message : failures)
        Q_EMIT failed(message);
}

void WorkspaceWriter::run() {
    for (;;) {
        std::optional<WorkspaceSnapshot> snapshot;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_pending || m_stopping; });
            if (!m_pending)
                return;
            snapshot.swap(m_pending);
            m_busy = true;
        }
        std::optional<QString> failure;
        try {
            m_stamp = m_write(encode(*snapshot), m_path, m_stamp);
        } catch (const WorkspaceError& error) {
            failure = error.message();
        } catch (const std::exception& error) {
            failure = QString::fromUtf8(error.what());
        }
        {
            std::lock_guard lock(m_mutex);
            m_busy = false;
            if (failure)
                m_failures.push_back(*failure);
        }
        m_idle.notify_all();
        if (failure)
            QMetaObject::invokeMethod(this, &WorkspaceWriter::deliver, Qt::QueuedConnection);
    }
}

QByteArray WorkspaceWriter::encode(const WorkspaceSnapshot& snapshot) {
    // Keys are sorted, so the history sits between the other fields: they are encoded around an
    // empty list and the records' bytes go in between, exactly as one encoding would place them.
    SavedWorkspace rest = snapshot.workspace;
    rest.history.clear();
    const QByteArray outside = WorkspaceStorage::encode(rest);
    WorkspaceStorage::checkEncoded([&] { WorkspaceStorage::decode(outside); });
    // A quote inside a string is always escaped, so this can only be the key itself.
    const qsizetype split =
        outside.indexOf("\"history\":[]") + qsizetype(sizeof("\"history\":[") - 1);

    std::unordered_map<const InterviewRecord*, CachedRecord> records;
    qsizetype size = outside.size();
    for (const auto& record : snapshot.history) {
        if (records.contains(record.get()))
            continue;
        const auto cached = m_records.find(record.get());
        if (cached != m_records.end()) {
            records.emplace(record.get(), cached->second);
        } else {
            QByteArray bytes = json::encode(record->toJson());
            WorkspaceStorage::checkEncoded(
                [&] { InterviewRecord::fromJson(json::decodeObject(bytes)); });
            records.emplace(record.get(), CachedRecord{record, std::move(bytes)});
        }
    }
    for (const auto& record : snapshot.history)
        size += records.at(record.get()).bytes.size() + 1;

    QByteArray bytes;
    bytes.reserve(size);
    bytes.append(outside.constData(), split);
    for (size_t i = 0; i < snapshot.history.size(); ++i) {
        if (i > 0)
            bytes.append(',');
        bytes.append(records.at(snapshot.history[i].get()).bytes);
    }
    bytes.append(outside.constData() + split, outside.size() - split);
    // Only what this workspace holds stays cached: a deleted interview's bytes go with it.
    m_records = std::move(records);
    return bytes;
}

} // namespace corvel
