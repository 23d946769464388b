#pragma once

#include "core/SavedWorkspace.h"

#include <QFileDevice>
#include <QString>

#include <optional>
#include <stdexcept>

namespace corvel {

// A save that could not be completed; the message names what failed.
class WorkspaceError final : public std::runtime_error {
public:
    explicit WorkspaceError(const QString& what) : std::runtime_error(what.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};

// Reads and writes workspace.json, synchronously, on the main thread.
// A file that exists but cannot be used is never overwritten: it is renamed aside first, so the
// user can recover it.
class WorkspaceStorage final {
public:
    static constexpr qint64 maximumFileSize = 25'000'000;

    struct LoadResult {
        std::optional<SavedWorkspace> workspace;
        // Where an unreadable file was moved; empty when there was none or it could not be moved.
        QString keptAsidePath;
        bool unreadable = false;
    };

    // "workspace.json" in `directory`, or in the folder "Tessaroy" of the user's data folder.
    static QString fileURL(const std::optional<QString>& directory = std::nullopt);
    static LoadResult load(const std::optional<QString>& directory = std::nullopt);
    // Throws WorkspaceError. Refuses to write a value that loading would reject, the size limit
    // included, and keeps the previous file whenever the write fails.
    static void save(const SavedWorkspace& workspace,
                     const std::optional<QString>& directory = std::nullopt);

    // Writes, flushes and syncs every byte; throws WorkspaceError naming the system's reason.
    static void writeAll(QFileDevice& file, const QByteArray& bytes, const QString& path);

    static QByteArray encode(const SavedWorkspace& workspace);
    // Throws JsonDecodingError.
    static SavedWorkspace decode(const QByteArray& bytes);
};

} // namespace corvel
