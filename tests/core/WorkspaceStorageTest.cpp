#include "core/WorkspaceStorage.h"
#include "core/JsonCoding.h"
#include "core/WorkspaceWriter.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace corvel;
using namespace Qt::StringLiterals;

namespace {

SavedWorkspace fullWorkspace() {
    SavedWorkspace w;
    w.context.name = u"Ana Ruiz"_s;
    w.context.role = u"Ingénieure / Lead"_s;
    w.context.company = u"Nordlicht"_s;
    w.context.resume = u"Dix ans d’expérience.\nPython, C++"_s;
    w.context.resumeFilename = u"cv.pdf"_s;
    w.context.jobDescription = u"We build \"things\" 🚀"_s;
    w.context.notes = u"Ask about on-call"_s;
    w.context.language = u"Français"_s;
    w.context.isExample = true;
    w.style = AnswerStyle::star;
    w.audioSource = AudioSource::microphone;
    w.model = u"gpt-4.1-mini"_s;
    w.overlayOpacity = 0.84;
    w.automaticAnswers = false;
    w.configurationVersion = 3;

    InterviewRecord record;
    record.date = QDateTime(QDate(2026, 5, 4), QTime(9, 30, 15), Qt::UTC);
    record.role = u"Lead"_s;
    record.company = u"Nordlicht"_s;
    record.duration = 1834;
    AnswerEntry timed;
    timed.question = u"Pourquoi nous ?"_s;
    timed.answer = u"Parce que…"_s;
    timed.date = QDateTime(QDate(2026, 5, 4), QTime(9, 31, 0), Qt::UTC);
    timed.firstTokenMilliseconds = 412;
    timed.latency = AnswerLatencyMetrics{412, 630, 4100, 0};
    AnswerEntry untimed = timed;
    untimed.id = QUuid::createUuid();
    untimed.firstTokenMilliseconds.reset();
    untimed.latency.reset();
    record.entries = {timed, untimed};
    InterviewRecord demo = record;
    demo.id = QUuid::createUuid();
    demo.isDemo = true;
    demo.entries.clear();
    w.history = {record, demo};
    return w;
}

// A workspace with every kind of value, fixed down to its ids, for comparing saved bytes.
SavedWorkspace fixedWorkspace() {
    SavedWorkspace w = fullWorkspace();
    w.context.notes = u"Path C:\\work\\notes / \"quoted\"\ttab\u0001 control"_s;
    w.history.clear();
    for (int r = 0; r < 3; ++r) {
        InterviewRecord record;
        record.id = QUuid::fromString(u"6F9619FF-8B86-D011-B42D-00CF4FC964F%1"_s.arg(r));
        record.date = QDateTime(QDate(2025, 12, 31 - r), QTime(23, 59, 59), Qt::UTC);
        record.role = u"Rôle n°%1 / SRE"_s.arg(r);
        record.company = u"Ex\"ample & <Co>"_s;
        record.duration = 9'007'199'254'740'993LL * r; // past what a double holds exactly
        record.isDemo = r == 2;
        for (int e = 0; e < 3; ++e) {
            AnswerEntry entry;
            entry.id = QUuid::fromString(u"0E5B2A1C-7D3F-4A6B-9C8D-1F2E3D4C5B%1%2"_s.arg(r).arg(e));
            entry.question = u"Why line %1?\n😀 /slash/"_s.arg(e);
            entry.answer = QString(50 * (e + 1), u'é') + u" — done."_s;
            entry.date = record.date.addSecs(-60 * e);
            if (e != 1)
                entry.firstTokenMilliseconds = 300 + e;
            if (e == 0)
                entry.latency = AnswerLatencyMetrics{301, std::nullopt, 4100, -5};
            record.entries.push_back(entry);
        }
        w.history.push_back(record);
    }
    return w;
}

// The store's hand-over of a workspace: its interviews shared, not copied.
WorkspaceSnapshot snapshotOf(SavedWorkspace workspace) {
    WorkspaceSnapshot snapshot;
    for (const InterviewRecord& record : workspace.history)
        snapshot.history.push_back(std::make_shared<const InterviewRecord>(record));
    workspace.history.clear();
    snapshot.workspace = std::move(workspace);
    return snapshot;
}

// What one encoding of the whole workspace gives.
QByteArray wholeEncoding(const WorkspaceSnapshot& snapshot) {
    SavedWorkspace workspace = snapshot.workspace;
    for (const auto& record : snapshot.history)
        workspace.history.push_back(*record);
    return WorkspaceStorage::encode(workspace);
}

using test::readFile;
using test::writeFile;

mode_t modeOf(const QString& path) {
    struct stat st {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    return st.st_mode & 0777;
}

} // namespace

TEST(WorkspaceStorage, FullWorkspaceRoundTripsByteForByte) {
    QTemporaryDir dir;
    const SavedWorkspace original = fullWorkspace();
    WorkspaceStorage::save(original, dir.path());
    const QString path = WorkspaceStorage::fileURL(dir.path());
    EXPECT_EQ(path, QDir(dir.path()).filePath(u"workspace.json"_s));
    const QByteArray first = readFile(path);
    EXPECT_TRUE(first.contains("\"role\":\"Ing\xc3\xa9nieure \\/ Lead\""));
    EXPECT_TRUE(first.startsWith("{\"audioSource\":\"Microphone\",\"automaticAnswers\":false,"));
    EXPECT_FALSE(first.contains('\n'));

    const auto loaded = WorkspaceStorage::load(dir.path());
    ASSERT_TRUE(loaded.workspace);
    EXPECT_FALSE(loaded.unreadable);
    const SavedWorkspace& w = *loaded.workspace;
    EXPECT_EQ(w.context, original.context);
    EXPECT_EQ(w.style, AnswerStyle::star);
    EXPECT_EQ(w.audioSource, AudioSource::microphone);
    EXPECT_EQ(w.configurationVersion, 3);
    ASSERT_EQ(w.history.size(), 2u);
    EXPECT_EQ(w.history[0].id, original.history[0].id);
    EXPECT_EQ(w.history[0].date, original.history[0].date);
    ASSERT_EQ(w.history[0].entries.size(), 2u);
    EXPECT_EQ(w.history[0].entries[0].latency, (AnswerLatencyMetrics{412, 630, 4100, 0}));
    EXPECT_FALSE(w.history[0].entries[1].latency);
    EXPECT_TRUE(w.history[1].isDemo);

    WorkspaceStorage::save(w, dir.path());
    EXPECT_EQ(readFile(path), first);

    // Every enumeration value survives.
    for (AnswerStyle style : allAnswerStyles()) {
        for (AudioSource source : allAudioSources()) {
            SavedWorkspace variant = original;
            variant.style = style;
            variant.audioSource = source;
            const SavedWorkspace back = WorkspaceStorage::decode(WorkspaceStorage::encode(variant));
            EXPECT_EQ(back.style, style);
            EXPECT_EQ(back.audioSource, source);
        }
    }
}

TEST(WorkspaceStorage, MissingFileIsNotUnreadable) {
    QTemporaryDir dir;
    const auto result = WorkspaceStorage::load(dir.path());
    EXPECT_FALSE(result.workspace);
    EXPECT_FALSE(result.unreadable);
    EXPECT_TRUE(result.keptAsidePath.isEmpty());

    // Absent configurationVersion loads, and stays absent.
    QJsonObject object = fullWorkspace().toJson();
    object.remove(u"configurationVersion"_s);
    writeFile(WorkspaceStorage::fileURL(dir.path()), json::encode(object));
    const auto loaded = WorkspaceStorage::load(dir.path());
    ASSERT_TRUE(loaded.workspace);
    EXPECT_FALSE(loaded.workspace->configurationVersion);
}

TEST(WorkspaceStorage, UnreadableFilesAreKeptAsideAndNeverOverwritten) {
    const QByteArray valid = WorkspaceStorage::encode(fullWorkspace());
    QByteArray fractional = valid;
    fractional.replace("2026-05-04T09:30:15Z", "2026-05-04T09:30:15.5Z");
    QByteArray unknownStyle = valid;
    unknownStyle.replace("M\xc3\xa9thode STAR", "Adaptive");
    QByteArray oversized(WorkspaceStorage::maximumFileSize + 1, ' ');
    oversized.replace(0, valid.size(), valid); // valid JSON followed by spaces: still too large
    QByteArray exactLimit(WorkspaceStorage::maximumFileSize, 'x');

    const std::vector<std::pair<const char*, QByteArray>> cases = {
        {"empty", QByteArray()},
        {"bad JSON", QByteArray("{\"context\":")},
        {"fractional seconds", fractional},
        {"unknown style", unknownStyle},
        {"over the size limit", oversized},
        {"at the limit, not JSON", exactLimit},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        QTemporaryDir dir;
        const QString path = WorkspaceStorage::fileURL(dir.path());
        writeFile(path, bytes);

        const auto loaded = WorkspaceStorage::load(dir.path());
        EXPECT_FALSE(loaded.workspace);
        EXPECT_TRUE(loaded.unreadable);
        ASSERT_FALSE(loaded.keptAsidePath.isEmpty());
        EXPECT_EQ(readFile(loaded.keptAsidePath), bytes);

        WorkspaceStorage::save(SavedWorkspace{}, dir.path());
        EXPECT_EQ(readFile(loaded.keptAsidePath), bytes);
        EXPECT_TRUE(WorkspaceStorage::load(dir.path()).workspace);
    }
}

TEST(WorkspaceStorage, SaveKeepsAsideAFileBrokenAfterLoadAndRefusesUnloadableValues) {
    QTemporaryDir dir;
    const QString path = WorkspaceStorage::fileURL(dir.path());
    writeFile(path, "not json at all");
    WorkspaceStorage::save(fullWorkspace(), dir.path());
    const QStringList aside = QDir(dir.path()).entryList({u"workspace.unreadable-*.json"_s});
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(readFile(QDir(dir.path()).filePath(aside.first())), QByteArray("not json at all"));

    const QByteArray before = readFile(path);
    SavedWorkspace broken = fullWorkspace();
    broken.overlayOpacity = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW(WorkspaceStorage::save(broken, dir.path()), WorkspaceError);
    EXPECT_EQ(readFile(path), before);
}

TEST(WorkspaceStorage, ModesAndDefaultLocation) {
    QTemporaryDir dir;
    const auto at = [&](const char* name) {
        return QDir(dir.path()).filePath(QString::fromUtf8(name));
    };
    const QString path = WorkspaceStorage::fileURL(at("a/b"));
    WorkspaceStorage::save(SavedWorkspace{}, at("a/b"));
    EXPECT_EQ(modeOf(path), 0600u);
    EXPECT_EQ(modeOf(at("a/b")), 0700u);
    EXPECT_EQ(modeOf(at("a")), 0700u);

    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0644), 0);
    WorkspaceStorage::save(SavedWorkspace{}, at("a/b"));
    EXPECT_EQ(modeOf(path), 0600u);

    // An existing folder keeps its own mode.
    ASSERT_TRUE(QDir().mkdir(at("open")));
    ASSERT_EQ(::chmod(QFile::encodeName(at("open")).constData(), 0755), 0);
    WorkspaceStorage::save(SavedWorkspace{}, at("open"));
    EXPECT_EQ(modeOf(at("open")), 0755u);

    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.path()));
    EXPECT_EQ(WorkspaceStorage::fileURL(), at("Tessaroy/workspace.json"));
}

