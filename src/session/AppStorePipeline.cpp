// From transcript to question, and from question to a streamed, timed and stored answer.
#include "session/AppStore.h"

#include "core/AnswerCueLayout.h"
#include "core/AnswerServiceError.h"
#include "core/AnswerSource.h"
#include "listening/AudioCapture.h"
#include "platform/UptimeClock.h"

#include <utility>

namespace corvel {

namespace {
constexpr std::size_t maximumPendingQuestions = 3;
constexpr double audibleQuietSeconds = 0.3;
// Words that follow a waiting question get their final result, which decides, this long after
// the interviewer stops: the recogniser ends a result after 0.4 s of silence.
constexpr double continuationQuietSeconds = 1.0;
constexpr double audibleCheckSeconds = 0.1;

// Cloud answer failures that leave the session listening.
bool keepsListeningAfter(AnswerServiceError::Case errorCase) {
    using Case = AnswerServiceError::Case;
    return errorCase == Case::answerInProgress || errorCase == Case::rateLimited ||
           errorCase == Case::incompleteAnswer || errorCase == Case::refused;
}
} // namespace

const InterviewContext& AppStore::sessionContext() const {
    return m_activeSessionContext ? *m_activeSessionContext : m_context;
}

bool AppStore::capturesCallAudio() const {
    return m_activeAudioSource.value_or(m_audioSource) == AudioSource::system &&
           m_audio->source() == AudioSource::system;
}

void AppStore::setPhase(SessionPhase phase) {
    assign(*this, m_sessionPhase, phase, &AppStore::sessionPhaseChanged);
}

void AppStore::cancelDebounce() {
    m_recognitionDebounce.cancel();
    m_intake.dropWaiting();
}

void AppStore::transcriptSegmentStarted() {
    if (!m_intake.isWaiting())
        cancelDebounce();
    m_intake.segmentStarted();
    m_transcriptSegment = QUuid::createUuid();
}

// What is heard becomes the draft unless the user is writing their own question there.
void AppStore::offerHeardDraft(const QString& text) {
    if (!m_questionDraftTyped)
        assign(*this, m_questionDraft, text, &AppStore::questionDraftChanged);
}

void AppStore::receiveTranscript(const QString& text, bool isFinal) {
    if (!m_isSessionActive || m_isPaused || !(m_audio->isRunning() || m_isStarting))
        return;
    m_intake.record(text, m_clock->now());
    m_questionUpdatedAt = m_clock->now();

    if (m_activeAudioSource.value_or(m_audioSource) == AudioSource::microphone) {
        offerHeardDraft(text);
        if (!m_isGenerating && m_sessionPhase != SessionPhase::error)
            setPhase(SessionPhase::listening);
        return;
    }
    if (m_audio->source() != AudioSource::system)
        return;
    const QuestionIntake::Heard heard = m_intake.judge(isFinal, m_automaticAnswers);
    // A question that waits for the interviewer to stop keeps its wait through what follows.
    if (!m_intake.isWaiting())
        m_recognitionDebounce.cancel();
    if (heard.stands) {
        processAutomaticTranscript(heard.stands->transcript, true, m_transcriptSegment);
        m_intake.taken(heard.stands->transcript);
    }
    if (!heard.question)
        return;
    offerHeardDraft(*heard.question);
    if (!m_isGenerating && m_sessionPhase != SessionPhase::error)
        setPhase(SessionPhase::listening);
    const QString transcript = m_intake.transcript().trimmed();
    if (heard.next == QuestionIntake::Heard::Next::claim)
        processAutomaticTranscript(transcript, true, m_transcriptSegment);
    else if (heard.next == QuestionIntake::Heard::Next::wait)
        debounceTranscript(transcript, m_transcriptSegment, m_recognitionDebounce.start());
}

QCoro::Task<> AppStore::debounceTranscript(QString transcript, QUuid segment, CancelToken cancel) {
    QPointer<AppStore> self(this);
    UptimeClock* clock = m_clock;
    auto stillWanted = [&] {
        return !cancel.isCancelled() && self && m_isSessionActive && !m_isPaused &&
               m_automaticAnswers;
    };
    try {
        co_await clock->sleep(transcript.endsWith(QLatin1Char('?')) ? 0.5 : 1.0, cancel);
        if (!stillWanted())
            co_return;
        // Wait while the interviewer is still audibly speaking.
        while (true) {
            const auto audible = m_audio->lastAudibleUptime();
            const double quiet =
                m_intake.awaitsContinuation() ? continuationQuietSeconds : audibleQuietSeconds;
            if (!audible || clock->now() - *audible >= quiet)
                break;
            co_await clock->sleep(audibleCheckSeconds, cancel);
            if (!stillWanted())
                co_return;
        }
    } catch (const CancellationError&) {
        co_return;
    }
    // A waiting final is claimed in the segment it was carried into, with what continues it.
    if (const auto claim = m_intake.waitEnded()) {
        // The draft shows what is asked, not a guess from the words' partial results.
        offerHeardDraft(claim->question);
        processAutomaticTranscript(claim->transcript, claim->isFinal, m_transcriptSegment);
        m_intake.taken(claim->transcript);
    } else {
        processAutomaticTranscript(transcript, false, segment);
    }
}

void AppStore::processAutomaticTranscript(const QString& text, bool isFinal, const QUuid& segment) {
    if (!m_isSessionActive || m_isPaused || !m_automaticAnswers || !m_audio->isRunning())
        return;
    if (m_isCloudConfigured && !m_cloudSessionReady)
        return;
    if (!capturesCallAudio() || segment != m_transcriptSegment)
        return;
    const auto question = m_intake.claim(text, isFinal, m_clock->now());
    if (!question)
        return;
    if (m_isGenerating) {
        m_pendingAutomaticQuestions.push_back(*question);
        if (m_pendingAutomaticQuestions.size() > maximumPendingQuestions)
            m_pendingAutomaticQuestions.erase(m_pendingAutomaticQuestions.begin());
        return;
    }
    ask(*question, true);
}

void AppStore::ask(const std::optional<QString>& question, bool automatic) {
    if (!m_isSessionActive || m_isPaused)
        return;
    if (m_isCloudConfigured && !m_cloudSessionReady) {
        setMessage(
            QStringLiteral("Your interview connection is being prepared. Try again in a moment."));
        return;
    }
    if (automatic && !(m_automaticAnswers && capturesCallAudio() && m_audio->isRunning()))
        return;
    const QString text = question.value_or(m_questionDraft).trimmed();
    if (text.isEmpty())
        return;
    // Another question asked by itself does not end the wait of one the interviewer may go on.
    if (!automatic || !m_intake.isWaiting())
        cancelDebounce();
    if (!automatic) {
        // Asked, the typed text gives way to the next question heard; asking another question
        // (the heard one again, after "Try again") leaves it the user's.
        if (text == m_questionDraft.trimmed())
            m_questionDraftTyped = false;
        m_pendingAutomaticQuestions.clear();
        m_intake.takeAll(text, m_clock->now());
    }
    saveCurrentAnswer();

    m_generation.cancel();
    m_currentEntryID = m_generation.id();
    assign(*this, m_currentQuestion, text, &AppStore::currentQuestionChanged);
    assign(*this, m_currentAnswer, QString(), &AppStore::currentAnswerChanged);
    assign(*this, m_isGenerating, true, &AppStore::isGeneratingChanged);
    setPhase(SessionPhase::answering);
    setMessage(std::nullopt);
    // The four figures stay absent until this answer's first text or its end.
    m_timingTrace.reset();
    publishTiming();
    m_timingTrace.emplace(m_clock->now(), automatic ? m_questionUpdatedAt : std::nullopt);

    GenerationRequest request{text,
                              sessionContext(),
                              m_style,
                              m_model,
                              m_key,
                              m_cloudLeaseID.value_or(QString()),
                              m_cloudBaseURL,
                              m_cloudTokenProvider,
                              m_isCloudConfigured};
    runGeneration(m_generation.id(), std::move(request), m_generation.start());
}

QCoro::Task<> AppStore::runGeneration(QUuid token, GenerationRequest request, CancelToken cancel) {
    QPointer<AppStore> self(this);
    const std::shared_ptr<AnswerSource> answers = m_answers;
    auto onDelta = [self, token](const QString& delta) {
        if (self && self->m_generation.isCurrent(token))
            self->appendDelta(delta);
    };
    std::optional<QString> failure;
    bool stopsListening = false;
    bool cancelled = false;
    try {
        co_await nextEventLoopTurn();
        cancel.throwIfCancelled();
        if (!request.cloud) {
            co_await answers->streamAnswer(request.question, request.context, request.style,
                                           request.apiKey, request.model, onDelta, cancel);
        } else {
            if (!request.baseURL || !request.tokenProvider)
                throw AnswerServiceError(AnswerServiceError::Case::cloudNotConfigured);
            const QString idToken = co_await request.tokenProvider(cancel);
            if (!self || !m_generation.isCurrent(token))
                throw CancellationError();
            co_await answers->streamCloudAnswer(request.question, request.context, request.style,
                                                request.sessionID, idToken, *request.baseURL,
                                                onDelta, cancel);
        }
    } catch (const CancellationError&) {
        cancelled = true;
    } catch (const AnswerServiceError& error) {
        failure = error.errorDescription();
        stopsListening = request.cloud && !keepsListeningAfter(error.errorCase());
    } catch (const std::exception& error) {
        failure = errorMessage(error);
    }
    if (!self || !m_generation.isCurrent(token))
        co_return;
    assign(*this, m_isGenerating, false, &AppStore::isGeneratingChanged);
    if (cancelled) {
        restoreListeningPhase();
    } else if (failure) {
        finishTiming();
        saveCurrentAnswer();
        if (stopsListening) {
            stopListening();
            assign(*this, m_cloudAccountError, failure, &AppStore::cloudAccountErrorChanged);
        }
        setPhase(SessionPhase::error);
        setMessage(failure);
        m_pendingAutomaticQuestions.clear();
    } else {
        finishTiming();
        restoreListeningPhase();
        saveCurrentAnswer();
        if (m_isSessionActive && !m_isPaused && m_automaticAnswers && m_audio->isRunning() &&
            capturesCallAudio() && !m_pendingAutomaticQuestions.empty()) {
            const QString next = m_pendingAutomaticQuestions.front();
            m_pendingAutomaticQuestions.erase(m_pendingAutomaticQuestions.begin());
            ask(next, true);
        }
    }
}

void AppStore::appendDelta(const QString& delta) {
    m_currentAnswer += delta;
    Q_EMIT currentAnswerChanged();
    if (delta.isEmpty())
        return;
    // The layout only finds the first speakable cue, and the stream parses only what is new: a
    // delta costs the same whatever the length of the answer so far.
    if (m_timingTrace)
        m_timingTrace->receivedText(
            m_clock->now(), m_timingTrace->metrics.firstCueMilliseconds ||
                                m_answerLayout.layout(m_currentAnswer, true).hasSpeakableCue());
    publishTiming();
}

void AppStore::finishTiming() {
    if (m_timingTrace)
        m_timingTrace->metrics.totalMilliseconds =
            elapsedMilliseconds(m_timingTrace->startedAt, m_clock->now());
    publishTiming();
}

void AppStore::publishTiming() {
    std::optional<AnswerLatencyMetrics> metrics;
    if (m_timingTrace)
        metrics = m_timingTrace->metrics;
    assign(*this, m_latencyMetrics, metrics, &AppStore::latencyMetricsChanged);
    const AnswerLatencyMetrics values = metrics.value_or(AnswerLatencyMetrics{});
    assign(*this, m_firstTokenMilliseconds, values.firstTokenMilliseconds,
           &AppStore::firstTokenMillisecondsChanged);
    assign(*this, m_firstCueMilliseconds, values.firstCueMilliseconds,
           &AppStore::firstCueMillisecondsChanged);
    assign(*this, m_totalResponseMilliseconds, values.totalMilliseconds,
           &AppStore::totalResponseMillisecondsChanged);
}

void AppStore::saveCurrentAnswer() {
    if (!m_currentEntryID || m_currentQuestion.isEmpty() || m_currentAnswer.isEmpty())
        return;
    for (auto it = m_sessionEntries.rbegin(); it != m_sessionEntries.rend(); ++it) {
        if (it->id == *m_currentEntryID) {
            it->answer = m_currentAnswer;
            it->firstTokenMilliseconds = m_firstTokenMilliseconds;
            it->latency = m_latencyMetrics;
            Q_EMIT sessionEntriesChanged();
            return;
        }
    }
    AnswerEntry entry;
    entry.id = *m_currentEntryID;
    entry.question = m_currentQuestion;
    entry.answer = m_currentAnswer;
    entry.firstTokenMilliseconds = m_firstTokenMilliseconds;
    entry.latency = m_latencyMetrics;
    m_sessionEntries.push_back(entry);
    Q_EMIT sessionEntriesChanged();
}

void AppStore::restoreListeningPhase() {
    if (!m_isSessionActive)
        setPhase(SessionPhase::idle);
    else if (m_isPaused)
        setPhase(SessionPhase::paused);
    else if (m_audio->error() || !m_audio->isRunning())
        setPhase(SessionPhase::error);
    else if (!m_questionDraft.isEmpty())
        setPhase(SessionPhase::listening);
    else
        setPhase(SessionPhase::waiting);
}

} // namespace corvel
