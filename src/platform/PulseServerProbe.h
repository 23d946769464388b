#pragma once

#include <QString>

namespace corvel {

// What the sound server offers for listening, asked synchronously with a bounded wait.
struct PulseServerState {
    bool reachable = false;
    QString reason; // why the server did not answer
    bool defaultSinkHasMonitor = false;
    bool hasMicrophone = false; // an input source that is not the monitor of an output

    bool operator==(const PulseServerState&) const = default;
};

PulseServerState probePulseServer(int timeoutMs = 2000);

} // namespace corvel
