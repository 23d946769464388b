#!/bin/sh
# Launch-to-window time and idle memory of the app under a private Xvfb.
#   tools/measure/startup.sh [RUNS] [fresh|completed]
# Each run starts the app with an empty home (so "fresh" shows the guided setup and "completed"
# the main interface), times from the launch until the main window is viewable, then reads the
# process's resident memory after two idle seconds. Prints every run and the medians.
set -eu
app=${APP:-build/src/app/corvel-interview}
runs=${1:-9}
mode=${2:-completed}
display=:${DISPLAY_NUMBER:-97}

Xvfb "$display" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
work=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT INT TERM
until xwininfo -display "$display" -root >/dev/null 2>&1; do sleep 0.05; done

median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }

# The main window (class "corvel-interview"; Qt's 1 x 1 leader window has the same title) once
# it is viewable.
waitForWindow() {
    while :; do
        id=$(xwininfo -display "$display" -root -tree 2>/dev/null |
            awk '/\("corvel-interview"/ {print $1; exit}')
        if [ -n "$id" ] && xwininfo -display "$display" -id "$id" 2>/dev/null |
            grep -q IsViewable; then
            return
        fi
        sleep 0.002
    done
}

for run in $(seq "$runs"); do
    home="$work/home$run"
    mkdir -p "$home/.config/Tessaroy"
    if [ "$mode" = completed ]; then
        printf '[General]\ntessaroy.completedGuidedSetup=true\n' \
            >"$home/.config/Tessaroy/Corvel Interview.conf"
    fi
    start=$(date +%s%N)
    HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
        XDG_RUNTIME_DIR="$home" DISPLAY="$display" QT_QPA_PLATFORM=xcb \
        DBUS_SESSION_BUS_ADDRESS=disabled: "$app" >/dev/null 2>&1 &
    pid=$!
    waitForWindow
    end=$(date +%s%N)
    sleep 2
    rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "run $run: $(((end - start) / 1000000)) ms to the window, ${rss} kB resident when idle" |
        tee -a "$work/runs"
done
echo "median: $(awk '{print $3}' "$work/runs" | median) ms to the window," \
    "$(awk '{print $8}' "$work/runs" | median) kB resident when idle ($mode, $runs runs)"