// Each failed save names its reason and leaves the previous file as it was.
TEST(WorkspaceStorage, RefusedOrFailedSavesKeepTheOldFileAndSayWhy) {
    QTemporaryDir dir;
    const QString path = WorkspaceStorage::fileURL(dir.path());
    const auto failure = [&](const SavedWorkspace& workspace) {
        const QByteArray before = readFile(path);
        QString reason;
        try {
            WorkspaceStorage::save(workspace, dir.path());
        } catch (const WorkspaceError& error) {
            reason = error.message();
        }
        EXPECT_EQ(readFile(path), before);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1); // no temporary file left
        return reason;
    };
    SavedWorkspace workspace = fullWorkspace();
    workspace.context.notes.clear();
    const qsizetype base = WorkspaceStorage::encode(workspace).size();
    workspace.context.notes = QString(WorkspaceStorage::maximumFileSize - base, u'n');
    WorkspaceStorage::save(workspace, dir.path());
    EXPECT_EQ(QFileInfo(path).size(), WorkspaceStorage::maximumFileSize);
    workspace.context.notes += u'n';
    EXPECT_TRUE(failure(workspace).contains(u"Export or delete old interviews"));

    // A file-size limit fails the write part-way as a filling disk does: a small value is still
    // buffered inside QSaveFile when the limit hits, a large one is written at once.
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit small{1'000, saved.rlim_max};
    for (const qsizetype size : {5'000, 100'000}) {
        workspace.context.notes = QString(size, u'n');
        setrlimit(RLIMIT_FSIZE, &small);
        const QString reason = failure(workspace);
        setrlimit(RLIMIT_FSIZE, &saved);
        EXPECT_TRUE(reason.endsWith(QString::fromLocal8Bit(std::strerror(EFBIG)))) << size;
    }
    std::signal(SIGXFSZ, handler);

    QFile full(u"/dev/full"_s);
    ASSERT_TRUE(full.open(QIODevice::WriteOnly));
    try {
        WorkspaceStorage::writeAll(full, "{}", full.fileName());
        ADD_FAILURE() << "a full device took the bytes";
    } catch (const WorkspaceError& error) {
        EXPECT_TRUE(error.message().endsWith(QString::fromLocal8Bit(std::strerror(ENOSPC))));
    }
}

