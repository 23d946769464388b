#include "core/WorkspaceWriter.h"
#include "support/Files.h"

#include <QCoreApplication>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

using namespace corvel;
using namespace Qt::StringLiterals;

namespace {

std::shared_ptr<const InterviewRecord> record(int n, int entries = 2) {
    InterviewRecord r;
    r.date = QDateTime(QDate(2026, 3, 1), QTime(10, 0), Qt::UTC).addDays(-n);
    r.role = u"Role %1 / \"lead\""_s.arg(n);
    r.company = u"Company é %1"_s.arg(n);
    r.duration = 600 + n;
    for (int e = 0; e < entries; ++e) {
        AnswerEntry entry;
        entry.question = u"Question %1?"_s.arg(e);
        entry.answer = QString(300, QChar(u'a' + e)) + u" 😀 /"_s;
        entry.firstTokenMilliseconds = e == 0 ? std::optional<qint64>(410) : std::nullopt;
        r.entries.push_back(entry);
    }
    return std::make_shared<const InterviewRecord>(r);
}

WorkspaceSnapshot snapshotOf(std::vector<std::shared_ptr<const InterviewRecord>> history) {
    WorkspaceSnapshot snapshot;
    snapshot.workspace.context.role = u"Engineer / SRE"_s;
    snapshot.workspace.context.notes = u"history\":[] inside a string"_s;
    snapshot.workspace.model = u"gpt-4.1-mini"_s;
    snapshot.workspace.overlayOpacity = 0.84;
    snapshot.workspace.configurationVersion = 3;
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

// A file system whose writes wait until the test lets them go, and that remembers what it got.
struct SlowDisk {
    WorkspaceWriter::Write write() {
        return [this](const QByteArray& bytes, const QString& path,
                      const std::optional<FileStamp>& expected) {
            std::unique_lock lock(mutex);
            ++started;
            changed.notify_all();
            changed.wait(lock, [this] { return released > 0 || open; });
            if (!open)
                --released;
            lock.unlock();
            if (fail)
                throw WorkspaceError(u"the disk is on fire"_s);
            const auto stamp = WorkspaceStorage::write(bytes, path, expected);
            lock.lock();
            written.push_back(bytes);
            return stamp;
        };
    }
    void waitForStart(int count) {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return started >= count; });
    }
    void release(int count = 1) {
        std::lock_guard lock(mutex);
        released += count;
        changed.notify_all();
    }
    void openUp() {
        std::lock_guard lock(mutex);
        open = true;
        changed.notify_all();
    }

    std::mutex mutex;
    std::condition_variable changed;
    int started = 0;
    int released = 0;
    bool open = false;
    std::atomic<bool> fail = false;
    std::vector<QByteArray> written;
};

} // namespace

// The bytes are those of one whole encoding whatever was cached before: after a first save, a
// save of the same records, a deletion, an added interview and a changed preparation.
TEST(WorkspaceWriter, WritesTheBytesOfOneWholeEncodingAcrossCachedSaves) {
    QTemporaryDir dir;
    const QString path = WorkspaceStorage::fileURL(dir.path());
    SlowDisk disk;
    disk.openUp();
    WorkspaceWriter writer(path, std::nullopt, disk.write());
    std::vector<std::shared_ptr<const InterviewRecord>> history = {record(1), record(2), record(3)};
    std::vector<WorkspaceSnapshot> snapshots;
    snapshots.push_back(snapshotOf(history));
    snapshots.push_back(snapshotOf(history));
    history.erase(history.begin() + 1);
    snapshots.push_back(snapshotOf(history));
    history.insert(history.begin(), record(4, 0));
    snapshots.push_back(snapshotOf(history));
    snapshots.push_back(snapshotOf(history));
    snapshots.back().workspace.context.notes = u"changed"_s;
    snapshots.push_back(snapshotOf({}));
    for (const WorkspaceSnapshot& snapshot : snapshots) {
        writer.submit(snapshot);
        writer.finish();
        EXPECT_EQ(test::readFile(path), wholeEncoding(snapshot));
    }
    EXPECT_EQ(disk.written.size(), snapshots.size());
}

