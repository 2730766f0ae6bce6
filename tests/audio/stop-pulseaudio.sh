#!/usr/bin/env bash
# Stops what start-pulseaudio.sh started under SCRATCH_DIR: the tone, the microphone reader
# and the daemon. Safe to run when nothing was started.
# Usage: bash tests/audio/stop-pulseaudio.sh SCRATCH_DIR
set -u
scratch="${1:?usage: stop-pulseaudio.sh SCRATCH_DIR}"
dir="$scratch/pulse"
[ -d "$dir" ] || exit 0

stop_group() {
    # Each helper was started in its own subshell; end the pipeline it leads and its children.
    local pidfile="$1"
    [ -f "$pidfile" ] || return 0
    local pid
    pid="$(cat "$pidfile")"
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        pkill -TERM -P "$pid" 2>/dev/null
        kill -TERM "$pid" 2>/dev/null
    fi
    rm -f "$pidfile"
}
stop_group "$dir/watchdog.pid"
stop_group "$dir/tone.pid"
stop_group "$dir/reader.pid"

# The daemon writes its pid beside its socket; read it first, since --kill removes it.
pid="$(cat "$dir/xdg/pulse/pid" 2>/dev/null)"
env HOME="$dir/home" XDG_RUNTIME_DIR="$dir/xdg" XDG_CONFIG_HOME="$dir/home/.config" \
    PULSE_SERVER="unix:$dir/xdg/pulse/native" pulseaudio --kill >/dev/null 2>&1
if [ -n "$pid" ]; then
    for _ in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20; do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && kill -KILL "$pid" 2>/dev/null
fi
exit 0
