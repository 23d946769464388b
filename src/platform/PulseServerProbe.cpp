#include "platform/PulseServerProbe.h"

#include <pulse/pulseaudio.h>

#include <QDeadlineTimer>

namespace corvel {

namespace {

struct Probe {
    PulseServerState state;
    int pending = 0;
    bool failed = false;
    bool connected = false;
};

void onSink(pa_context*, const pa_sink_info* info, int eol, void* data) {
    auto* probe = static_cast<Probe*>(data);
    if (info && info->monitor_source_name && *info->monitor_source_name)
        probe->state.defaultSinkHasMonitor = true;
    if (eol != 0)
        --probe->pending;
}

void onSource(pa_context*, const pa_source_info* info, int eol, void* data) {
    auto* probe = static_cast<Probe*>(data);
    if (info && info->monitor_of_sink == PA_INVALID_INDEX)
        probe->state.hasMicrophone = true;
    if (eol != 0)
        --probe->pending;
}

void onServer(pa_context* context, const pa_server_info* info, void* data) {
    auto* probe = static_cast<Probe*>(data);
    if (info && info->default_sink_name && *info->default_sink_name) {
        ++probe->pending;
        pa_operation_unref(
            pa_context_get_sink_info_by_name(context, info->default_sink_name, &onSink, probe));
    }
    ++probe->pending;
    pa_operation_unref(pa_context_get_source_info_list(context, &onSource, probe));
    --probe->pending;
}

void onContextState(pa_context* context, void* data) {
    auto* probe = static_cast<Probe*>(data);
    switch (pa_context_get_state(context)) {
    case PA_CONTEXT_READY:
        probe->connected = true;
        probe->state.reachable = true;
        pa_operation_unref(pa_context_get_server_info(context, &onServer, probe));
        break;
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
        probe->failed = true;
        probe->state.reason = QString::fromUtf8(pa_strerror(pa_context_errno(context)));
        break;
    default:
        break;
    }
}

} // namespace

PulseServerState probePulseServer(int timeoutMs) {
    Probe probe;
    probe.pending = 1; // the server information
    pa_mainloop* loop = pa_mainloop_new();
    pa_context* context = pa_context_new(pa_mainloop_get_api(loop), "Corvel Interview");
    pa_context_set_state_callback(context, &onContextState, &probe);
    if (pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        probe.failed = true;
        probe.state.reason = QString::fromUtf8(pa_strerror(pa_context_errno(context)));
    }
    const QDeadlineTimer deadline(timeoutMs);
    while (!probe.failed && !(probe.connected && probe.pending == 0) && !deadline.hasExpired()) {
        if (pa_mainloop_prepare(
                loop, static_cast<int>(qMin<qint64>(deadline.remainingTime(), 100)) * 1000) < 0 ||
            pa_mainloop_poll(loop) < 0 || pa_mainloop_dispatch(loop) < 0)
            break;
    }
    if (!probe.failed && !(probe.connected && probe.pending == 0)) {
        probe.state = {};
        probe.state.reason = QStringLiteral("The sound server did not answer in time.");
    }
    if (!probe.state.reachable)
        probe.state.defaultSinkHasMonitor = probe.state.hasMicrophone = false;
    pa_context_set_state_callback(context, nullptr, nullptr);
    pa_context_disconnect(context);
    pa_context_unref(context);
    pa_mainloop_free(loop);
    return probe.state;
}

} // namespace corvel
