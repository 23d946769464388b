#include "platform/PocketSphinxRecognizer.h"

#include "language/EnglishPunctuation.h"
#include "platform/SpeechLevels.h"
#include "platform/SpeechModelFiles.h"

#include <pocketsphinx.h>
#include <sphinxbase/cmn.h>
#include <sphinxbase/feat.h>
#include <sphinxbase/fsg_model.h>
#include <sphinxbase/jsgf.h>
#include <sphinxbase/ngram_model.h>

#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <malloc.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace corvel {

namespace {

const QString failureDomain = QStringLiteral("PocketSphinx");
// Audio is decoded in slices of 20 ms of the stream, whatever fragments it arrives in, so the
// decoder looks for the pause after speech at the same places every time, and soon after it.
constexpr std::size_t sliceSamples = 320;
// A partial result every 100 ms is enough for the eye and keeps the search's cost down.
constexpr int slicesPerPartial = 5;

struct InstalledModel {
    QLocale::Language language;
    const char* locale;
    const char* folder;
};
// Debian's pocketsphinx-en-us is the only model packaged; French has none.
constexpr InstalledModel knownModels[] = {{QLocale::English, "en-US", "en-us"}};

// Search settings chosen on synthetic interview speech (espeak-ng and Festival voices, clean and
// as over a call) and checked on sentences they were not chosen on: at most 10,000 active models
// a frame keeps live decoding under a fifth of one core, where the default let espeak-ng's speech
// cost a third, and 3000 lost words on speech the settings had not seen; a lower word insertion
// penalty suits the interview model.
constexpr const char* searchSettings[][2] = {
    {"-maxhmmpf", "10000"},
    {"-wip", "0.3"},
    // Scoring each frame on 16 Gaussians of each codebook rather than 4 holds up better on a
    // quiet, noisy, compressed call, and filler words let the search put the call's noise
    // somewhere other than in words.
    {"-topn", "16"},
    {"-fillprob", "1e-3"},
    // With the above, the second pass over the utterance gained nothing, and it ran after speech
    // had ended: without it the final result comes 70-150 ms sooner.
    {"-fwdflat", "no"},
    // Speech ends after 0.4 s of silence (the library waits 0.5 s): shorter waits split
    // sentences at a comma's pause or at a quiet consonant in a noisy call.
    {"-vad_postspeech", "40"},
};

// Speech this far above the noise around it is clean: it needs little of the interview model, which
// pulls unfamiliar wording toward its own, while over noise it recovers words the general one
// loses.
constexpr double cleanSignalToNoise = 30;

// What the library takes from the acoustic model's folder, each only when it is there; nothing
// else in that folder is read.
constexpr const char* acousticModelFiles[] = {
    "mdef",    "means",     "variances",         "transition_matrices", "mixture_weights",
    "sendump", "noisedict", "feature_transform", "feat.params",         "senmgau"};

QString systemModelDirectory() {
    return QStringLiteral(CORVEL_POCKETSPHINX_MODELDIR);
}

// Where dpkg keeps each installed package's list of MD5 sums.
QString packageSumsFolder() {
    return QStringLiteral("/var/lib/dpkg/info/");
}

QString builtInterviewModelDirectory() {
    return QStringLiteral(CORVEL_INTERVIEW_MODELDIR);
}

bool modelIsComplete(const QString& path, const QString& folder) {
    const QDir dir(path);
    return QFileInfo(dir.filePath(folder) + QStringLiteral("/mdef")).isFile() &&
           QFileInfo(dir.filePath(folder + QStringLiteral(".lm.bin"))).isFile() &&
           QFileInfo(dir.filePath(QStringLiteral("cmudict-") + folder + QStringLiteral(".dict")))
               .isFile();
}

AudioRecognitionFailure startFailure() {
    return {failureDomain, 2, QStringLiteral("Recognition could not start.")};
}

QString hypothesis(ps_decoder_t* decoder) {
    const char* words = ps_get_hyp(decoder, nullptr);
    return words ? QString::fromUtf8(words).simplified() : QString();
}

} // namespace

class PocketSphinxRecognizer::Task final : public SpeechRecognitionTask {
public:
    Task(std::shared_ptr<Shared> shared, ResultHandler handler)
        : m_shared(std::move(shared)), m_handler(std::move(handler)) {}

