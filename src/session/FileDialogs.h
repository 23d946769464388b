#pragma once

#include <QString>

#include <optional>

namespace corvel {

// The two modal file panels the store opens. The application hands in the system's dialogs;
// tests replace them.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // "Add your resume": one PDF, text, Markdown or RTF file; none when cancelled.
    virtual std::optional<QString> chooseResume() = 0;
    // A plain-text file to save, proposing `suggestedName`; a name typed without a suffix gets
    // ".txt". None when cancelled.
    virtual std::optional<QString> chooseExportFile(const QString& suggestedName) = 0;
};

} // namespace corvel
