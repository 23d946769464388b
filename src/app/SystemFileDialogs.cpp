#include "app/SystemFileDialogs.h"

#include <QDir>
#include <QFileDialog>

namespace corvel {

std::optional<QString> SystemFileDialogs::chooseResume() {
    const QString path =
        QFileDialog::getOpenFileName(nullptr, QStringLiteral("Add your resume"), QDir::homePath(),
                                     QStringLiteral("Resumes (*.pdf *.txt *.md *.markdown *.rtf)"));
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> SystemFileDialogs::chooseExportFile(const QString& suggestedName) {
    const QString path =
        QFileDialog::getSaveFileName(nullptr, QString(), QDir::home().filePath(suggestedName),
                                     QStringLiteral("Plain text (*.txt)"));
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

} // namespace corvel
