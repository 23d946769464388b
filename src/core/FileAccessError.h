#pragma once

#include <QString>

#include <stdexcept>

namespace corvel {

// The operating system would not give a file's attributes or bytes; the message names the file
// and the system's reason.
class FileAccessError final : public std::runtime_error {
public:
    FileAccessError(const QString& path, const QString& reason);
    QString message() const { return QString::fromStdString(what()); }
};

} // namespace corvel