    void append(const qint16* samples, std::size_t count) override {
        std::lock_guard lock(m_shared->mutex);
        if (!open)
            return;
        // Once its decoding is over, a task passes what it hears on to the task continuing it.
        Task* target = this;
        while (target->done) {
            auto next = target->successor.lock();
            if (!next)
                break;
            target = next.get();
        }
        target->pending.insert(target->pending.end(), samples, samples + count);
        m_shared->wake.notify_all();
    }
    void endAudio() override {
        std::lock_guard lock(m_shared->mutex);
        open = false;
        dropUnclaimedAudio();
        m_shared->wake.notify_all();
    }
    void cancel() override {
        {
            std::lock_guard lock(m_shared->mutex);
            cancelled = true;
            dropUnclaimedAudio();
            m_shared->wake.notify_all();
        }
        std::lock_guard lock(m_handlerMutex);
        m_handler = nullptr;
    }
    void deliver(const SpeechRecognitionResult& result) {
        std::lock_guard lock(m_handlerMutex);
        if (m_handler)
            m_handler(result);
    }

    // Under Shared::mutex, when decoding is over: what was not decoded goes to the continuing
    // task, ahead of what that task already received.
    void handOver() {
        done = true;
        if (auto next = successor.lock()) {
            next->pending.insert(next->pending.begin(), pending.begin(), pending.end());
            pending.clear();
            m_shared->wake.notify_all();
        }
        dropUnclaimedAudio();
    }

    // Guarded by Shared::mutex.
    std::deque<qint16> pending;
    bool open = true;       // audio still comes in
    bool cancelled = false; // no result is wanted any more
    bool done = false;      // the decoder is finished with this task
    bool continues = false; // started where the previous task stopped
    std::weak_ptr<Task> successor;

private:
    // Audio nobody will decode: the task's decoding is over, its audio has ended and no task
    // continues it.
    void dropUnclaimedAudio() {
        if (done && !open && successor.expired())
            pending.clear();
    }

    std::shared_ptr<Shared> m_shared;
    std::mutex m_handlerMutex;
    ResultHandler m_handler;
};

struct PocketSphinxRecognizer::Decoder {
    cmd_ln_t* config = nullptr;
    ps_decoder_t* decoder = nullptr;
    ngram_model_t* languageModels = nullptr; // the general and interview models interpolated
    float interviewWeight = -1;
    std::vector<mfcc_t> initialMean;
    std::uint32_t dither = 0;
    SpeechLevels levels;

    ~Decoder() {
        if (languageModels)
            ngram_model_free(languageModels);
        if (decoder)
            ps_free(decoder);
        if (config)
            cmd_ln_free_r(config);
    }

    // A session starts from the same state whatever was heard before it.
    void restart() {
        cmn_live_set(ps_get_feat(decoder)->cmn_struct, initialMean.data());
        dither = 0x9e3779b9u;
        levels.reset();
    }

    // Before each utterance, from how clean the speech heard so far was. A session's first
    // utterance is taken as over noise, as every one was before the levels were measured.
    void leanOnInterviewModel(const Options& options) {
        if (!languageModels)
            return;
        const auto ratio = levels.signalToNoise();
        const float weight = ratio && *ratio >= cleanSignalToNoise ? options.cleanInterviewWeight
                                                                   : options.interviewWeight;
        if (weight == interviewWeight)
            return;
        // Without names the library takes the weights as its own log values.
        const char* names[2] = {"general", "interview"};
        const float32 weights[2] = {1 - weight, weight};
        ngram_model_set_interp(languageModels, names, weights);
        interviewWeight = weight;
    }

    // The front end cannot take the exact zeros an idle output delivers: add one to a quarter of
    // the samples, from a sequence that restarts with each session.
    void addDither(std::vector<qint16>& samples) {
        for (auto& sample : samples) {
            dither ^= dither << 13;
            dither ^= dither >> 17;
            dither ^= dither << 5;
            if ((dither & 3u) == 0 && sample < 32767)
                ++sample;
        }
    }