TEST(WorkspaceStorage, StartRemovesOnlyStrayTemporaryFilesOfAnEarlierSave) {
    QTemporaryDir dir;
    // Ours from a crash, then a name QSaveFile never makes, the user's, and one kept aside.
    const QStringList names = {u"workspace.json.aBcDeF"_s, u"workspace.json.aBcDe1"_s,
                               u"workspace.json.bak"_s,
                               u"workspace.unreadable-20260101-000000.json"_s};
    for (const QString& name : names)
        writeFile(QDir(dir.path()).filePath(name), "kept");
    WorkspaceStorage::load(dir.path());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name), names.mid(1));
}

// The saved bytes of a fixed workspace are pinned to a file written by an earlier build: a change
// of encoder must not change a single byte of what users have on disk.
TEST(WorkspaceStorage, SavedBytesMatchTheFileOfEarlierBuilds) {
    QTemporaryDir dir;
    WorkspaceStorage::save(fixedWorkspace(), dir.path());
    const QByteArray golden = readFile(QStringLiteral(CORVEL_TEST_DATA "/workspace-golden.json"));
    EXPECT_EQ(readFile(WorkspaceStorage::fileURL(dir.path())), golden);
    EXPECT_EQ(WorkspaceStorage::encode(fixedWorkspace()), golden);
}

