#include "core/WorkspaceStorage.h"

#include "core/JsonCoding.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

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
    FileRead read = readFile(path);
    LoadResult result;
    if (read.state == FileState::unreadable) {
        result.unreadable = true;
        result.keptAsidePath = keepAside(path);
    }
    result.workspace = std::move(read.workspace);
    return result;
}

void WorkspaceStorage::save(const SavedWorkspace& workspace,
                            const std::optional<QString>& directory) {
    const QString path = fileURL(directory);
    makeDirectory(QFileInfo(path).absolutePath());

    const QByteArray bytes = encode(workspace);
    try {
        decode(bytes);
    } catch (const JsonDecodingError& error) {
        throw WorkspaceError(QStringLiteral("The workspace could not be encoded (%1).")
                                 .arg(QString::fromStdString(error.what())));
    }

    // Whatever made the file unusable since it was loaded, its bytes are kept, never replaced.
    if (readFile(path).state == FileState::unreadable && keepAside(path).isEmpty())
        throw WorkspaceError(
            QStringLiteral("The existing file %1 could not be read and was not replaced.")
                .arg(path));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw WorkspaceError(
            QStringLiteral("Could not write %1: %2").arg(path, file.errorString()));
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw WorkspaceError(
            QStringLiteral("Could not write %1: %2").arg(path, file.errorString()));
    if (!QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner))
        throw WorkspaceError(QStringLiteral("Could not restrict the permissions of %1.").arg(path));
}

QByteArray WorkspaceStorage::encode(const SavedWorkspace& workspace) {
    return json::encode(workspace.toJson());
}

SavedWorkspace WorkspaceStorage::decode(const QByteArray& bytes) {
    return SavedWorkspace::fromJson(json::decodeObject(bytes));
}

} // namespace corvel
