#pragma once

#include "platform/SpeechRecognizer.h"

#include <QByteArray>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace corvel {

// Speech recognition with pocketsphinx and an installed acoustic model (Debian ships US English
// only). One decoder is loaded when listening starts, reused by every segment and freed once audio
// stops coming; it runs on a thread of its own, one segment at a time. A segment ends with a final
// result at the first pause after speech, or when its audio ends. The language model is the general
// one interpolated with an interview model built with the application, when that model is present,
// leaning on the interview model more when the speech heard so far stands little above its noise.
//
// Audio is one stream across segments: a task requested while the previous one still takes audio
// continues where that one stopped, with everything the previous task received after its final
// result, so nothing spoken during a hand-over is lost and the same audio always splits into the
// same utterances.
//
// Every model file is checked against its recorded sum before the library reads it, the first time
// and after any change, since the library ends the program on a malformed file. A model that failed
// to load is not available until its files change, so a repaired one loads at the next start.
class PocketSphinxRecognizer final : public SpeechRecognizer {
public:
    struct Options {
        QString modelDirectory; // empty: the system's pocketsphinx model folder
        QByteArray grammar;     // a JSGF grammar in place of the language models; empty: none
        QString interviewModelDirectory; // empty: the one built with the application
        // Interpolation weight of the interview model over noise, and on clean speech; the general
        // model keeps the rest, so speech outside interviews still decodes.
        float interviewWeight = 0.75f;
        float cleanInterviewWeight = 0.2f;
        // Decoder arguments ("-beam", "1e-60") over the tuned ones, for measuring tools.
        std::vector<std::pair<QByteArray, QByteArray>> settings;
        // The library's own model, dictionary and search settings, which measuring tools compare
        // against; `settings` still apply.
        bool libraryDefaults = false;
    };

    static std::shared_ptr<PocketSphinxRecognizer> create(const QString& localeIdentifier,
                                                          Options options);
    static QStringList installedLocales();

    ~PocketSphinxRecognizer() override;

    bool isAvailable() const override;
    bool supportsOnDeviceRecognition() const override { return true; }
    std::shared_ptr<SpeechRecognitionTask> recognize(bool requiresOnDevice,
                                                     ResultHandler onResult) override;

    class Task;
    struct Shared {
        std::mutex mutex;
        std::condition_variable wake;
        std::deque<std::shared_ptr<Task>> queue;
        std::weak_ptr<Task> latest;
        bool quit = false;
    };

    PocketSphinxRecognizer(QString modelPath, Options options);

private:
    struct Decoder;
    struct Sources;

    void run();
    Sources sources() const;
    bool loadDecoder();
    std::unique_ptr<Decoder> openDecoder(const Sources& sources) const;
    void decode(Task& task);

    QString m_modelPath;
    Options m_options;
    std::shared_ptr<Shared> m_shared = std::make_shared<Shared>();
    mutable std::mutex m_failureMutex;
    QByteArray m_failedState; // the files' state when they last failed to load; empty: none
    std::thread m_thread;
    // Used on the decoder thread only.
    QByteArray m_checkedState; // the files' state when they last matched their sums
    std::unique_ptr<Decoder> m_decoder;
};

} // namespace corvel
