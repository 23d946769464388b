#include "session/AppStore.h"

#include "core/AnswerService.h"
#include "core/AnswerServiceError.h"
#include "core/KeychainVault.h"
#include "core/WorkspaceStorage.h"
#include "listening/AudioCapture.h"
#include "platform/SecretStore.h"
#include "platform/UptimeClock.h"
#include "session/FloatingPanel.h"

#include <algorithm>
#include <limits>

namespace corvel {

namespace {
constexpr double autosaveDelaySeconds = 0.6;
constexpr qint64 configurationVersion = 3;
} // namespace

AppStore::AppStore() : AppStore(Dependencies{}) {}

AppStore::AppStore(Dependencies dependencies, QObject* parent)
    : QObject(parent), m_clock(dependencies.clock ? dependencies.clock : &systemUptimeClock()),
      m_storageDirectory(std::move(dependencies.storageDirectory)),
      m_automaticallyOpenOverlay(dependencies.automaticallyOpenOverlay),
      m_cloudHeartbeatIntervalOverride(dependencies.cloudHeartbeatIntervalOverride),
      m_makePanel(std::move(dependencies.makePanel)) {
    if (!dependencies.secretStore)
        m_ownedSecretStore = std::make_unique<SecretServiceStore>();
    m_secretStore = dependencies.secretStore ? dependencies.secretStore : m_ownedSecretStore.get();
    m_fileDialogs = dependencies.fileDialogs;
    m_answers = dependencies.answerService ? std::move(dependencies.answerService)
                                           : std::make_shared<AnswerService>();
    if (!dependencies.audio)
        m_ownedAudio =
            std::make_unique<AudioCapture>(std::nullopt, AudioCapturePlatform::system(), *m_clock);
    m_audio = dependencies.audio ? dependencies.audio : m_ownedAudio.get();

    loadWorkspace(std::move(dependencies.writeWorkspace));
    if (dependencies.apiKey)
        setKeyState(*dependencies.apiKey);
    else
        loadKey(dependencies.bundle ? *dependencies.bundle : BundleInfo::fromBuild());
    connectCapture();

    // Saves the prepared interview 600 ms after its last change; the loaded value is not a change.
    connect(this, &AppStore::contextChanged, this, &AppStore::scheduleAutosave);
}

// Tasks still suspended hold only a QPointer to the store; their slots wake them so they end.
// The writer finishes the saves asked for before it goes.
AppStore::~AppStore() = default;

void AppStore::scheduleAutosave() {
    runAutosave(m_autosave.start());
}

QCoro::Task<> AppStore::runAutosave(CancelToken cancel) {
    QPointer<AppStore> self(this);
    try {
        co_await m_clock->sleep(autosaveDelaySeconds, cancel);
    } catch (const CancellationError&) {
        co_return;
    }
    if (self)
        save();
}

void AppStore::loadWorkspace(WorkspaceWriter::Write write) {
    WorkspaceStorage::LoadResult loaded = WorkspaceStorage::load(m_storageDirectory);
    m_writer = std::make_unique<WorkspaceWriter>(WorkspaceStorage::fileURL(m_storageDirectory),
                                                 loaded.stamp, std::move(write));
    connect(m_writer.get(), &WorkspaceWriter::failed, this, [this](const QString& reason) {
        setMessage(QStringLiteral("Saving failed: ") + reason);
    });
    if (loaded.unreadable) {
        m_message = loaded.keptAsidePath.isEmpty()
                        ? QStringLiteral("Your saved workspace could not be read, so the app "
                                         "started empty. The file was left as it is: %1")
                              .arg(WorkspaceStorage::fileURL(m_storageDirectory))
                        : QStringLiteral("Your saved workspace could not be read, so the app "
                                         "started empty. It was kept as %1")
                              .arg(loaded.keptAsidePath);
    }
    if (!loaded.workspace)
        return;
    SavedWorkspace& w = *loaded.workspace;
    if (!w.context.isExample)
        m_context = w.context;
    m_history.reserve(w.history.size());
    m_savedHistory.reserve(w.history.size());
    for (InterviewRecord& record : w.history) {
        if (!record.isDemo) {
            m_savedHistory.push_back(std::make_shared<const InterviewRecord>(std::move(record)));
            m_history.push_back(*m_savedHistory.back());
        }
    }
    if (w.configurationVersion && *w.configurationVersion >= configurationVersion)
        m_style = w.style;
    m_audioSource = w.audioSource;
    setModel(w.model);
    m_overlayOpacity = std::clamp(w.overlayOpacity, 0.35, 0.98);
    m_automaticAnswers = w.automaticAnswers;
    automaticAnswersDidChange();
}

void AppStore::loadKey(const BundleInfo& bundle) {
    QString key;
    if (bundle.allowsPrivateAPIKeyFallback) {
        try {
            key = KeychainVault(*m_secretStore).read().value_or(QString());
        } catch (const KeychainVault::VaultError& error) {
            m_message = error.description();
        }
    }
    setKeyState(key);
}

void AppStore::setKeyState(const QString& key) {
    m_key = key;
    assign(*this, m_hasAPIKey, !key.isEmpty(), &AppStore::hasAPIKeyChanged);
}

void AppStore::connectCapture() {
    QPointer<AppStore> self(this);
    m_audio->setOnTranscript([self](const QString& text, bool isFinal) {
        if (self)
            self->receiveTranscript(text, isFinal);
    });
    m_audio->setOnSegmentStart([self] {
        if (self)
            self->transcriptSegmentStarted();
    });
    connect(m_audio, &AudioCapture::errorChanged, this, [this] {
        if (const auto error = m_audio->error())
            captureFailed(*error);
    });
}

QString errorMessage(const std::exception& error) {
    if (const auto* answer = dynamic_cast<const AnswerServiceError*>(&error))
        return answer->errorDescription();
    // Every other engine error carries its user-facing text as UTF-8.
    return QString::fromUtf8(error.what());
}

void AppStore::save() {
    // This write covers an autosave still waiting; it would only write the same again.
    m_autosave.cancel();
    WorkspaceSnapshot snapshot;
    SavedWorkspace& workspace = snapshot.workspace;
    workspace.context = m_context;
    workspace.style = m_style;
    workspace.audioSource = m_audioSource;
    workspace.model = m_model;
    workspace.overlayOpacity = m_overlayOpacity;
    workspace.automaticAnswers = m_automaticAnswers;
    workspace.configurationVersion = configurationVersion;
    snapshot.history = m_savedHistory;
    m_writer->submit(std::move(snapshot));
}

void AppStore::waitForSaves() {
    m_writer->finish();
}

void AppStore::setSection(AppSection value) {
    assign(*this, m_section, value, &AppStore::sectionChanged);
}

void AppStore::setPreparationStep(PreparationStep value) {
    assign(*this, m_preparationStep, value, &AppStore::preparationStepChanged);
}

void AppStore::setContext(const InterviewContext& value) {
    assign(*this, m_context, value, &AppStore::contextChanged);
}

void AppStore::setStyle(AnswerStyle value) {
    assign(*this, m_style, value, &AppStore::styleChanged);
}

void AppStore::setAudioSource(AudioSource value) {
    assign(*this, m_audioSource, value, &AppStore::audioSourceChanged);
}

void AppStore::setModel(const QString& value) {
    if (value == m_model)
        return;
    m_model = value;
    Q_EMIT modelChanged();
    resetConnectionVerification();
}

void AppStore::setOverlayOpacity(double value) {
    assign(*this, m_overlayOpacity, value, &AppStore::overlayOpacityChanged);
}

void AppStore::setAutomaticAnswers(bool value) {
    m_automaticAnswers = value;
    Q_EMIT automaticAnswersChanged();
    automaticAnswersDidChange();
}

void AppStore::automaticAnswersDidChange() {
    if (m_automaticAnswers)
        return;
    cancelDebounce();
    m_pendingAutomaticQuestions.clear();
    resynchronizeQuestionTurns();
}

void AppStore::resynchronizeQuestionTurns() {
    m_intake.takeAll(m_currentQuestion, m_clock->now());
}

void AppStore::setMessage(const std::optional<QString>& value) {
    // Every message is announced, even a repeat, so the banner shows it again.
    m_message = value;
    Q_EMIT messageChanged();
}

void AppStore::setQuestionDraft(const QString& value) {
    m_questionDraftTyped = !value.trimmed().isEmpty();
    assign(*this, m_questionDraft, value, &AppStore::questionDraftChanged);
}

void AppStore::setShowOverlay(bool value) {
    assign(*this, m_showOverlay, value, &AppStore::showOverlayChanged);
}

void AppStore::setSelectedRecord(const std::optional<InterviewRecord>& value) {
    assign(*this, m_selectedRecord, value, &AppStore::selectedRecordChanged);
}

} // namespace corvel
