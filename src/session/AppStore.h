#pragma once

#include "core/AnswerCueLayout.h"
#include "core/AnswerEntry.h"
#include "core/AnswerLatencyMetrics.h"
#include "core/AnswerStyle.h"
#include "core/AnswerTimingTrace.h"
#include "core/AppSection.h"
#include "core/AudioSource.h"
#include "core/CloudAccountBalance.h"
#include "core/CloudSessionLease.h"
#include "core/InterviewContext.h"
#include "core/InterviewRecord.h"
#include "core/PreparationStep.h"
#include "core/SessionPhase.h"
#include "core/WorkspaceWriter.h"
#include "platform/BundleInfo.h"
#include "platform/Cancellation.h"
#include "platform/PropertyAssign.h"
#include "platform/TaskSlot.h"
#include "session/QuestionIntake.h"

#include <QCoroTask>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <QUuid>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace corvel {

class AnswerSource;
class AudioCapture;
class FileDialogs;
class FloatingPanel;
class KeychainVault;
class SecretStore;
class UptimeClock;

// The one store behind every screen: the prepared interview, the history, the preferences, the
// answer route and the live session. Main thread only.
class AppStore final : public QObject {
    Q_OBJECT
    Q_PROPERTY(AppSection section READ section WRITE setSection NOTIFY sectionChanged)
    Q_PROPERTY(PreparationStep preparationStep READ preparationStep WRITE setPreparationStep NOTIFY
                   preparationStepChanged)
    Q_PROPERTY(InterviewContext context READ context WRITE setContext NOTIFY contextChanged)
    Q_PROPERTY(std::vector<InterviewRecord> history READ history NOTIFY historyChanged)
    Q_PROPERTY(AnswerStyle style READ style WRITE setStyle NOTIFY styleChanged)
    Q_PROPERTY(
        AudioSource audioSource READ audioSource WRITE setAudioSource NOTIFY audioSourceChanged)
    Q_PROPERTY(QString model READ model WRITE setModel NOTIFY modelChanged)
    Q_PROPERTY(double overlayOpacity READ overlayOpacity WRITE setOverlayOpacity NOTIFY
                   overlayOpacityChanged)
    Q_PROPERTY(bool automaticAnswers READ automaticAnswers WRITE setAutomaticAnswers NOTIFY
                   automaticAnswersChanged)
    Q_PROPERTY(bool hasAPIKey READ hasAPIKey NOTIFY hasAPIKeyChanged)
    Q_PROPERTY(
        bool isCheckingConnection READ isCheckingConnection NOTIFY isCheckingConnectionChanged)
    Q_PROPERTY(bool connectionVerified READ connectionVerified NOTIFY connectionVerifiedChanged)
    Q_PROPERTY(std::optional<QString> message READ message WRITE setMessage NOTIFY messageChanged)
    Q_PROPERTY(bool isSessionActive READ isSessionActive NOTIFY isSessionActiveChanged)
    Q_PROPERTY(SessionPhase sessionPhase READ sessionPhase NOTIFY sessionPhaseChanged)
    Q_PROPERTY(bool isPaused READ isPaused NOTIFY isPausedChanged)
    Q_PROPERTY(bool isGenerating READ isGenerating NOTIFY isGeneratingChanged)
    Q_PROPERTY(QString currentQuestion READ currentQuestion NOTIFY currentQuestionChanged)
    Q_PROPERTY(QString currentAnswer READ currentAnswer NOTIFY currentAnswerChanged)
    Q_PROPERTY(
        QString questionDraft READ questionDraft WRITE setQuestionDraft NOTIFY questionDraftChanged)
    Q_PROPERTY(std::optional<qint64> firstTokenMilliseconds READ firstTokenMilliseconds NOTIFY
                   firstTokenMillisecondsChanged)
    Q_PROPERTY(std::optional<qint64> firstCueMilliseconds READ firstCueMilliseconds NOTIFY
                   firstCueMillisecondsChanged)
    Q_PROPERTY(std::optional<qint64> totalResponseMilliseconds READ totalResponseMilliseconds NOTIFY
                   totalResponseMillisecondsChanged)
    Q_PROPERTY(std::optional<AnswerLatencyMetrics> latencyMetrics READ latencyMetrics NOTIFY
                   latencyMetricsChanged)
    Q_PROPERTY(std::optional<CloudAccountBalance> cloudAccount READ cloudAccount NOTIFY
                   cloudAccountChanged)
    Q_PROPERTY(std::optional<QString> cloudAccountError READ cloudAccountError NOTIFY
                   cloudAccountErrorChanged)
    Q_PROPERTY(bool isRefreshingCloudAccount READ isRefreshingCloudAccount NOTIFY
                   isRefreshingCloudAccountChanged)
    Q_PROPERTY(bool isCloudConfigured READ isCloudConfigured NOTIFY isCloudConfiguredChanged)
    Q_PROPERTY(bool cloudSessionReady READ cloudSessionReady NOTIFY cloudSessionReadyChanged)
    Q_PROPERTY(std::optional<QDateTime> sessionStartedAt READ sessionStartedAt NOTIFY
                   sessionStartedAtChanged)
    Q_PROPERTY(
        std::vector<AnswerEntry> sessionEntries READ sessionEntries NOTIFY sessionEntriesChanged)
    Q_PROPERTY(bool showOverlay READ showOverlay WRITE setShowOverlay NOTIFY showOverlayChanged)
    Q_PROPERTY(std::optional<InterviewRecord> selectedRecord READ selectedRecord WRITE
                   setSelectedRecord NOTIFY selectedRecordChanged)
    Q_PROPERTY(bool isStarting READ isStarting NOTIFY isStartingChanged)
    Q_PROPERTY(std::optional<InterviewContext> activeSessionContext READ activeSessionContext NOTIFY
                   activeSessionContextChanged)
    Q_PROPERTY(std::optional<AudioSource> activeAudioSource READ activeAudioSource NOTIFY
                   activeAudioSourceChanged)

public:
    // Builds the floating panel over this store when it is first opened.
    using PanelFactory = std::function<std::unique_ptr<FloatingPanel>(AppStore&)>;

