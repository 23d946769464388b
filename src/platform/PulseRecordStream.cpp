#include "platform/PulseRecordStream.h"

#include <pulse/pulseaudio.h>

namespace corvel {

namespace {
constexpr const char* applicationName = "Corvel Interview";

QString reasonOf(int error) {
    return QString::fromUtf8(pa_strerror(error));
}
} // namespace

PulseRecordStream::PulseRecordStream(Device device, Handlers handlers,
                                     std::function<void(const QByteArray& source)> requesting)
    : m_device(device), m_handlers(std::move(handlers)), m_requesting(std::move(requesting)) {}

PulseRecordStream::~PulseRecordStream() {
    stop();
}

QString PulseRecordStream::lastError() const {
    return reasonOf(pa_context_errno(m_context));
}

void PulseRecordStream::start() {
    if (m_loop)
        return;
    m_loop = pa_threaded_mainloop_new();
    m_context = pa_context_new(pa_threaded_mainloop_get_api(m_loop), applicationName);
    pa_context_set_state_callback(m_context, &PulseRecordStream::onContextState, this);
    // No autospawn: a missing sound server is reported, not started behind the user's back.
    if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        fail(Failure::serverUnavailable, lastError());
        return;
    }
    if (pa_threaded_mainloop_start(m_loop) < 0)
        fail(Failure::serverUnavailable, QStringLiteral("The sound client could not start."));
}

void PulseRecordStream::stop() {
    if (!m_loop)
        return;
    pa_threaded_mainloop_stop(m_loop);
    dropStream();
    pa_context_set_subscribe_callback(m_context, nullptr, nullptr);
    pa_context_set_state_callback(m_context, nullptr, nullptr);
    pa_context_disconnect(m_context);
    pa_context_unref(m_context);
    m_context = nullptr;
    pa_threaded_mainloop_free(m_loop);
    m_loop = nullptr;
    m_done = true;
}

void PulseRecordStream::fail(Failure failure, const QString& reason) {
    if (m_done)
        return;
    m_done = true;
    if (m_handlers.failed)
        m_handlers.failed(failure, reason);
}

void PulseRecordStream::onContextState(pa_context* context, void* data) {
    auto* self = static_cast<PulseRecordStream*>(data);
    switch (pa_context_get_state(context)) {
    case PA_CONTEXT_READY:
        // Default-device changes arrive as changes of the server.
        pa_context_set_subscribe_callback(
            context,
            [](pa_context*, pa_subscription_event_type_t type, uint32_t, void* data) {
                auto* self = static_cast<PulseRecordStream*>(data);
                if ((type & PA_SUBSCRIPTION_EVENT_FACILITY_MASK) == PA_SUBSCRIPTION_EVENT_SERVER &&
                    self->m_ready)
                    self->queryServer();
            },
            self);
        if (auto* operation =
                pa_context_subscribe(context, PA_SUBSCRIPTION_MASK_SERVER, nullptr, nullptr))
            pa_operation_unref(operation);
        self->queryServer();
        break;
    case PA_CONTEXT_FAILED:
        self->fail(self->m_ready ? Failure::streamFailed : Failure::serverUnavailable,
                   self->lastError());
        break;
    case PA_CONTEXT_TERMINATED:
        self->fail(Failure::streamFailed,
                   QStringLiteral("The sound server closed the connection."));
        break;
    default:
        break;
    }
}

void PulseRecordStream::queryServer() {
    if (m_done)
        return;
    pa_operation* operation = pa_context_get_server_info(
        m_context,
        [](pa_context*, const pa_server_info* info, void* data) {
            static_cast<PulseRecordStream*>(data)->serverChanged(
                info ? info->default_sink_name : nullptr,
                info ? info->default_source_name : nullptr);
        },
        this);
    if (operation)
        pa_operation_unref(operation);
    else
        fail(m_ready ? Failure::streamFailed : Failure::serverUnavailable, lastError());
}

void PulseRecordStream::serverChanged(const char* defaultSink, const char* defaultSource) {
    if (m_done)
        return;
    if (m_device == Device::defaultSinkMonitor) {
        followSink(QByteArray(defaultSink ? defaultSink : ""));
    } else if (!m_stream) {
        resolveSource(defaultSource);
    } else if (m_sourceName != QByteArray(defaultSource ? defaultSource : "")) {
        fail(Failure::inputChanged, QStringLiteral("The default audio input changed."));
    }
}

void PulseRecordStream::followSink(const QByteArray& sinkName) {
    if (sinkName.isEmpty()) {
        if (!m_stream)
            fail(Failure::noDevice, QStringLiteral("No audio output device is available."));
        else if (m_lost)
            fail(Failure::streamFailed, m_lostReason);
        return;
    }
    if (m_stream && sinkName == m_sinkName) {
        // The output is still the default, so the server ended the stream for another reason.
        if (m_lost)
            fail(Failure::streamFailed, m_lostReason);
        return;
    }
    pa_operation* operation = pa_context_get_sink_info_by_name(
        m_context, sinkName.constData(),
        [](pa_context*, const pa_sink_info* info, int eol, void* data) {
            auto* self = static_cast<PulseRecordStream*>(data);
            if (info && info->monitor_source_name && *info->monitor_source_name)
                self->recordMonitor(QByteArray(info->name), info->monitor_source_name);
            else if (eol != 0 && !self->m_stream)
                self->fail(Failure::noDevice,
                           QStringLiteral("The audio output device has no monitor to record."));
            else if (eol != 0 && self->m_lost)
                self->fail(Failure::streamFailed, self->m_lostReason);
        },
        this);
    if (operation)
        pa_operation_unref(operation);
    else if (!m_stream || m_lost)
        fail(m_stream ? Failure::streamFailed : Failure::noDevice, lastError());
}

