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
    QFileDialog dialog(nullptr, QString(), QDir::homePath(), QStringLiteral("Plain text (*.txt)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A name typed without a suffix still becomes a text file, and the dialog asks before it
    // replaces a file of that full name.
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.selectFile(suggestedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace corvel