    // What the application leaves out is built here with the system's implementation, except the
    // widgets above the store: without a panel factory there is no panel to show, and without
    // file dialogs no file is chosen.
    struct Dependencies {
        std::optional<QString> storageDirectory;
        std::optional<QString> apiKey;
        // Shared: a lease cleanup keeps the service for as long as it runs, even past the store.
        std::shared_ptr<AnswerSource> answerService;
        AudioCapture* audio = nullptr; // not owned
        bool automaticallyOpenOverlay = false;
        std::optional<double> cloudHeartbeatIntervalOverride;
        SecretStore* secretStore = nullptr; // not owned
        FileDialogs* fileDialogs = nullptr; // not owned
        PanelFactory makePanel;
        UptimeClock* clock = nullptr; // not owned; outlives the store and its lease cleanups
        std::optional<BundleInfo> bundle;
        // How the workspace file is written, on the writer's thread; tests slow it or fail it.
        WorkspaceWriter::Write writeWorkspace;
    };

    AppStore();
    explicit AppStore(Dependencies dependencies, QObject* parent = nullptr);
    ~AppStore() override;

    // Published state.
    AppSection section() const { return m_section; }
    PreparationStep preparationStep() const { return m_preparationStep; }
    const InterviewContext& context() const { return m_context; }
    const std::vector<InterviewRecord>& history() const { return m_history; }
    AnswerStyle style() const { return m_style; }
    AudioSource audioSource() const { return m_audioSource; }
    const QString& model() const { return m_model; }
    double overlayOpacity() const { return m_overlayOpacity; }
    bool automaticAnswers() const { return m_automaticAnswers; }
    bool hasAPIKey() const { return m_hasAPIKey; }
    bool isCheckingConnection() const { return m_isCheckingConnection; }
    bool connectionVerified() const { return m_connectionVerified; }
    const std::optional<QString>& message() const { return m_message; }
    bool isSessionActive() const { return m_isSessionActive; }
    SessionPhase sessionPhase() const { return m_sessionPhase; }
    bool isPaused() const { return m_isPaused; }
    bool isGenerating() const { return m_isGenerating; }
    const QString& currentQuestion() const { return m_currentQuestion; }
    const QString& currentAnswer() const { return m_currentAnswer; }
    const QString& questionDraft() const { return m_questionDraft; }
    std::optional<qint64> firstTokenMilliseconds() const { return m_firstTokenMilliseconds; }
    std::optional<qint64> firstCueMilliseconds() const { return m_firstCueMilliseconds; }
    std::optional<qint64> totalResponseMilliseconds() const { return m_totalResponseMilliseconds; }
    const std::optional<AnswerLatencyMetrics>& latencyMetrics() const { return m_latencyMetrics; }
    const std::optional<CloudAccountBalance>& cloudAccount() const { return m_cloudAccount; }
    const std::optional<QString>& cloudAccountError() const { return m_cloudAccountError; }
    bool isRefreshingCloudAccount() const { return m_isRefreshingCloudAccount; }
    bool isCloudConfigured() const { return m_isCloudConfigured; }
    bool cloudSessionReady() const { return m_cloudSessionReady; }
    const std::optional<QDateTime>& sessionStartedAt() const { return m_sessionStartedAt; }
    const std::vector<AnswerEntry>& sessionEntries() const { return m_sessionEntries; }
    bool showOverlay() const { return m_showOverlay; }
    const std::optional<InterviewRecord>& selectedRecord() const { return m_selectedRecord; }
    bool isStarting() const { return m_isStarting; }