    // What ps_set_jsgf_string does, but freeing the parsed grammar, which that call leaks.
    bool useGrammar(const QByteArray& text) {
        jsgf_t* grammar = jsgf_parse_string(text.constData(), nullptr);
        jsgf_rule_t* rule = grammar ? jsgf_get_public_rule(grammar) : nullptr;
        fsg_model_t* fsg = rule ? jsgf_build_fsg(grammar, rule, ps_get_logmath(decoder),
                                                 cmd_ln_float32_r(config, "-lw"))
                                : nullptr;
        const bool usable = fsg && ps_set_fsg(decoder, "grammar", fsg) == 0;
        if (fsg)
            fsg_model_free(fsg);
        if (grammar)
            jsgf_grammar_free(grammar);
        return usable;
    }

    bool useLanguageModels(const QByteArray& general, const QByteArray& interview, float weight) {
        logmath_t* logmath = ps_get_logmath(decoder);
        ngram_model_t* models[2] = {
            ngram_model_read(config, general.constData(), NGRAM_AUTO, logmath),
            ngram_model_read(config, interview.constData(), NGRAM_AUTO, logmath)};
        bool usable = models[0] && models[1];
        if (usable) {
            char generalName[] = "general";
            char interviewName[] = "interview";
            char* names[2] = {generalName, interviewName};
            const float32 weights[2] = {1 - weight, weight};
            ngram_model_t* set = ngram_model_set_init(config, models, names, weights, 2);
            // The search keeps a reference of its own; ours changes the weights between
            // utterances.
            usable = set && ps_set_lm(decoder, "interview", set) == 0 &&
                     ps_set_search(decoder, "interview") == 0;
            languageModels = set;
            interviewWeight = weight;
        }
        for (auto* model : models) {
            if (model)
                ngram_model_free(model);
        }
        return usable;
    }
};

struct PocketSphinxRecognizer::Sources {
    QByteArray hmm;
    QByteArray dict;
    QByteArray generalModel;
    QByteArray interviewModel;
    bool withInterview = false;
    SpeechModelFiles files;
};

PocketSphinxRecognizer::Sources PocketSphinxRecognizer::sources() const {
    const QDir model(m_modelPath);
    const QString folder = model.dirName();
    const QDir interview(m_options.interviewModelDirectory.isEmpty()
                             ? builtInterviewModelDirectory()
                             : m_options.interviewModelDirectory);
    Sources sources;
    sources.hmm = model.filePath(folder).toLocal8Bit();
    sources.generalModel = model.filePath(folder + QStringLiteral(".lm.bin")).toLocal8Bit();
    sources.interviewModel = interview.filePath(QStringLiteral("interview.lm.bin")).toLocal8Bit();
    // The interview dictionary is the system one plus the interview words it lacks.
    sources.withInterview = m_options.grammar.isEmpty() && !m_options.libraryDefaults &&
                            QFileInfo::exists(QString::fromLocal8Bit(sources.interviewModel)) &&
                            interview.exists(QStringLiteral("interview.dict"));
    sources.dict =
        sources.withInterview
            ? interview.filePath(QStringLiteral("interview.dict")).toLocal8Bit()
            : model.filePath(QStringLiteral("cmudict-") + folder + QStringLiteral(".dict"))
                  .toLocal8Bit();

    // The package's sums hold for a copy of the model too, found in the same place in its folder.
    sources.files.addSums(
        packageSumsFolder() + QStringLiteral("pocketsphinx-") + folder + QStringLiteral(".md5sums"),
        systemModelDirectory().mid(1) + QLatin1Char('/'), QFileInfo(m_modelPath).path());
    for (const char* name : acousticModelFiles)
        sources.files.addFileIfPresent(QString::fromLocal8Bit(sources.hmm + '/' + name));
    sources.files.addFile(QString::fromLocal8Bit(sources.dict));
    if (m_options.grammar.isEmpty())
        sources.files.addFile(QString::fromLocal8Bit(sources.generalModel));
    if (sources.withInterview) {
        sources.files.addSums(interview.filePath(QStringLiteral("interview.md5sums")), QString(),
                              interview.path());
        sources.files.addFile(QString::fromLocal8Bit(sources.interviewModel));
    }
    return sources;
}

std::shared_ptr<PocketSphinxRecognizer>
PocketSphinxRecognizer::create(const QString& localeIdentifier, Options options) {
    const QLocale locale(localeIdentifier);
    const QString directory =
        options.modelDirectory.isEmpty() ? systemModelDirectory() : options.modelDirectory;
    for (const auto& model : knownModels) {
        const QString folder = QString::fromLatin1(model.folder);
        const QString path = QDir(directory).filePath(folder);
        if (locale.language() == model.language && modelIsComplete(path, folder))
            return std::make_shared<PocketSphinxRecognizer>(path, std::move(options));
    }
    return nullptr;
}

