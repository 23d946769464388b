#include "core/DocumentImportError.h"

namespace corvel {

DocumentImportError::DocumentImportError(Kind kind)
    : std::runtime_error(message(kind).toStdString()), m_kind(kind) {}

QString DocumentImportError::message() const {
    return message(m_kind);
}

QString DocumentImportError::message(Kind kind) {
    switch (kind) {
    case unsupportedFormat:
        return QStringLiteral("Use a PDF with selectable text, or a TXT, Markdown or RTF file. For "
                              "a Word document, export it as a PDF or copy its text.");
    case tooLarge:
        return QStringLiteral("This document exceeds 10 MB. Export a smaller version.");
    case unreadable:
        return QStringLiteral("The document is unreadable or protected. Try exporting it as a PDF "
                              "or pasting its text.");
    case noText:
        return QStringLiteral(
            "No text was found. For a scanned document, use a version with recognized text.");
    case tooMuchText:
        return QStringLiteral("This document exceeds 50,000 characters. Import only the sections "
                              "relevant to your interview.");
    }
    return {};
}

} // namespace corvel