    // Written by the screens.
    void setSection(AppSection value);
    void setPreparationStep(PreparationStep value);
    void setContext(const InterviewContext& value);
    void setStyle(AnswerStyle value);
    void setAudioSource(AudioSource value);
    void setModel(const QString& value);
    void setOverlayOpacity(double value);
    void setAutomaticAnswers(bool value);
    void setMessage(const std::optional<QString>& value);
    // The user's own text: what is heard no longer replaces it until it is asked or cleared.
    void setQuestionDraft(const QString& value);
    void setShowOverlay(bool value);
    void setSelectedRecord(const std::optional<InterviewRecord>& value);

    AudioCapture& audio() const { return *m_audio; }
    const std::optional<InterviewContext>& activeSessionContext() const {
        return m_activeSessionContext;
    }
    const std::optional<AudioSource>& activeAudioSource() const { return m_activeAudioSource; }

    // A main-thread operation that returns a fresh ID token of the signed-in account, or throws.
    using TokenProvider = std::function<QCoro::Task<QString>(CancelToken)>;

    // Actions.
    // Hands the workspace to the background writer and returns at once; a failure reaches
    // `message` later, on this thread.
    void save();
    // Blocks until every save asked for is on disk (or has failed and said so). Quitting waits
    // here, so the latest state is never lost.
    void waitForSaves();
    void launchSession();
    void startSession();
    void togglePause();
    void endSession();
    void retrySession();
    void restartListening();
    void changeInterviewLanguage(const QString& language);
    void ask(const std::optional<QString>& question = std::nullopt, bool automatic = false);
    void openOverlay();
    // Orders the floating panel out and clears showOverlay; the panel is kept for reuse.
    void hideOverlay();
    void configureCloud(const std::optional<QUrl>& baseURL, const std::optional<QString>& accountID,
                        TokenProvider tokenProvider);
    void refreshCloudAccount();
    bool canStartCloudSession() const;
    FloatingPanel* panel() const { return m_panel.get(); }
    bool saveKey(const QString& key);
    void removeKey();
    void checkConnection();
    void importResume();
    void importResume(const QString& path);
    void exportRecord(const InterviewRecord& record);
    void deleteRecord(const QUuid& id);