QStringList PocketSphinxRecognizer::installedLocales() {
    QStringList locales;
    for (const auto& model : knownModels) {
        const QString folder = QString::fromLatin1(model.folder);
        if (modelIsComplete(QDir(systemModelDirectory()).filePath(folder), folder))
            locales.append(QString::fromLatin1(model.locale));
    }
    return locales;
}

PocketSphinxRecognizer::PocketSphinxRecognizer(QString modelPath, Options options)
    : m_modelPath(std::move(modelPath)), m_options(std::move(options)) {}

PocketSphinxRecognizer::~PocketSphinxRecognizer() {
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->quit = true;
        m_shared->wake.notify_all();
    }
    if (m_thread.joinable())
        m_thread.join();
    // Queued tasks hold the shared state that holds them.
    std::lock_guard lock(m_shared->mutex);
    m_shared->queue.clear();
}

bool PocketSphinxRecognizer::isAvailable() const {
    QByteArray failed;
    {
        std::lock_guard lock(m_failureMutex);
        failed = m_failedState;
    }
    // Files that failed to load are tried again once they change: repaired or reinstalled.
    return failed.isEmpty() || sources().files.state() != failed;
}

std::shared_ptr<SpeechRecognitionTask> PocketSphinxRecognizer::recognize(bool,
                                                                         ResultHandler onResult) {
    auto task = std::make_shared<Task>(m_shared, std::move(onResult));
    std::lock_guard lock(m_shared->mutex);
    if (!m_thread.joinable())
        m_thread = std::thread([this] { run(); });
    // A task still taking audio is being handed over: the new one continues its stream.
    if (auto previous = m_shared->latest.lock();
        previous && previous->open && previous->successor.expired()) {
        previous->successor = task;
        task->continues = true;
        // Its decoding is already over: what it received since goes to the new task now.
        if (previous->done)
            previous->handOver();
    }
    m_shared->latest = task;
    m_shared->queue.push_back(task);
    m_shared->wake.notify_all();
    return task;
}

bool PocketSphinxRecognizer::loadDecoder() {
    if (m_decoder)
        return true;
    const Sources model = sources();
    const QByteArray state = model.files.state();
    // The files are read and summed again only once they change, so a later session starts as
    // fast as before.
    if (state == m_checkedState || model.files.intact()) {
        m_checkedState = state;
        m_decoder = openDecoder(model);
    }
    std::lock_guard lock(m_failureMutex);
    m_failedState = m_decoder ? QByteArray() : state;
    return bool(m_decoder);
}

std::unique_ptr<PocketSphinxRecognizer::Decoder>
PocketSphinxRecognizer::openDecoder(const Sources& sources) const {
    auto decoder = std::make_unique<Decoder>();
    std::vector<const char*> arguments = {"-hmm",    sources.hmm.constData(),
                                          "-dict",   sources.dict.constData(),
                                          "-dither", "no",
                                          "-logfn",  "/dev/null"};
    if (!sources.withInterview && m_options.grammar.isEmpty()) {
        arguments.push_back("-lm");
        arguments.push_back(sources.generalModel.constData());
    }
    if (!m_options.libraryDefaults) {
        for (const auto& setting : searchSettings) {
            arguments.push_back(setting[0]);
            arguments.push_back(setting[1]);
        }
    }
    // The parser keeps the last value given for an option, so these override the ones above.
    for (const auto& setting : m_options.settings) {
        arguments.push_back(setting.first.constData());
        arguments.push_back(setting.second.constData());
    }
    decoder->config = cmd_ln_parse_r(nullptr, ps_args(), int(arguments.size()),
                                     const_cast<char**>(arguments.data()), FALSE);
    if (decoder->config)
        decoder->decoder = ps_init(decoder->config);
    if (!decoder->decoder)
        return nullptr;
    if (!m_options.grammar.isEmpty()) {
        if (!decoder->useGrammar(m_options.grammar) ||
            ps_set_search(decoder->decoder, "grammar") < 0)
            return nullptr;
    } else if (sources.withInterview &&
               !decoder->useLanguageModels(sources.generalModel, sources.interviewModel,
                                           m_options.interviewWeight)) {
        return nullptr;
    }
    cmn_t* cmn = ps_get_feat(decoder->decoder)->cmn_struct;
    decoder->initialMean.resize(std::size_t(cmn->veclen));
    cmn_live_get(cmn, decoder->initialMean.data());
    return decoder;
}

