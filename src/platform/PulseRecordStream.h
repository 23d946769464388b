#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <functional>

struct pa_threaded_mainloop;
struct pa_context;
struct pa_stream;

namespace corvel {

// One PulseAudio record stream (PipeWire serves the same API) on its own threaded main loop:
// 16 kHz mono signed 16-bit samples in 20 ms fragments. The server never moves the stream (it
// would move it onto the microphone when an output goes away); we choose the device ourselves.
// Call audio is whatever the computer plays: when the default output changes, recording moves
// to the new output's monitor, and it fails only when no output is left to record. The
// microphone stays on the input it started with: a change of the default input, or that input
// going away, fails with inputChanged.
class PulseRecordStream final {
public:
    enum class Device { defaultSinkMonitor, defaultSource };
    enum class Failure { serverUnavailable, noDevice, streamFailed, inputChanged };
    static constexpr int sampleRate = 16000;
    // Samples in a fragment: what the server holds back before handing audio over, and so part
    // of the delay between the end of a question and its answer.
    static constexpr std::size_t fragmentSamples = sampleRate / 50;

    // Called on the stream's own thread (or inside start() when it fails at once). `failed`
    // runs at most once, and nothing runs after it or after stop() returns.
    struct Handlers {
        std::function<void()> ready;
        std::function<void(const qint16* samples, std::size_t count)> samples;
        std::function<void(Failure failure, const QString& reason)> failed;
    };

    // `requesting` runs on the stream's thread just before each record request goes out, while
    // the stream cannot be ready yet: tests change the server at that moment.
    PulseRecordStream(Device device, Handlers handlers,
                      std::function<void(const QByteArray& source)> requesting = {});
    ~PulseRecordStream();
    PulseRecordStream(const PulseRecordStream&) = delete;
    PulseRecordStream& operator=(const PulseRecordStream&) = delete;

    // Connects and starts recording; the outcome arrives through the handlers. Once only.
    void start();
    // Blocks until the stream's thread has ended. Never call it from a handler.
    void stop();

private:
    static void onContextState(pa_context* context, void* self);
    static void onStreamState(pa_stream* stream, void* self);
    static void onStreamRead(pa_stream* stream, std::size_t bytes, void* self);
    void queryServer();
    void serverChanged(const char* defaultSink, const char* defaultSource);
    void followSink(const QByteArray& sinkName);
    void recordMonitor(const QByteArray& sinkName, const char* monitorName);
    void resolveSource(const char* defaultSource);
    void streamEnded();
    void record(const char* sourceName);
    void dropStream();
    void fail(Failure failure, const QString& reason);
    QString lastError() const;

    Device m_device;
    Handlers m_handlers;
    std::function<void(const QByteArray& source)> m_requesting;
    pa_threaded_mainloop* m_loop = nullptr;
    pa_context* m_context = nullptr;
    pa_stream* m_stream = nullptr;
    QByteArray m_sinkName;   // call audio: the output whose monitor is recorded
    QByteArray m_sourceName; // what the stream records
    // Call audio: the server ended the stream; the default output decides what comes next.
    bool m_lost = false;
    QString m_lostReason;
    bool m_ready = false;
    bool m_done = false;
};

} // namespace corvel