    // The export of one record as it is written to disk, and its proposed file name.
    static QString exportText(const InterviewRecord& record);
    static QString exportFileName(const InterviewRecord& record);

Q_SIGNALS:
    void sectionChanged();
    void preparationStepChanged();
    void contextChanged();
    void historyChanged();
    void styleChanged();
    void audioSourceChanged();
    void modelChanged();
    void overlayOpacityChanged();
    void automaticAnswersChanged();
    void hasAPIKeyChanged();
    void isCheckingConnectionChanged();
    void connectionVerifiedChanged();
    void messageChanged();
    void isSessionActiveChanged();
    void sessionPhaseChanged();
    void isPausedChanged();
    void isGeneratingChanged();
    void currentQuestionChanged();
    void currentAnswerChanged();
    void questionDraftChanged();
    void firstTokenMillisecondsChanged();
    void firstCueMillisecondsChanged();
    void totalResponseMillisecondsChanged();
    void latencyMetricsChanged();
    void cloudAccountChanged();
    void cloudAccountErrorChanged();
    void isRefreshingCloudAccountChanged();
    void isCloudConfiguredChanged();
    void cloudSessionReadyChanged();
    void sessionStartedAtChanged();
    void sessionEntriesChanged();
    void showOverlayChanged();
    void selectedRecordChanged();
    void isStartingChanged();
    void activeSessionContextChanged();
    void activeAudioSourceChanged();

private:
    struct GenerationRequest {
        QString question;
        InterviewContext context;
        AnswerStyle style;
        QString model;
        QString apiKey;
        QString sessionID;
        std::optional<QUrl> baseURL;
        TokenProvider tokenProvider;
        bool cloud = false;
    };

    // Session lifecycle.
    void startListening();
    void stopListening();
    bool listeningStillWanted(const QUuid& listening, const QUuid& session) const;
    QCoro::Task<> runListening(QUuid listening, QUuid session, AudioSource source, QString locale,
                               CancelToken cancel);
    void listeningBecameReady();
    void abandonAnswer();
    const InterviewContext& sessionContext() const;
    bool capturesCallAudio() const;
    void setPhase(SessionPhase phase);

    // Question intake and the answer pipeline.
    void receiveTranscript(const QString& text, bool isFinal);
    void offerHeardDraft(const QString& text);
    void cancelDebounce();
    void transcriptSegmentStarted();
    QCoro::Task<> debounceTranscript(QString transcript, QUuid segment, CancelToken cancel);
    void processAutomaticTranscript(const QString& text, bool isFinal, const QUuid& segment);
    QCoro::Task<> runGeneration(QUuid token, GenerationRequest request, CancelToken cancel);
    void appendDelta(const QString& delta);
    void finishTiming();
    void publishTiming();
    void saveCurrentAnswer();
    void restoreListeningPhase();

    // Cloud route.
    struct PendingCloudLease {
        QUuid clientSessionID;
        QUrl baseURL;
        QString token;
        QUuid configuration;
    };
    bool leaseStillWanted(const QUuid& listening, const QUuid& session,
                          const QUuid& configuration) const;
    QCoro::Task<> runCloudHeartbeat(CloudSessionLease lease, QUrl baseURL, TokenProvider provider,
                                    QUuid configuration, CancelToken cancel);
    void cleanupPendingCloudLease(const QUuid& clientSessionID,
                                  const std::optional<QString>& leaseID);
    void scheduleCloudLeaseCleanup(const PendingCloudLease& lease,
                                   const std::optional<QString>& leaseID);
    QCoro::Task<> runCloudLeaseCleanup(std::shared_ptr<QCoro::Task<>> previous,
                                       PendingCloudLease lease, std::optional<QString> leaseID);
    QCoro::Task<> waitForCloudLeaseCleanup();
    QCoro::Task<> runCloudRefresh(QUuid refresh, QUuid configuration, QUrl baseURL,
                                  TokenProvider tokenProvider, CancelToken cancel);
    QCoro::Task<> beginCloudLease(QUuid listening, QUuid session, CancelToken cancel);
    void stopCloudLease();

    void loadWorkspace(WorkspaceWriter::Write write);
    void scheduleAutosave();
    QCoro::Task<> runAutosave(CancelToken cancel);
    void loadKey(const BundleInfo& bundle);
    void connectCapture();
    void captureFailed(const QString& text);
    void automaticAnswersDidChange();
    void resetConnectionVerification();
    void resynchronizeQuestionTurns();
    void setKeyState(const QString& key);
    QCoro::Task<> runConnectionCheck(QUuid token, QString key, QString model, CancelToken cancel);

    // Owned defaults for what the application left out.
    std::unique_ptr<SecretStore> m_ownedSecretStore;
    std::unique_ptr<AudioCapture> m_ownedAudio;

    UptimeClock* m_clock;
    SecretStore* m_secretStore;
    FileDialogs* m_fileDialogs;
    std::shared_ptr<AnswerSource> m_answers;
    AudioCapture* m_audio;

