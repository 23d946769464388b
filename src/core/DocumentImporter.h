#pragma once

#include <QString>

namespace corvel {

// Reads the text of a resume file: a PDF with a text layer, plain text, Markdown or RTF.
class DocumentImporter final {
public:
    static constexpr qint64 maximumFileSize = 10'000'000;
    static constexpr qsizetype maximumCharacters = 50'000;

    // The cleaned text, never partial. Throws DocumentImportError, or FileAccessError when the
    // system refuses the file's attributes, or the bytes of a text or RTF file.
    static QString extractText(const QString& filePath);
};

} // namespace corvel
