// The session lifecycle: start, listening, pause, resume, restart, language switch, end.
#include "session/AppStore.h"

#include "core/AnswerServiceError.h"
#include "listening/AudioCapture.h"
#include "platform/UptimeClock.h"
#include "session/FloatingPanel.h"

namespace corvel {

namespace {
const QString listeningDidNotStart =
    QStringLiteral("Listening did not start. Check your audio permissions, then try again.");
} // namespace

void AppStore::launchSession() {
    if (!m_isSessionActive) {
        startSession();
        return;
    }
    setSection(AppSection::session);
    if (m_isPaused)
        togglePause();
    else if (!m_audio->isRunning() && !m_isStarting)
        startListening();
    else if (m_audio->isRunning())
        openOverlay();
}

void AppStore::startSession() {
    if (m_isSessionActive || m_isStarting) {
        setSection(AppSection::session);
        return;
    }
    if (!m_context.ready()) {
        setSection(AppSection::profile);
        setMessage(
            QStringLiteral("Add the job description and your resume to prepare the session."));
        return;
    }
    if (m_isCloudConfigured) {
        if (!canStartCloudSession()) {
            setSection(AppSection::settings);
            if (m_cloudAccountError)
                setMessage(m_cloudAccountError);
            else if (!m_cloudAccountID)
                setMessage(AnswerServiceError(AnswerServiceError::Case::signInRequired)
                               .errorDescription());
            else if (m_isRefreshingCloudAccount)
                setMessage(
                    QStringLiteral("Your interview account is loading. Try again in a moment."));
            else
                setMessage(QStringLiteral("Refresh your interview account before starting."));
            if (!m_cloudAccount && !m_isRefreshingCloudAccount)
                refreshCloudAccount();
            return;
        }
    } else if (!m_hasAPIKey) {
        setSection(AppSection::settings);
        setMessage(QStringLiteral("Configure the interview service before starting a session."));
        return;
    }

    save();
    setMessage(std::nullopt);
    assign(*this, m_activeSessionContext, std::optional(m_context),
           &AppStore::activeSessionContextChanged);
    assign(*this, m_activeAudioSource, std::optional(m_audioSource),
           &AppStore::activeAudioSourceChanged);
    assign(*this, m_isSessionActive, true, &AppStore::isSessionActiveChanged);
    assign(*this, m_isPaused, false, &AppStore::isPausedChanged);
    setPhase(SessionPhase::preparing);
    m_sessionStartedAt = QDateTime::currentDateTimeUtc();
    m_sessionStartedUptime = m_clock->now();
    Q_EMIT sessionStartedAtChanged();
    m_sessionID = QUuid::createUuid();
    m_sessionEntries.clear();
    Q_EMIT sessionEntriesChanged();
    assign(*this, m_currentAnswer, QString(), &AppStore::currentAnswerChanged);
    assign(*this, m_currentQuestion, QString(), &AppStore::currentQuestionChanged);
    setQuestionDraft(QString());
    m_currentEntryID.reset();
    m_pendingAutomaticQuestions.clear();
    m_intake.reset();
    m_timingTrace.reset();
    publishTiming();
    m_transcriptSegment = QUuid::createUuid();
    setSection(AppSection::session);
    startListening();
}

void AppStore::startListening() {
    if (!m_isSessionActive || m_isPaused || m_isStarting || m_audio->isRunning())
        return;
    assign(*this, m_isStarting, true, &AppStore::isStartingChanged);
    setPhase(SessionPhase::preparing);
    setMessage(std::nullopt);
    m_intake.listeningStarted();
    m_listening.cancel();

    const AudioSource source = m_activeAudioSource.value_or(m_audioSource);
    const InterviewContext& context = sessionContext();
    const QString locale =
        isEnglishLanguage(context.language) ? QStringLiteral("en-US") : QStringLiteral("fr-FR");
    runListening(m_listening.id(), m_sessionID, source, locale, m_listening.start());
}

bool AppStore::listeningStillWanted(const QUuid& listening, const QUuid& session) const {
    return m_listening.isCurrent(listening) && m_sessionID == session && m_isSessionActive &&
           !m_isPaused;
}

QCoro::Task<> AppStore::runListening(QUuid listening, QUuid session, AudioSource source,
                                     QString locale, CancelToken cancel) {
    QPointer<AppStore> self(this);
    co_await nextEventLoopTurn();
    if (!self || !m_listening.isCurrent(listening) || m_isPaused)
        co_return;
    std::optional<QString> failure;
    try {
        co_await m_audio->start(source, locale, cancel);
        if (!self)
            co_return;
        if (listeningStillWanted(listening, session)) {
            if (!m_audio->isRunning()) {
                setPhase(SessionPhase::error);
                setMessage(listeningDidNotStart);
            } else {
                bool ready = true;
                if (m_isCloudConfigured) {
                    co_await beginCloudLease(listening, session, cancel);
                    if (!self)
                        co_return;
                    ready = listeningStillWanted(listening, session);
                }
                if (ready)
                    listeningBecameReady();
            }
        }
    } catch (const CancellationError&) {
    } catch (const std::exception& error) {
        failure = errorMessage(error);
    }
    if (!self)
        co_return;
    if (failure && listeningStillWanted(listening, session)) {
        m_audio->stop();
        stopCloudLease();
        setPhase(SessionPhase::error);
        setMessage(failure);
    }
    if (m_listening.isCurrent(listening))
        assign(*this, m_isStarting, false, &AppStore::isStartingChanged);
}

void AppStore::listeningBecameReady() {
    setPhase(m_isGenerating ? SessionPhase::answering : SessionPhase::waiting);
    if (m_automaticallyOpenOverlay)
        openOverlay();
    if (m_isCloudConfigured && !m_intake.transcript().isEmpty())
        processAutomaticTranscript(m_intake.transcript(), false, m_transcriptSegment);
}

void AppStore::stopListening() {
    m_listening.cancel();
    assign(*this, m_isStarting, false, &AppStore::isStartingChanged);
    cancelDebounce();
    m_pendingAutomaticQuestions.clear();
    resynchronizeQuestionTurns();
    m_audio->stop();
    stopCloudLease();
    if (m_isSessionActive) {
        setPhase(m_isPaused ? SessionPhase::paused : SessionPhase::error);
        if (!m_isPaused)
            setMessage(QStringLiteral(
                "Listening has stopped. Restart it to receive questions from your call."));
    }
}

void AppStore::abandonAnswer() {
    saveCurrentAnswer();
    m_generation.cancel();
    assign(*this, m_isGenerating, false, &AppStore::isGeneratingChanged);
}

void AppStore::togglePause() {
    if (!m_isSessionActive)
        return;
    assign(*this, m_isPaused, !m_isPaused, &AppStore::isPausedChanged);
    if (m_isPaused) {
        stopListening();
        abandonAnswer();
        setPhase(SessionPhase::paused);
    } else {
        startListening();
    }
}

void AppStore::restartListening() {
    if (!m_isSessionActive || m_isPaused || m_isStarting)
        return;
    stopListening();
    startListening();
}

void AppStore::retrySession() {
    if (!m_isSessionActive || m_isStarting)
        return;
    if (m_isPaused) {
        togglePause();
    } else if (!m_audio->isRunning()) {
        startListening();
    } else if (m_currentQuestion.isEmpty()) {
        setMessage(std::nullopt);
        restoreListeningPhase();
    } else {
        ask(m_currentQuestion, false);
    }
}

void AppStore::changeInterviewLanguage(const QString& language) {
    if (m_isStarting)
        return;
    if (language != QLatin1String("English") && language != QLatin1String("French") &&
        language != QStringLiteral("Français"))
        return;
    const QString stored =
        language == QLatin1String("English") ? language : QStringLiteral("Français");
    const bool english = isEnglishLanguage(stored);
    if (isEnglishLanguage(m_context.language) == english &&
        !(m_isSessionActive && isEnglishLanguage(sessionContext().language) != english))
        return;

    InterviewContext context = m_context;
    context.language = stored;
    setContext(context);
    save();
    if (!m_isSessionActive)
        return;
    if (m_activeSessionContext) {
        m_activeSessionContext->language = stored;
        Q_EMIT activeSessionContextChanged();
    }
    abandonAnswer();
    setQuestionDraft(QString());
    if (!m_isPaused)
        restartListening();
}

void AppStore::endSession() {
    if (!m_isSessionActive) {
        hideOverlay();
        return;
    }
    abandonAnswer();
    assign(*this, m_isSessionActive, false, &AppStore::isSessionActiveChanged);
    stopListening();

    // Measured on the monotonic clock, so a wall-clock change can never make it negative.
    const double started = m_sessionStartedUptime.value_or(m_clock->now());
    const qint64 duration = std::max<qint64>(0, static_cast<qint64>(m_clock->now() - started));
    std::optional<InterviewRecord> record;
    if (!m_sessionEntries.empty()) {
        const InterviewContext& context = sessionContext();
        record.emplace();
        record->role = context.title();
        record->company = context.company;
        record->duration = duration;
        record->entries = m_sessionEntries;
        m_history.insert(m_history.begin(), *record);
        m_savedHistory.insert(m_savedHistory.begin(),
                              std::make_shared<const InterviewRecord>(*record));
        Q_EMIT historyChanged();
    }
    assign(*this, m_isGenerating, false, &AppStore::isGeneratingChanged);
    assign(*this, m_isPaused, false, &AppStore::isPausedChanged);
    setPhase(SessionPhase::idle);
    m_sessionID = QUuid::createUuid();
    assign(*this, m_activeSessionContext, std::optional<InterviewContext>(),
           &AppStore::activeSessionContextChanged);
    assign(*this, m_activeAudioSource, std::optional<AudioSource>(),
           &AppStore::activeAudioSourceChanged);
    m_sessionStartedUptime.reset();
    setMessage(std::nullopt);
    hideOverlay();
    save();
    setSelectedRecord(record);
    setSection(record ? AppSection::history : AppSection::profile);
}

} // namespace corvel

namespace corvel {

void AppStore::captureFailed(const QString& text) {
    if (!m_isSessionActive || m_isPaused)
        return;
    cancelDebounce();
    m_pendingAutomaticQuestions.clear();
    resynchronizeQuestionTurns();
    setPhase(SessionPhase::error);
    setMessage(text);
    stopCloudLease();
}

void AppStore::openOverlay() {
    if (!m_panel && m_makePanel)
        m_panel = m_makePanel(*this);
    if (m_panel)
        m_panel->present();
    setShowOverlay(true);
}

void AppStore::hideOverlay() {
    if (m_panel)
        m_panel->orderOut();
    setShowOverlay(false);
}

} // namespace corvel