// Saves run in order on the writer's thread; while one is on the disk, later ones wait, and
// only the newest of them is written. Finishing waits for both.
TEST(WorkspaceWriter, ASlowSaveIsFollowedByTheNewestOnly) {
    QTemporaryDir dir;
    const QString path = WorkspaceStorage::fileURL(dir.path());
    SlowDisk disk;
    WorkspaceWriter writer(path, std::nullopt, disk.write());
    WorkspaceSnapshot first = snapshotOf({record(1)});
    writer.submit(first);
    disk.waitForStart(1);
    WorkspaceSnapshot second = snapshotOf({record(2)});
    WorkspaceSnapshot third = snapshotOf({record(3)});
    writer.submit(second);
    writer.submit(third);
    disk.release(2);
    writer.finish();
    ASSERT_EQ(disk.written.size(), 2u);
    EXPECT_EQ(disk.written[0], wholeEncoding(first));
    EXPECT_EQ(disk.written[1], wholeEncoding(third));
    EXPECT_EQ(test::readFile(path), wholeEncoding(third));

    // The destructor too finishes what was asked for.
    QTemporaryDir other;
    {
        WorkspaceWriter last(WorkspaceStorage::fileURL(other.path()), std::nullopt);
        last.submit(second);
    }
    EXPECT_EQ(test::readFile(WorkspaceStorage::fileURL(other.path())), wholeEncoding(second));
}

// A failure comes back as a signal on the owner's thread, never from submit itself; the real
// storage's refusals keep their own words.
TEST(WorkspaceWriter, FailuresComeBackOnTheOwnersThreadWithTheirReason) {
    QTemporaryDir dir;
    SlowDisk disk;
    disk.openUp();
    disk.fail = true;
    WorkspaceWriter writer(WorkspaceStorage::fileURL(dir.path()), std::nullopt, disk.write());
    QSignalSpy failed(&writer, &WorkspaceWriter::failed);
    writer.submit(snapshotOf({record(1)}));
    EXPECT_TRUE(failed.wait(5000));
    ASSERT_EQ(failed.size(), 1);
    EXPECT_EQ(failed.at(0).at(0).toString(), u"the disk is on fire"_s);

    // A value that loading would refuse is never written.
    WorkspaceSnapshot broken = snapshotOf({record(1)});
    broken.workspace.overlayOpacity = std::numeric_limits<double>::quiet_NaN();
    const QString blocked = QDir(dir.path()).filePath(u"file"_s);
    test::writeFile(blocked, "not a folder");
    WorkspaceWriter real(WorkspaceStorage::fileURL(dir.path() + u"/real"_s), std::nullopt);
    WorkspaceWriter nowhere(WorkspaceStorage::fileURL(blocked + u"/inside"_s), std::nullopt);
    QSignalSpy refused(&real, &WorkspaceWriter::failed);
    QSignalSpy unwritable(&nowhere, &WorkspaceWriter::failed);
    real.submit(broken);
    nowhere.submit(snapshotOf({}));
    real.finish();
    nowhere.finish();
    ASSERT_EQ(refused.size(), 1);
    EXPECT_TRUE(refused.at(0).at(0).toString().startsWith(u"The workspace could not be encoded"_s));
    EXPECT_FALSE(QFile::exists(WorkspaceStorage::fileURL(dir.path() + u"/real"_s)));
    ASSERT_EQ(unwritable.size(), 1);
    EXPECT_TRUE(unwritable.at(0).at(0).toString().startsWith(u"Could not create the folder"_s));
    QCoreApplication::processEvents();
    EXPECT_EQ(refused.size(), 1) << "reported once";
}

// The file is read again before it is replaced only when it is not the version last read or
// written here; then an unreadable one is still kept aside.
TEST(WorkspaceWriter, AFileChangedByAnotherProgramIsCheckedBeforeItIsReplaced) {
    QTemporaryDir dir;
    const QString path = WorkspaceStorage::fileURL(dir.path());
    WorkspaceStorage::save(SavedWorkspace{}, dir.path());
    const auto loaded = WorkspaceStorage::load(dir.path());
    ASSERT_TRUE(loaded.stamp);
    WorkspaceWriter writer(path, loaded.stamp);
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
