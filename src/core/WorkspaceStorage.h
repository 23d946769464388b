#pragma once

#include "core/SavedWorkspace.h"

#include <QFileDevice>
#include <QString>

#include <functional>
#include <optional>
#include <stdexcept>

namespace corvel {

// A save that could not be completed; the message names what failed.
class WorkspaceError final : public std::runtime_error {
public:
    explicit WorkspaceError(const QString& what) : std::runtime_error(what.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};

// What identifies one version of the file on disk: any write, ours or another program's,
// changes it.
struct FileStamp {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modified = 0; // nanoseconds
    bool operator==(const FileStamp&) const = default;
};

// Reads and writes workspace.json, synchronously, on the calling thread.
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
        // The version of the file that was read, when it was.
        std::optional<FileStamp> stamp;
    };

    // "workspace.json" in `directory`, or in the folder "Tessaroy" of the user's data folder.
    static QString fileURL(const std::optional<QString>& directory = std::nullopt);
    static LoadResult load(const std::optional<QString>& directory = std::nullopt);
    // Throws WorkspaceError. Refuses to write a value that loading would reject, the size limit
    // included, and keeps the previous file whenever the write fails.
    static void save(const SavedWorkspace& workspace,
                     const std::optional<QString>& directory = std::nullopt);

    // Writes encoded bytes to `path` (see save) and returns the new file's stamp. The existing file
    // is read to make sure it is not an unreadable one only when it differs from `expected`, the
    // version this program last read or wrote: nothing else can have made that one unreadable.
    static std::optional<FileStamp> write(const QByteArray& bytes, const QString& path,
                                          const std::optional<FileStamp>& expected);
    static std::optional<FileStamp> stampOf(const QString& path);

    // Writes, flushes and syncs every byte; throws WorkspaceError naming the system's reason.
    static void writeAll(QFileDevice& file, const QByteArray& bytes, const QString& path);

    static QByteArray encode(const SavedWorkspace& workspace);
    // Runs `decode` over freshly encoded bytes; turns its JsonDecodingError into a WorkspaceError,
    // so a value that loading would reject is never written.
    static void checkEncoded(const std::function<void()>& decode);
    // Throws JsonDecodingError.
    static SavedWorkspace decode(const QByteArray& bytes);
};

} // namespace corvel
