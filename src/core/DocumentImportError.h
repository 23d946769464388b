#pragma once

#include <QString>

#include <stdexcept>

namespace corvel {

// Why a resume file could not be imported; the message is shown to the user as it stands.
class DocumentImportError final : public std::runtime_error {
public:
    enum Kind { unsupportedFormat, tooLarge, unreadable, noText, tooMuchText };

    explicit DocumentImportError(Kind kind);
    Kind kind() const { return m_kind; }
    QString message() const;
    static QString message(Kind kind);

    bool operator==(const DocumentImportError& other) const { return m_kind == other.m_kind; }

private:
    Kind m_kind;
};

} // namespace corvel