    AppSection m_section = AppSection::profile;
    PreparationStep m_preparationStep = PreparationStep::role;
    InterviewContext m_context;
    std::vector<InterviewRecord> m_history;
    // The same records as m_history, shared with the writer, which keeps each one's encoding.
    std::vector<std::shared_ptr<const InterviewRecord>> m_savedHistory;
    AnswerStyle m_style = AnswerStyle::adaptive;
    AudioSource m_audioSource = AudioSource::system;
    QString m_model = QStringLiteral("gpt-4.1-mini");
    double m_overlayOpacity = 0.84;
    bool m_automaticAnswers = true;
    bool m_hasAPIKey = false;
    bool m_isCheckingConnection = false;
    bool m_connectionVerified = false;
    std::optional<QString> m_message;
    bool m_isSessionActive = false;
    SessionPhase m_sessionPhase = SessionPhase::idle;
    bool m_isPaused = false;
    bool m_isGenerating = false;
    QString m_currentQuestion;
    QString m_currentAnswer;
    QString m_questionDraft;
    // The draft is text the user typed, which a heard question must not overwrite.
    bool m_questionDraftTyped = false;
    std::optional<qint64> m_firstTokenMilliseconds;
    std::optional<qint64> m_firstCueMilliseconds;
    std::optional<qint64> m_totalResponseMilliseconds;
    std::optional<AnswerLatencyMetrics> m_latencyMetrics;
    std::optional<CloudAccountBalance> m_cloudAccount;
    std::optional<QString> m_cloudAccountError;
    bool m_isRefreshingCloudAccount = false;
    bool m_isCloudConfigured = false;
    bool m_cloudSessionReady = false;
    std::optional<QDateTime> m_sessionStartedAt;
    std::vector<AnswerEntry> m_sessionEntries;
    bool m_showOverlay = false;
    std::optional<InterviewRecord> m_selectedRecord;
    bool m_isStarting = false;

    // Private state.
    // Each slot's id is its staleness token: generationID, listeningID, the connection check's.
    TaskSlot m_generation;
    TaskSlot m_listening;
    TaskSlot m_connectionCheck;
    TaskSlot m_recognitionDebounce;
    std::vector<QString> m_pendingAutomaticQuestions;
    QUuid m_transcriptSegment = QUuid::createUuid();
    TaskSlot m_autosave;
    QuestionIntake m_intake;
    std::optional<QUuid> m_currentEntryID;
    QUuid m_sessionID = QUuid::createUuid();
    QString m_key;
    std::optional<QString> m_storageDirectory;
    bool m_automaticallyOpenOverlay = false;
    std::optional<InterviewContext> m_activeSessionContext;
    std::optional<AudioSource> m_activeAudioSource;
    std::optional<double> m_cloudHeartbeatIntervalOverride;
    std::optional<AnswerTimingTrace> m_timingTrace;
    // The layout of the answer streaming in, until its first speakable cue is timed.
    AnswerCueLayout::Stream m_answerLayout;
    std::optional<double> m_questionUpdatedAt;
    // Uptime at the session's start: its duration never depends on the wall clock.
    std::optional<double> m_sessionStartedUptime;
    PanelFactory m_makePanel;
    std::unique_ptr<FloatingPanel> m_panel;
    std::unique_ptr<WorkspaceWriter> m_writer;

    std::optional<QUrl> m_cloudBaseURL;
    std::optional<QString> m_cloudAccountID;
    TokenProvider m_cloudTokenProvider;
    QUuid m_cloudConfigurationID = QUuid::createUuid();
    TaskSlot m_cloudRefresh;
    std::optional<QString> m_cloudLeaseID;
    std::optional<QString> m_cloudLeaseToken;
    std::optional<QUrl> m_cloudLeaseBaseURL;
    std::optional<PendingCloudLease> m_pendingCloudLease;
    TaskSlot m_cloudHeartbeat;
    std::shared_ptr<QCoro::Task<>> m_cloudStopTask;
    QUuid m_cloudStopID = QUuid::createUuid();
};

// The user-facing text of an error thrown by an engine operation.
QString errorMessage(const std::exception& error);

} // namespace corvel
