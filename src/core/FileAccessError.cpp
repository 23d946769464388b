#include "core/FileAccessError.h"

#include <QFileInfo>

namespace corvel {

FileAccessError::FileAccessError(const QString& path, const QString& reason)
    : std::runtime_error(QStringLiteral("The file “%1” couldn’t be read: %2.")
                             .arg(QFileInfo(path).fileName(), reason)
                             .toStdString()) {}

} // namespace corvel
