#include "core/WorkspaceWriter.h"
#include "support/Files.h"

#include <QCoreApplication>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace corvel;
using namespace Qt::StringLiterals;

namespace {

std::shared_ptr<const InterviewRecord> record(int n, int entries = 2) {
    InterviewRecord r;
    r.date = QDateTime(QDate(2026, 3, 1), QTime(10, 0), Qt::UTC).addDays(-n);
    r.role = u"Role %1 / \"lead\""_s.arg(n);
    r.duration = 600 + n;
    for (int e = 0; e < entries; ++e) {
        AnswerEntry entry;
        entry.question = u"Question %1?"_s.arg(e);
        entry.answer = QString(300, QChar(u'a' + e)) + u" 😀 /"_s;
        r.entries.push_back(entry);
    }
    return std::make_shared<const InterviewRecord>(r);
}

WorkspaceSnapshot snapshotOf(std::vector<std::shared_ptr<const InterviewRecord>> history) {
    WorkspaceSnapshot snapshot;
    snapshot.workspace.context.notes = u"history\":[] inside a string"_s;
    snapshot.workspace.model = u"gpt-4.1-mini"_s;
    snapshot.history = std::move(history);
    return snapshot;
}

// What one encoding of the whole workspace gives.
QByteArray wholeEncoding(const WorkspaceSnapshot& snapshot) {
    SavedWorkspace workspace = snapshot.workspace;
    for (const auto& r : snapshot.history)
        workspace.history.push_back(*r);
    return WorkspaceStorage::encode(workspace);
}

} // namespace

// The bytes are those of one whole encoding whatever was cached before: after a first save, a
// save of the same records, a deletion, an added interview and a changed preparation; the
// destructor too finishes what was asked for.
TEST(WorkspaceWriter, WritesTheBytesOfOneWholeEncodingAcrossCachedSaves) {
    QTemporaryDir dir;
    const QString path = WorkspaceStorage::fileURL(dir.path());
    std::vector<std::shared_ptr<const InterviewRecord>> history = {record(1), record(2), record(3)};
    std::vector<WorkspaceSnapshot> snapshots = {snapshotOf(history), snapshotOf(history)};
    history.erase(history.begin() + 1);
    snapshots.push_back(snapshotOf(history));
    history.insert(history.begin(), record(4, 0));
    snapshots.push_back(snapshotOf(history));
    snapshots.push_back(snapshotOf(history));
    snapshots.back().workspace.context.notes = u"changed"_s;
    snapshots.push_back(snapshotOf({}));
    {
        WorkspaceWriter writer(path, std::nullopt);
        for (const WorkspaceSnapshot& snapshot : snapshots) {
            writer.submit(snapshot);
            writer.finish();
            EXPECT_EQ(test::readFile(path), wholeEncoding(snapshot));
        }
        writer.submit(snapshots.front());
    }
    EXPECT_EQ(test::readFile(path), wholeEncoding(snapshots.front()));
}

// A value that loading would refuse is never written, and the refusal is reported once.
TEST(WorkspaceWriter, AWorkspaceThatCouldNotBeLoadedIsRefusedWithItsReason) {
    QTemporaryDir dir;
    WorkspaceSnapshot broken = snapshotOf({record(1)});
    broken.workspace.overlayOpacity = std::numeric_limits<double>::quiet_NaN();
    WorkspaceWriter writer(WorkspaceStorage::fileURL(dir.path()), std::nullopt);
    QSignalSpy refused(&writer, &WorkspaceWriter::failed);
    writer.submit(broken);
    writer.finish();
    ASSERT_EQ(refused.size(), 1);
    EXPECT_TRUE(refused.at(0).at(0).toString().startsWith(u"The workspace could not be encoded"_s));
    EXPECT_FALSE(QFile::exists(WorkspaceStorage::fileURL(dir.path())));
    QCoreApplication::processEvents();
    EXPECT_EQ(refused.size(), 1);
}

// The file is read again before it is replaced only when it is not the version last read or
// written here; then an unreadable one is still kept aside.
TEST(WorkspaceWriter, AFileChangedByAnotherProgramIsCheckedBeforeItIsReplaced) {
    QTemporaryDir dir;
    const QString path = WorkspaceStorage::fileURL(dir.path());
    WorkspaceStorage::save(SavedWorkspace{}, dir.path());
    WorkspaceWriter writer(path, WorkspaceStorage::load(dir.path()).stamp);
    writer.submit(snapshotOf({record(1)}));
    writer.finish();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);

    test::writeFile(path, "broken by hand");
    const WorkspaceSnapshot latest = snapshotOf({record(2)});
    writer.submit(latest);
    writer.finish();
    const QStringList aside = QDir(dir.path()).entryList({u"workspace.unreadable-*.json"_s});
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(test::readFile(QDir(dir.path()).filePath(aside.first())), "broken by hand");
    EXPECT_EQ(test::readFile(path), wholeEncoding(latest));
}
