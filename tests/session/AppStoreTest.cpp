#include "StoreHarness.h"

#include "core/JsonCoding.h"
#include "core/KeychainVault.h"
#include "core/WorkspaceStorage.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QSignalSpy>

#include <atomic>
#include <thread>

#include <gtest/gtest.h>

using namespace corvel;
using test::StoreHarness;

namespace {

InterviewRecord record(const QString& role, bool demo = false) {
    InterviewRecord r;
    r.role = role;
    r.company = QStringLiteral("Acme");
    r.isDemo = demo;
    r.date = QDateTime(QDate(2024, 3, 7), QTime(10, 0), Qt::UTC);
    return r;
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(AppStore, BuildsItsStateFromTheSavedWorkspace) {
    StoreHarness h;
    SavedWorkspace saved;
    saved.context.role = QStringLiteral("Example role");
    saved.context.isExample = true;
    saved.history = {record(QStringLiteral("First")), record(QStringLiteral("Demo"), true),
                     record(QStringLiteral("Second"))};
    saved.style = AnswerStyle::star;
    saved.audioSource = AudioSource::microphone;
    saved.model = QStringLiteral("gpt-4.1");
    saved.overlayOpacity = 0.2;
    saved.automaticAnswers = false;
    WorkspaceStorage::save(saved, h.folder.path());

    h.makeStore(std::nullopt, true);
    const AppStore& store = *h.store;
    EXPECT_EQ(store.context(), InterviewContext{});
    ASSERT_EQ(store.history().size(), 2u);
    EXPECT_EQ(store.history()[0].role, QStringLiteral("First"));
    EXPECT_EQ(store.history()[1].role, QStringLiteral("Second"));
    EXPECT_EQ(store.style(), AnswerStyle::adaptive) << "styles before version 3 are not kept";
    EXPECT_EQ(store.audioSource(), AudioSource::microphone);
    EXPECT_EQ(store.model(), QStringLiteral("gpt-4.1"));
    EXPECT_DOUBLE_EQ(store.overlayOpacity(), 0.35);
    EXPECT_FALSE(store.automaticAnswers());
    EXPECT_FALSE(store.message());

    saved.configurationVersion = 3;
    saved.overlayOpacity = 1.0;
    WorkspaceStorage::save(saved, h.folder.path());
    h.makeStore(std::nullopt, true);
    EXPECT_EQ(h.store->style(), AnswerStyle::star);
    EXPECT_DOUBLE_EQ(h.store->overlayOpacity(), 0.98);
}

TEST(AppStore, UnreadableWorkspaceStartsEmptyAndTellsWhereTheFileWent) {
    StoreHarness h;
    QFile file(WorkspaceStorage::fileURL(h.folder.path()));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{\"context\": broken");
    file.close();

    h.makeStore(std::nullopt, true);
    ASSERT_TRUE(h.store->message());
    const QStringList aside =
        QDir(h.folder.path()).entryList({QStringLiteral("workspace.unreadable-*.json")});
    ASSERT_EQ(aside.size(), 1);
    EXPECT_TRUE(h.store->message()->contains(aside.first()));
    EXPECT_TRUE(h.store->history().empty());
}

TEST(AppStore, AutosaveWritesOnce600msAfterTheLastEdit) {
    StoreHarness h;
    const QString path = WorkspaceStorage::fileURL(h.folder.path());
    h.clock.advance(1);
    h.settle();
    h.store->waitForSaves();
    EXPECT_FALSE(QFile::exists(path)) << "construction itself does not save";

    for (const char* role : {"A", "AB", "ABC"}) {
        InterviewContext context = h.store->context();
        context.role = QString::fromLatin1(role);
        h.store->setContext(context);
        h.clock.advance(0.5);
        h.settle();
    }
    h.store->waitForSaves();
    EXPECT_FALSE(QFile::exists(path));
    h.clock.advance(0.1);
    h.settle();
    h.store->waitForSaves();
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_EQ(WorkspaceStorage::load(h.folder.path()).workspace->context.role,
              QStringLiteral("ABC"));
}

TEST(AppStore, KeyIsReadOnlyWhenTheBuildAllowsItSavedTrimmedAndRemoved) {
    StoreHarness h(std::nullopt);
    h.keyring.items.insert({KeychainVault::service, KeychainVault::account}, "sk-stored");
    h.makeStore(std::nullopt, false);
    EXPECT_FALSE(h.store->hasAPIKey());
    h.makeStore(std::nullopt, true);
    EXPECT_TRUE(h.store->hasAPIKey());
    h.keyring.failWith = SecretStore::interactionNotAllowed;
    h.makeStore(std::nullopt, true);
    EXPECT_FALSE(h.store->hasAPIKey());
    ASSERT_TRUE(h.store->message());
    EXPECT_TRUE(h.store->message()->contains(QStringLiteral("-25308")));
    h.keyring.failWith.reset();
    h.keyring.items.clear();
    h.makeStore(std::nullopt, true);

    EXPECT_FALSE(h.store->saveKey(QStringLiteral("   ")));
    EXPECT_EQ(h.store->message(), QStringLiteral("Add an API key before saving it."));
    EXPECT_FALSE(h.store->saveKey(QStringLiteral("sk-a b")));
    EXPECT_EQ(h.store->message(),
              QStringLiteral("The API key contains spaces or invalid characters."));
    // Invisible format characters, as a copied key can carry them: every answer would refuse it.
    for (const char16_t invisible : {u'\u200B', u'\uFEFF', u'\u00AD', u'\u200E'}) {
        h.store->setMessage(std::nullopt);
        EXPECT_FALSE(
            h.store->saveKey(QStringLiteral("sk-") + QChar(invisible) + QStringLiteral("good")))
            << int(invisible);
        EXPECT_EQ(h.store->message(),
                  QStringLiteral("The API key contains spaces or invalid characters."));
    }
    EXPECT_FALSE(h.store->hasAPIKey());
    EXPECT_TRUE(h.keyring.items.isEmpty());

    EXPECT_TRUE(h.store->saveKey(QStringLiteral("  sk-good\n")));
    EXPECT_TRUE(h.store->hasAPIKey());
    EXPECT_EQ(h.store->message(), QStringLiteral("API key saved in your keyring."));
    EXPECT_EQ(h.keyring.items.value({KeychainVault::service, KeychainVault::account}), "sk-good");

    h.keyring.failWith = SecretStore::interactionNotAllowed;
    EXPECT_FALSE(h.store->saveKey(QStringLiteral("sk-other")));
    h.store->removeKey();
    EXPECT_TRUE(h.store->hasAPIKey()) << "a keyring failure keeps the key";
    h.keyring.failWith.reset();

    h.store->removeKey();
    EXPECT_FALSE(h.store->hasAPIKey());
    h.store->removeKey(); // nothing stored: still fine
    EXPECT_FALSE(h.store->hasAPIKey());
}

TEST(AppStore, ConnectionCheckResultsApplyOnlyToTheCurrentCheck) {
    StoreHarness h;
    using Route = test::FakeAnswerSource::Route;
    // The first check is answered late, after a model change made it stale.
    h.answers.enqueue(Route::verify, {.seconds = 1, .ignoresCancellation = true});
    h.answers.enqueue(Route::verify, {.failure = AnswerServiceError::Case::invalidAPIKey});
    h.store->checkConnection();
    EXPECT_TRUE(h.store->isCheckingConnection());
    h.settle();
    h.store->setModel(QStringLiteral("gpt-4.1"));
    EXPECT_FALSE(h.store->isCheckingConnection());
    h.store->checkConnection();
    h.settle();
    h.clock.advance(1);
    h.settle();
    EXPECT_FALSE(h.store->isCheckingConnection());
    EXPECT_FALSE(h.store->connectionVerified());
    EXPECT_EQ(h.store->message(),
              AnswerServiceError(AnswerServiceError::Case::invalidAPIKey).errorDescription());

    h.answers.enqueue(Route::verify, {});
    h.store->checkConnection();
    h.settle();
    EXPECT_TRUE(h.store->connectionVerified());
    EXPECT_EQ(h.store->message(), QStringLiteral("OpenAI connection verified."));
    EXPECT_EQ(h.answers.calls().back().credential, QStringLiteral("sk-test"));
    EXPECT_EQ(h.answers.calls().back().model, QStringLiteral("gpt-4.1"));

    h.store->setModel(QStringLiteral("gpt-4.1"));
    EXPECT_TRUE(h.store->connectionVerified()) << "the same model keeps the verification";
}

TEST(AppStore, ExportsRecordsExactlyAndDeletesThem) {
    StoreHarness h;
    InterviewRecord r = record(QStringLiteral("Lead"));
    r.date = QDateTime(QDate(2024, 3, 8), QTime(4, 30), Qt::UTC); // 23:30 on the 7th at UTC−5
    AnswerEntry first;
    first.question = QStringLiteral("Why us?");
    first.answer = QStringLiteral("Because of the platform work.");
    AnswerEntry second;
    second.question = QStringLiteral("Biggest failure?");
    second.answer = QStringLiteral("A migration.\nWe rolled back.");
    r.entries = {first, second};

    EXPECT_EQ(AppStore::exportFileName(r), QStringLiteral("Interview-2024-03-08.txt"));
    const QString dated = AppStore::exportText(r).section(QLatin1Char('\n'), 2, 2);
    const QString expected =
        QStringLiteral("Corvel Interview\nLead · Acme\n") + dated +
        QStringLiteral("\n\nQUESTION\nWhy us?\n\nSUGGESTED ANSWER\nBecause of the platform "
                       "work.\n\n────────\n\nQUESTION\nBiggest failure?\n\nSUGGESTED ANSWER\nA "
                       "migration.\nWe rolled back.");
    EXPECT_EQ(AppStore::exportText(r), expected);
    EXPECT_TRUE(dated.startsWith(QStringLiteral("Mar "))) << dated.toStdString();

    h.dialogs.exportPath = QDir(h.folder.path()).filePath(QStringLiteral("out.txt"));
    h.store->exportRecord(r);
    EXPECT_EQ(h.dialogs.suggested, QStringLiteral("Interview-2024-03-08.txt"));
    EXPECT_EQ(readFile(*h.dialogs.exportPath), expected.toUtf8());

    h.dialogs.exportPath = QStringLiteral("/nonexistent-folder/out.txt");
    h.store->exportRecord(r);
    QSaveFile failing(*h.dialogs.exportPath);
    failing.open(QIODevice::WriteOnly);
    EXPECT_EQ(h.store->message(), failing.errorString()); // with no prefix

    // Deleting the shown record clears the selection; deleting another keeps it.
    SavedWorkspace saved;
    saved.history = {record(QStringLiteral("One")), record(QStringLiteral("Two"))};
    WorkspaceStorage::save(saved, h.folder.path());
    h.makeStore(QStringLiteral("sk-test"), true);
    const InterviewRecord one = h.store->history()[0];
    const InterviewRecord two = h.store->history()[1];
    h.store->setSelectedRecord(two);
    h.store->deleteRecord(one.id);
    EXPECT_TRUE(h.store->selectedRecord());
    h.store->deleteRecord(two.id);
    EXPECT_FALSE(h.store->selectedRecord());
    EXPECT_TRUE(h.store->history().empty());
    h.store->waitForSaves();
    EXPECT_TRUE(WorkspaceStorage::load(h.folder.path()).workspace->history.empty());
}

TEST(AppStore, ImportsAResumeOrKeepsTheOldOne) {
    StoreHarness h;
    const QString path = QDir(h.folder.path()).filePath(QStringLiteral("cv.md"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("# Ana\r\nTen years of C++\r\n");
    file.close();

    h.dialogs.resume = path;
    h.store->importResume();
    EXPECT_EQ(h.store->context().resume, QStringLiteral("# Ana\nTen years of C++"));
    EXPECT_EQ(h.store->context().resumeFilename, QStringLiteral("cv.md"));
    EXPECT_FALSE(h.store->message());

    h.store->importResume(QDir(h.folder.path()).filePath(QStringLiteral("missing.docx")));
    EXPECT_TRUE(h.store->message());
    EXPECT_EQ(h.store->context().resumeFilename, QStringLiteral("cv.md"));
}

// Saving happens off the store's thread. A quit waits for the save on the disk, then the latest
// state is saved after it; a failure still reaches the message, on the store's thread.
TEST(AppStore, SavesOffTheThreadKeepTheLatestStateAndReportFailures) {
    StoreHarness h;
    std::atomic<int> writes = 0;
    std::atomic<bool> slow = true;
    std::atomic<bool> fail = false;
    h.writeWorkspace = [&](const QByteArray& bytes, const QString& path,
                           const std::optional<FileStamp>& expected) {
        // A disk that takes its time with the first write.
        if (writes++ == 0)
            while (slow)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (fail)
            throw WorkspaceError(QStringLiteral("Could not write here: No space left on device"));
        return WorkspaceStorage::write(bytes, path, expected);
    };
    h.makeStore(QStringLiteral("sk-test"), true);
    for (const char* role : {"Typed before the save", "Typed during the save", "Typed last"}) {
        InterviewContext context;
        context.role = QString::fromUtf8(role);
        h.store->setContext(context);
        h.store->save();
        ASSERT_TRUE(QTest::qWaitFor([&] { return writes > 0; }, 5000));
    }
    slow = false;
    h.store->waitForSaves();
    EXPECT_EQ(writes, 2) << "the middle save gave way to the last";
    EXPECT_EQ(WorkspaceStorage::load(h.folder.path()).workspace->context.role,
              QStringLiteral("Typed last"));

    fail = true;
    QSignalSpy messages(h.store.get(), &AppStore::messageChanged);
    h.store->save();
    EXPECT_FALSE(h.store->message()) << "nothing is reported before the writer has tried";
    ASSERT_TRUE(messages.wait(5000));
    EXPECT_EQ(h.store->message(),
              QStringLiteral("Saving failed: Could not write here: No space left on device"));
}

// Deleting from a long history keeps the others, in order, in the store and on disk.
TEST(AppStore, DeletingFromALongHistoryKeepsTheRestInOrder) {
    StoreHarness h;
    SavedWorkspace saved;
    for (int i = 0; i < 200; ++i)
        saved.history.push_back(record(QStringLiteral("Role %1").arg(i)));
    WorkspaceStorage::save(saved, h.folder.path());
    h.makeStore(QStringLiteral("sk-test"), true);
    for (const int index : {150, 0, 197, 42}) {
        h.store->deleteRecord(saved.history[size_t(index)].id);
        saved.history.erase(saved.history.begin() + index);
    }
    const auto roles = [](const std::vector<InterviewRecord>& records) {
        QStringList list;
        for (const InterviewRecord& r : records)
            list.append(r.role);
        return list;
    };
    EXPECT_EQ(roles(h.store->history()), roles(saved.history));
    h.store->waitForSaves();
    EXPECT_EQ(roles(WorkspaceStorage::load(h.folder.path()).workspace->history),
              roles(saved.history));
}
