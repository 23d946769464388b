# Sourced by scripts/test. Starts throw-away services for the tests and stops them by process id:
#   a private D-Bus session bus with gnome-keyring as an unlocked Secret Service, and a
#   PulseAudio daemon with two null sinks: call_sink (the default sink, "call audio") and
#   mic_sink, whose monitor is remapped as "virtmic", the default source (a microphone).
# Every daemon runs under `timeout`, so none outlives a run that was killed.

SVC_MAX_SECONDS=${SVC_MAX_SECONDS:-5400}
export CORVEL_TEST_KEYRING_PASSWORD=${CORVEL_TEST_KEYRING_PASSWORD:-corvel-test-keyring}

svc_wait() { # svc_wait SECONDS CMD...
    local deadline=$(($(date +%s) + $1))
    shift
    until "$@" >/dev/null 2>&1; do
        [ "$(date +%s)" -ge "$deadline" ] && return 1
        sleep 0.1
    done
}

svc_start() {
    SVC_DIR=$(mktemp -d /tmp/corvel-services.XXXXXX) || return 1
    mkdir -p "$SVC_DIR/home" "$SVC_DIR/xdg" "$SVC_DIR/pulse"
    chmod 700 "$SVC_DIR/xdg" "$SVC_DIR/pulse"
    SVC_PIDS=""

    cat >"$SVC_DIR/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path=$SVC_DIR/bus</listen>
  <auth>EXTERNAL</auth>
  <policy context="default"><allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/><allow own="*"/></policy>
</busconfig>
CONF
    timeout "$SVC_MAX_SECONDS" dbus-daemon --config-file="$SVC_DIR/bus.conf" --nofork --nopidfile \
        >"$SVC_DIR/dbus.log" 2>&1 &
    SVC_PIDS="$SVC_PIDS $!"
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$SVC_DIR/bus"
    svc_wait 10 test -S "$SVC_DIR/bus" || { echo "test services: no session bus" >&2; return 1; }

    printf '%s' "$CORVEL_TEST_KEYRING_PASSWORD" |
        HOME="$SVC_DIR/home" XDG_RUNTIME_DIR="$SVC_DIR/xdg" timeout "$SVC_MAX_SECONDS" \
            gnome-keyring-daemon --foreground --unlock --components=secrets \
            >"$SVC_DIR/keyring.env" 2>"$SVC_DIR/keyring.log" &
    SVC_PIDS="$SVC_PIDS $!"
    svc_wait 10 dbus-send --session --print-reply --dest=org.freedesktop.secrets \
        /org/freedesktop/secrets/aliases/default org.freedesktop.DBus.Properties.Get \
        string:org.freedesktop.Secret.Collection string:Label ||
        { echo "test services: Secret Service not ready" >&2; cat "$SVC_DIR/keyring.log" >&2; return 1; }

    HOME="$SVC_DIR/home" XDG_RUNTIME_DIR="$SVC_DIR/xdg" timeout "$SVC_MAX_SECONDS" \
        pulseaudio --daemonize=no --exit-idle-time=-1 --disallow-exit -n \
        --load="module-native-protocol-unix socket=$SVC_DIR/pulse/native auth-anonymous=1" \
        --load="module-null-sink sink_name=call_sink rate=48000 sink_properties=device.description=CallSink" \
        --load="module-null-sink sink_name=mic_sink rate=48000 sink_properties=device.description=MicSink" \
        --load="module-remap-source master=mic_sink.monitor source_name=virtmic source_properties=device.description=VirtualMic" \
        --log-target=file:"$SVC_DIR/pulse.log" >/dev/null 2>&1 &
    SVC_PIDS="$SVC_PIDS $!"
    export PULSE_SERVER="unix:$SVC_DIR/pulse/native"
    svc_wait 10 pactl info || { echo "test services: PulseAudio not ready" >&2; cat "$SVC_DIR/pulse.log" >&2; return 1; }
    pactl set-default-sink call_sink && pactl set-default-source virtmic
    export SVC_DIR
}

svc_stop() {
    [ -n "${SVC_DIR:-}" ] || return 0
    local p
    # SIGTERM to each `timeout`, which passes it on to its daemon.
    kill $SVC_PIDS 2>/dev/null
    for p in $SVC_PIDS; do
        for _ in $(seq 50); do kill -0 "$p" 2>/dev/null || break; sleep 0.1; done
        kill -KILL "$p" 2>/dev/null || true
    done
    wait $SVC_PIDS 2>/dev/null
    rm -rf "$SVC_DIR"
    unset DBUS_SESSION_BUS_ADDRESS PULSE_SERVER SVC_DIR
}
