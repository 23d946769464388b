#include "platform/PocketSphinxRecognizer.h"

#include <pocketsphinx.h>

#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <vector>

namespace corvel {

namespace {

const QString failureDomain = QStringLiteral("PocketSphinx");
constexpr std::size_t sliceSamples = 1600;

struct InstalledModel {
    QLocale::Language language;
    const char* locale;
    const char* folder;
};
// Debian's pocketsphinx-en-us is the only model packaged; French has none.
constexpr InstalledModel knownModels[] = {{QLocale::English, "en-US", "en-us"}};

QString systemModelDirectory() {
    return QStringLiteral(CORVEL_POCKETSPHINX_MODELDIR);
}

bool modelIsComplete(const QString& path, const QString& folder) {
    const QDir dir(path);
    return QFileInfo(dir.filePath(folder) + QStringLiteral("/mdef")).isFile() &&
           QFileInfo(dir.filePath(folder + QStringLiteral(".lm.bin"))).isFile() &&
           QFileInfo(dir.filePath(QStringLiteral("cmudict-") + folder + QStringLiteral(".dict")))
               .isFile();
}

QString trimmedHypothesis(ps_decoder_t* decoder) {
    const char* hypothesis = ps_get_hyp(decoder, nullptr);
    return hypothesis ? QString::fromUtf8(hypothesis).trimmed() : QString();
}

} // namespace

class PocketSphinxRecognizer::Task final : public SpeechRecognitionTask {
public:
    Task(std::shared_ptr<Shared> shared, ResultHandler handler)
        : m_shared(std::move(shared)), m_handler(std::move(handler)) {}

    void append(const qint16* samples, std::size_t count) override {
        std::lock_guard lock(m_shared->mutex);
        if (ended || cancelled || finished)
            return;
        pending.insert(pending.end(), samples, samples + count);
        m_shared->wake.notify_all();
    }
    void endAudio() override {
        std::lock_guard lock(m_shared->mutex);
        ended = true;
        m_shared->wake.notify_all();
    }
    void cancel() override {
        {
            std::lock_guard lock(m_shared->mutex);
            cancelled = true;
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

    // Guarded by Shared::mutex.
    std::vector<qint16> pending;
    bool ended = false;
    bool cancelled = false;
    bool finished = false;

private:
    std::shared_ptr<Shared> m_shared;
    std::mutex m_handlerMutex;
    ResultHandler m_handler;
};

struct PocketSphinxRecognizer::Decoder {
    cmd_ln_t* config = nullptr;
    ps_decoder_t* decoder = nullptr;
    ~Decoder() {
        if (decoder)
            ps_free(decoder);
        if (config)
            cmd_ln_free_r(config);
    }
};

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
    return !m_loadFailed;
}

std::shared_ptr<SpeechRecognitionTask> PocketSphinxRecognizer::recognize(bool,
                                                                         ResultHandler onResult) {
    auto task = std::make_shared<Task>(m_shared, std::move(onResult));
    std::lock_guard lock(m_shared->mutex);
    if (!m_thread.joinable())
        m_thread = std::thread([this] { run(); });
    m_shared->queue.push_back(task);
    m_shared->wake.notify_all();
    return task;
}

bool PocketSphinxRecognizer::loadDecoder() {
    if (m_decoder)
        return true;
    const QString folder = QDir(m_modelPath).dirName();
    const QByteArray hmm = QDir(m_modelPath).filePath(folder).toLocal8Bit();
    const QByteArray lm =
        QDir(m_modelPath).filePath(folder + QStringLiteral(".lm.bin")).toLocal8Bit();
    const QByteArray dict =
        QDir(m_modelPath)
            .filePath(QStringLiteral("cmudict-") + folder + QStringLiteral(".dict"))
            .toLocal8Bit();
    auto decoder = std::make_unique<Decoder>();
    // Dither keeps the front end sane on the exact zeros an idle output delivers.
    decoder->config =
        cmd_ln_init(nullptr, ps_args(), TRUE, "-hmm", hmm.constData(), "-lm", lm.constData(),
                    "-dict", dict.constData(), "-dither", "yes", "-logfn", "/dev/null", nullptr);
    if (decoder->config)
        decoder->decoder = ps_init(decoder->config);
    if (!decoder->decoder)
        return false;
    if (!m_options.grammar.isEmpty()) {
        if (ps_set_jsgf_string(decoder->decoder, "grammar", m_options.grammar.constData()) < 0 ||
            ps_set_search(decoder->decoder, "grammar") < 0)
            return false;
    }
    m_decoder = std::move(decoder);
    return true;
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
            m_loadFailed = true;
            task->deliver({std::nullopt, false,
                           AudioRecognitionFailure{failureDomain, 1,
                                                   QStringLiteral("The speech model could not be "
                                                                  "loaded.")}});
        } else {
            decode(*task);
        }
        std::lock_guard lock(m_shared->mutex);
        task->finished = true;
        m_shared->queue.pop_front();
    }
}

void PocketSphinxRecognizer::decode(Task& task) {
    ps_decoder_t* decoder = m_decoder->decoder;
    if (ps_start_utt(decoder) < 0) {
        task.deliver({std::nullopt, false,
                      AudioRecognitionFailure{failureDomain, 2,
                                              QStringLiteral("Recognition could not start.")}});
        return;
    }
    bool heardSpeech = false;
    QString lastPartial;
    std::vector<qint16> chunk;
    for (;;) {
        bool ended = false;
        {
            std::unique_lock lock(m_shared->mutex);
            m_shared->wake.wait(lock, [&] {
                return m_shared->quit || task.cancelled || task.ended || !task.pending.empty();
            });
            if (m_shared->quit || task.cancelled) {
                lock.unlock();
                ps_end_utt(decoder);
                return;
            }
            chunk.swap(task.pending);
            task.pending.clear();
            ended = task.ended;
        }
        // Slices of 100 ms, so that a pause inside a long chunk still ends the utterance.
        for (std::size_t offset = 0; offset < chunk.size() || ended; offset += sliceSamples) {
            const std::size_t count =
                std::min(sliceSamples, chunk.size() - std::min(offset, chunk.size()));
            if (count > 0)
                ps_process_raw(decoder, chunk.data() + offset, count, FALSE, FALSE);
            const bool last = offset + count >= chunk.size();
            const bool inSpeech = ps_get_in_speech(decoder) != 0;
            heardSpeech = heardSpeech || inSpeech;
            if (heardSpeech && (!inSpeech || (ended && last))) {
                ps_end_utt(decoder);
                // The final hypothesis can come back empty where the partial had words.
                QString text = trimmedHypothesis(decoder);
                if (text.isEmpty())
                    text = lastPartial;
                task.deliver({text, true, std::nullopt});
                return;
            }
            if (ended && last) {
                ps_end_utt(decoder);
                return;
            }
            if (heardSpeech) {
                const QString partial = trimmedHypothesis(decoder);
                if (!partial.isEmpty() && partial != lastPartial) {
                    lastPartial = partial;
                    task.deliver({partial, false, std::nullopt});
                }
            }
            if (last)
                break;
        }
        chunk.clear();
    }
}

} // namespace corvel
