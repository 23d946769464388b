#include "core/WorkspaceStorage.h"

#include "core/JsonCoding.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvel {

namespace {

enum class FileState { missing, readable, unreadable };

struct FileRead {
    FileState state = FileState::missing;
    std::optional<SavedWorkspace> workspace;
};

FileRead readFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return {};
    if (!info.isFile() || info.size() > WorkspaceStorage::maximumFileSize)
        return {FileState::unreadable, std::nullopt};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {FileState::unreadable, std::nullopt};
    // Bounded even if the file grew after it was examined.
    const QByteArray bytes = file.read(WorkspaceStorage::maximumFileSize + 1);
    if (bytes.size() > WorkspaceStorage::maximumFileSize || file.error() != QFile::NoError)
        return {FileState::unreadable, std::nullopt};
    try {
        return {FileState::readable, WorkspaceStorage::decode(bytes)};
    } catch (const JsonDecodingError&) {
        return {FileState::unreadable, std::nullopt};
    }
}

// Renames the file to "workspace.unreadable-<UTC time>[-n].json"; returns the new path or empty.
QString keepAside(const QString& path) {
    const QFileInfo info(path);
    const QString stamp =
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString stem = info.dir().filePath(QStringLiteral("workspace.unreadable-") + stamp);
    for (int n = 1; n < 1000; ++n) {
        const QString candidate =
            stem + (n == 1 ? QString() : QStringLiteral("-%1").arg(n)) + QStringLiteral(".json");
        if (QFileInfo::exists(candidate) || QFileInfo(candidate).isSymLink())
            continue;
        if (QFile::rename(path, candidate) || QDir().rename(path, candidate))
            return candidate;
        return {};
    }
    return {};
}

// The system's reason for the last failure: errno when the call left one, since QSaveFile
// forgets its own reason ("Unknown error") once the write has failed.
QString reasonFor(int code, const QFileDevice& file) {
    return code != 0 ? QString::fromLocal8Bit(std::strerror(code)) : file.errorString();
}

void throwWriteError(const QString& path, const QString& reason) {
    throw WorkspaceError(QStringLiteral("Could not write %1: %2").arg(path, reason));
}

// A crash between QSaveFile's temporary file and its rename leaves "workspace.json.XXXXXX"
// (six letters) beside the file. Nothing else of ours matches; the kept-aside files never do.
void removeStrayTemporaryFiles(const QString& path) {
    static const QRegularExpression temporaryName(
        QStringLiteral("^workspace\\.json\\.[A-Za-z]{6}$"));
    const QFileInfo info(path);
    const QDir folder = info.dir();
    const QString prefix = info.fileName() + QLatin1Char('.');
    for (const QFileInfo& entry :
         folder.entryInfoList({prefix + QStringLiteral("*")}, QDir::Files | QDir::Hidden)) {
        if (!entry.isSymLink() && temporaryName.match(entry.fileName()).hasMatch())
            QFile::remove(entry.filePath());
    }
}

// Makes the rename itself durable; some file systems cannot sync a folder and say so (EINVAL).
void syncFolder(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 || (::fsync(fd) != 0 && errno != EINVAL)) {
        const int code = errno;
        if (fd >= 0)
            ::close(fd);
        throw WorkspaceError(QStringLiteral("Could not finish saving in %1: %2")
                                 .arg(folder, QString::fromLocal8Bit(std::strerror(code))));
    }
    ::close(fd);
}

void makeDirectory(const QString& path) {
    if (QFileInfo(path).isDir())
        return;
    makeDirectory(QFileInfo(path).absolutePath());
    if (!QDir().mkdir(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner) &&
        !QFileInfo(path).isDir())
        throw WorkspaceError(QStringLiteral("Could not create the folder %1.").arg(path));
}

} // namespace

QString WorkspaceStorage::fileURL(const std::optional<QString>& directory) {
    if (directory)
        return QDir(*directory).filePath(QStringLiteral("workspace.json"));
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(data).filePath(QStringLiteral("Tessaroy/workspace.json"));
}

WorkspaceStorage::LoadResult WorkspaceStorage::load(const std::optional<QString>& directory) {
    const QString path = fileURL(directory);
    removeStrayTemporaryFiles(path);
    // Taken before the read: a change during the read then shows as a different version.
    const std::optional<FileStamp> stamp = stampOf(path);
    FileRead read = readFile(path);
    LoadResult result;
    if (read.state == FileState::readable)
        result.stamp = stamp;
    if (read.state == FileState::unreadable) {
        result.unreadable = true;
        result.keptAsidePath = keepAside(path);
    }
    result.workspace = std::move(read.workspace);
    return result;
}

void WorkspaceStorage::save(const SavedWorkspace& workspace,
                            const std::optional<QString>& directory) {
    const QByteArray bytes = encode(workspace);
    checkEncoded([&] { decode(bytes); });
    write(bytes, fileURL(directory), std::nullopt);
}

void WorkspaceStorage::checkEncoded(const std::function<void()>& decode) {
    try {
        decode();
    } catch (const JsonDecodingError& error) {
        throw WorkspaceError(QStringLiteral("The workspace could not be encoded (%1).")
                                 .arg(QString::fromStdString(error.what())));
    }
}

std::optional<FileStamp> WorkspaceStorage::stampOf(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    return FileStamp{quint64(st.st_dev), quint64(st.st_ino), qint64(st.st_size),
                     qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
}

std::optional<FileStamp> WorkspaceStorage::write(const QByteArray& bytes, const QString& path,
                                                 const std::optional<FileStamp>& expected) {
    makeDirectory(QFileInfo(path).absolutePath());
    if (bytes.size() > maximumFileSize)
        throw WorkspaceError(
            QStringLiteral("Your interviews no longer fit in the workspace file (%1 MB, the limit "
                           "is 25 MB), so this change was not saved and your last saved copy was "
                           "kept. Export or delete old interviews in History, then try again.")
                .arg(double(bytes.size()) / 1e6, 0, 'f', 1));

    // Whatever made the file unusable since it was loaded, its bytes are kept, never replaced.
    const std::optional<FileStamp> current = stampOf(path);
    if (current && current != expected && readFile(path).state == FileState::unreadable &&
        keepAside(path).isEmpty())
        throw WorkspaceError(
            QStringLiteral("The existing file %1 could not be read and was not replaced.")
                .arg(path));

    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        throwWriteError(path, reasonFor(errno, file));
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    writeAll(file, bytes, path);
    errno = 0;
    if (!file.commit())
        throwWriteError(path, reasonFor(errno, file));
    syncFolder(QFileInfo(path).absolutePath());
    if (!QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner))
        throw WorkspaceError(QStringLiteral("Could not restrict the permissions of %1.").arg(path));
    return stampOf(path);
}

void WorkspaceStorage::writeAll(QFileDevice& file, const QByteArray& bytes, const QString& path) {
    // QSaveFile commits even after a failed buffered write, so every byte is flushed and synced
    // (a full disk may only show at the sync) before the commit can be reached.
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush() ||
        (file.handle() >= 0 && ::fsync(file.handle()) != 0 && errno != EINVAL)) {
        const QString reason = reasonFor(errno, file);
        if (auto* saveFile = qobject_cast<QSaveFile*>(&file))
            saveFile->cancelWriting();
        throwWriteError(path, reason);
    }
}

QByteArray WorkspaceStorage::encode(const SavedWorkspace& workspace) {
    return json::encode(workspace.toJson());
}

SavedWorkspace WorkspaceStorage::decode(const QByteArray& bytes) {
    return SavedWorkspace::fromJson(json::decodeObject(bytes));
}

} // namespace corvel
