// Moving data between the user's files and the workspace: résumé import, export, deletion.
#include "session/AppStore.h"

#include "core/DateText.h"
#include "core/DocumentImportError.h"
#include "core/DocumentImporter.h"
#include "core/FileAccessError.h"
#include "session/FileDialogs.h"

#include <QFileInfo>
#include <QSaveFile>

namespace corvel {

void AppStore::importResume() {
    if (!m_fileDialogs)
        return;
    if (const auto path = m_fileDialogs->chooseResume())
        importResume(*path);
}

void AppStore::importResume(const QString& path) {
    QString text;
    try {
        text = DocumentImporter::extractText(path);
    } catch (const DocumentImportError& error) {
        setMessage(error.message());
        return;
    } catch (const FileAccessError& error) {
        setMessage(error.message());
        return;
    }
    InterviewContext context = m_context;
    context.resume = text;
    context.resumeFilename = QFileInfo(path).fileName();
    context.isExample = false;
    setContext(context);
    save();
    setMessage(std::nullopt);
}

QString AppStore::exportFileName(const InterviewRecord& record) {
    return QStringLiteral("Interview-") +
           record.date.toUTC().toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".txt");
}

QString AppStore::exportText(const InterviewRecord& record) {
    QString text = QStringLiteral("Corvel Interview\n") + record.role + QStringLiteral(" · ") +
                   record.company + QLatin1Char('\n') + abbreviatedDateTime(record.date) +
                   QStringLiteral("\n\n");
    QStringList blocks;
    for (const AnswerEntry& entry : record.entries)
        blocks.append(QStringLiteral("QUESTION\n") + entry.question +
                      QStringLiteral("\n\nSUGGESTED ANSWER\n") + entry.answer);
    return text + blocks.join(QStringLiteral("\n\n────────\n\n"));
}

void AppStore::exportRecord(const InterviewRecord& record) {
    if (!m_fileDialogs)
        return;
    const auto path = m_fileDialogs->chooseExportFile(exportFileName(record));
    if (!path)
        return;
    QSaveFile file(*path);
    const QByteArray bytes = exportText(record).toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        setMessage(file.errorString()); // the error's own description, as the system gives it
}

void AppStore::deleteRecord(const QUuid& id) {
    const auto removed =
        std::erase_if(m_history, [&](const InterviewRecord& r) { return r.id == id; });
    if (removed > 0)
        Q_EMIT historyChanged();
    if (m_selectedRecord && m_selectedRecord->id == id)
        setSelectedRecord(std::nullopt);
    save();
}

} // namespace corvel