// The background writer's bytes are those of one whole encoding whatever it cached before: after
// a first save, a save of the same interviews, a deletion, an added interview and a changed
// preparation. Its destructor too finishes what was asked for.
TEST(WorkspaceWriter, WritesTheBytesOfOneWholeEncodingAcrossCachedSaves) {
    QTemporaryDir dir;
    const QString path = WorkspaceStorage::fileURL(dir.path());
    WorkspaceSnapshot all = snapshotOf(fixedWorkspace());
    all.workspace.context.notes = u"history\":[] inside a string"_s;
    std::vector<WorkspaceSnapshot> snapshots(6, all);
    snapshots[2].history.erase(snapshots[2].history.begin() + 1);
    snapshots[3].history.insert(snapshots[3].history.begin(),
                                snapshotOf(fullWorkspace()).history[0]);
    snapshots[4] = snapshots[3];
    snapshots[4].workspace.context.notes = u"changed"_s;
    snapshots[5].history.clear();
    {
        WorkspaceWriter writer(path, std::nullopt);
        for (const WorkspaceSnapshot& snapshot : snapshots) {
            writer.submit(snapshot);
            writer.finish();
            EXPECT_EQ(readFile(path), wholeEncoding(snapshot));
        }
        writer.submit(all);
    }
    EXPECT_EQ(readFile(path), wholeEncoding(all));
}

// A value that loading would refuse is never written, and the refusal is reported once.
TEST(WorkspaceWriter, AWorkspaceThatCouldNotBeLoadedIsRefusedWithItsReason) {
    QTemporaryDir dir;
    WorkspaceSnapshot broken = snapshotOf(fullWorkspace());
    broken.workspace.overlayOpacity = std::numeric_limits<double>::quiet_NaN();
    WorkspaceWriter writer(WorkspaceStorage::fileURL(dir.path()), std::nullopt);
    QSignalSpy refused(&writer, &WorkspaceWriter::failed);
    writer.submit(broken);
    writer.finish();
    QCoreApplication::processEvents();
    ASSERT_EQ(refused.size(), 1);
    EXPECT_TRUE(refused.at(0).at(0).toString().startsWith(u"The workspace could not be encoded"_s));
    EXPECT_FALSE(QFile::exists(WorkspaceStorage::fileURL(dir.path())));
}

// The file is read again before it is replaced only when it is not the version last read or
// written here; then an unreadable one is still kept aside.
TEST(WorkspaceWriter, AFileChangedByAnotherProgramIsCheckedBeforeItIsReplaced) {
    QTemporaryDir dir;
    const QString path = WorkspaceStorage::fileURL(dir.path());
    WorkspaceStorage::save(SavedWorkspace{}, dir.path());
    WorkspaceWriter writer(path, WorkspaceStorage::load(dir.path()).stamp);
    const WorkspaceSnapshot snapshot = snapshotOf(fullWorkspace());
    writer.submit(snapshot);
    writer.finish();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);

    writeFile(path, "broken by hand");
    writer.submit(snapshot);
    writer.finish();
    const QStringList aside = QDir(dir.path()).entryList({u"workspace.unreadable-*.json"_s});
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(readFile(QDir(dir.path()).filePath(aside.first())), "broken by hand");
    EXPECT_EQ(readFile(path), wholeEncoding(snapshot));
}