void PocketSphinxRecognizer::run() {
    for (;;) {
        std::shared_ptr<Task> task;
        {
            std::unique_lock lock(m_shared->mutex);
            m_shared->wake.wait(lock, [&] { return m_shared->quit || !m_shared->queue.empty(); });
            if (m_shared->quit)
                return;
            task = m_shared->queue.front();
        }
        if (!loadDecoder()) {
            task->deliver({std::nullopt, false,
                           AudioRecognitionFailure{failureDomain, 1,
                                                   QStringLiteral("The speech model could not be "
                                                                  "loaded.")}});
        } else {
            decode(*task);
        }
        bool listening = true;
        {
            std::lock_guard lock(m_shared->mutex);
            task->handOver();
            m_shared->queue.pop_front();
            const auto latest = m_shared->latest.lock();
            listening = !m_shared->queue.empty() || (latest && latest->open);
        }
        // The models take most of the program's memory: they stay only while audio comes in. A
        // task cancelled while its audio still flows is being replaced, so they stay for the next.
        if (!listening) {
            m_decoder.reset();
            // The allocator would otherwise keep the freed pages for this thread.
            malloc_trim(0);
        }
    }
}

void PocketSphinxRecognizer::decode(Task& task) {
    ps_decoder_t* decoder = m_decoder->decoder;
    {
        std::lock_guard lock(m_shared->mutex);
        if (!task.continues)
            m_decoder->restart();
    }
    m_decoder->leanOnInterviewModel(m_options);
    if (ps_start_utt(decoder) < 0) {
        task.deliver({std::nullopt, false, startFailure()});
        return;
    }
    bool heardSpeech = false;
    int slices = 0;
    QString lastPartial;
    std::vector<qint16> slice;
    for (;;) {
        bool last = false;
        {
            std::unique_lock lock(m_shared->mutex);
            m_shared->wake.wait(lock, [&] {
                return m_shared->quit || task.cancelled || !task.open ||
                       task.pending.size() >= sliceSamples;
            });
            if (m_shared->quit || task.cancelled) {
                lock.unlock();
                ps_end_utt(decoder);
                return;
            }
            const std::size_t count = std::min(sliceSamples, task.pending.size());
            slice.assign(task.pending.begin(), task.pending.begin() + std::ptrdiff_t(count));
            task.pending.erase(task.pending.begin(), task.pending.begin() + std::ptrdiff_t(count));
            last = !task.open && task.pending.empty();
        }
        if (!slice.empty()) {
            m_decoder->addDither(slice);
            ps_process_raw(decoder, slice.data(), slice.size(), FALSE, FALSE);
        }
        const bool inSpeech = ps_get_in_speech(decoder) != 0;
        m_decoder->levels.add(slice.data(), slice.size(), inSpeech);
        heardSpeech = heardSpeech || inSpeech;
        if (heardSpeech && (!inSpeech || last)) {
            ps_end_utt(decoder);
            // The final hypothesis can come back empty where the partial had words.
            QString words = hypothesis(decoder);
            if (words.isEmpty())
                words = lastPartial;
            if (!words.isEmpty()) {
                task.deliver({EnglishPunctuation::finished(words), true, std::nullopt});
                return;
            }
            // A noise taken for speech, as a freshly loaded decoder's first silence can be:
            // nothing to report, the task listens on.
            if (last)
                return;
            m_decoder->leanOnInterviewModel(m_options);
            if (ps_start_utt(decoder) < 0) {
                task.deliver({std::nullopt, false, startFailure()});
                return;
            }
            heardSpeech = false;
            slices = 0;
            continue;
        }
        if (last) {
            ps_end_utt(decoder);
            return;
        }
        if (heardSpeech && ++slices % slicesPerPartial == 0) {
            const QString partial = hypothesis(decoder);
            if (!partial.isEmpty() && partial != lastPartial) {
                lastPartial = partial;
                task.deliver({EnglishPunctuation::inProgress(partial), false, std::nullopt});
            }
        }
    }
}

} // namespace corvel