void PulseRecordStream::recordMonitor(const QByteArray& sinkName, const char* monitorName) {
    if (m_done || (m_stream && !m_lost && m_sourceName == monitorName))
        return;
    dropStream();
    m_sinkName = sinkName;
    record(monitorName);
}

void PulseRecordStream::resolveSource(const char* defaultSource) {
    if (!defaultSource || !*defaultSource) {
        fail(Failure::noDevice, QStringLiteral("No audio input device is available."));
        return;
    }
    pa_operation_unref(pa_context_get_source_info_by_name(
        m_context, defaultSource,
        [](pa_context*, const pa_source_info* info, int eol, void* data) {
            auto* self = static_cast<PulseRecordStream*>(data);
            // A monitor of an output is not a microphone.
            if (info && info->monitor_of_sink == PA_INVALID_INDEX && !self->m_stream)
                self->record(info->name);
            else if (eol != 0 && !self->m_stream)
                self->fail(Failure::noDevice,
                           QStringLiteral("No audio input device is available."));
        },
        this));
}

void PulseRecordStream::record(const char* sourceName) {
    if (m_done)
        return;
    const pa_sample_spec spec{PA_SAMPLE_S16LE, sampleRate, 1};
    m_stream = pa_stream_new(m_context, "Listening", &spec, nullptr);
    if (!m_stream) {
        fail(Failure::streamFailed, lastError());
        return;
    }
    m_sourceName = sourceName;
    m_lost = false;
    pa_stream_set_state_callback(m_stream, &PulseRecordStream::onStreamState, this);
    pa_stream_set_read_callback(m_stream, &PulseRecordStream::onStreamRead, this);
    pa_buffer_attr attributes{};
    attributes.maxlength = static_cast<uint32_t>(-1);
    attributes.tlength = static_cast<uint32_t>(-1);
    attributes.prebuf = static_cast<uint32_t>(-1);
    attributes.minreq = static_cast<uint32_t>(-1);
    // Without a fragment size the server delivers audio in bursts of about two seconds.
    attributes.fragsize = fragmentSamples * sizeof(qint16);
    const auto flags =
        static_cast<pa_stream_flags_t>(PA_STREAM_DONT_MOVE | PA_STREAM_ADJUST_LATENCY);
    if (m_requesting)
        m_requesting(m_sourceName);
    if (pa_stream_connect_record(m_stream, sourceName, &attributes, flags) < 0)
        fail(Failure::streamFailed, lastError());
}

void PulseRecordStream::dropStream() {
    if (!m_stream)
        return;
    pa_stream_set_state_callback(m_stream, nullptr, nullptr);
    pa_stream_set_read_callback(m_stream, nullptr, nullptr);
    pa_stream_disconnect(m_stream);
    pa_stream_unref(m_stream);
    m_stream = nullptr;
}

void PulseRecordStream::onStreamState(pa_stream* stream, void* data) {
    auto* self = static_cast<PulseRecordStream*>(data);
    switch (pa_stream_get_state(stream)) {
    case PA_STREAM_READY:
        if (!self->m_ready && !self->m_done) {
            self->m_ready = true;
            if (self->m_handlers.ready)
                self->m_handlers.ready();
        }
        // Events before the first stream was ready went unseen, and an output followed since may
        // have stopped being the default while its stream connected: ask again.
        if (self->m_device == Device::defaultSinkMonitor)
            self->queryServer();
        break;
    case PA_STREAM_FAILED:
    case PA_STREAM_TERMINATED:
        self->streamEnded();
        break;
    default:
        break;
    }
}

void PulseRecordStream::streamEnded() {
    const bool killed = pa_context_errno(m_context) == PA_ERR_KILLED;
    if (!m_ready) {
        fail(Failure::streamFailed, lastError());
    } else if (m_device == Device::defaultSource) {
        // The server kills a stream that may not move when its input goes away.
        fail(killed ? Failure::inputChanged : Failure::streamFailed, lastError());
    } else {
        // Its output went away: keep listening if another output is now the default.
        m_lost = true;
        m_lostReason = lastError();
        queryServer();
    }
}

void PulseRecordStream::onStreamRead(pa_stream* stream, std::size_t, void* data) {
    auto* self = static_cast<PulseRecordStream*>(data);
    const void* bytes = nullptr;
    std::size_t size = 0;
    while (pa_stream_readable_size(stream) > 0) {
        if (pa_stream_peek(stream, &bytes, &size) < 0) {
            self->fail(Failure::streamFailed, self->lastError());
            return;
        }
        if (size == 0)
            return;
        // A hole (no data, but a size) carries nothing to record.
        if (bytes && !self->m_done && self->m_handlers.samples)
            self->m_handlers.samples(static_cast<const qint16*>(bytes), size / sizeof(qint16));
        pa_stream_drop(stream);
    }
}

} // namespace corvel
