#include "app/SystemFileDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>

#include <utility>

#include <gtest/gtest.h>

using namespace corvel;

namespace {

// Answers the next modal file dialog as a user would: types `name` in `folder` and confirms.
void typeIntoNextDialog(const QString& folder, const QString& name) {
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        dialog->setDirectory(folder);
        dialog->selectFile(name);
        static_cast<QDialog*>(dialog)->accept(); // public on QDialog, the file dialog's own
    });
}

} // namespace

TEST(SystemFileDialogs, AnExportNameTypedWithoutASuffixBecomesATextFile) {
    QTemporaryDir folder;
    SystemFileDialogs dialogs;
    // A name without a suffix gets ".txt"; a suffix the user typed is kept.
    for (const auto& [typed, saved] : {std::pair{"notes", "notes.txt"}, {"notes.md", "notes.md"}}) {
        typeIntoNextDialog(folder.path(), QString::fromLatin1(typed));
        EXPECT_EQ(dialogs.chooseExportFile(QStringLiteral("Interview-2024-03-07.txt")),
                  QDir(folder.path()).filePath(QString::fromLatin1(saved)));
    }
}
