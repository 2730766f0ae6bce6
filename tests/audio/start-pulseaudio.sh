# Starts a private PulseAudio daemon for the audio tests: a null sink "vsink" as the default
# output, a virtual microphone "vmic" (a remap of the sink's monitor) as the default input,
# and a 440 Hz tone playing into the sink, so whatever records from the microphone hears it.
#
# Usage, from any directory:
#   source tests/audio/start-pulseaudio.sh SCRATCH_DIR   # or: eval "$(bash ... --print SCRATCH_DIR)"
#   ctest ...
#   bash tests/audio/stop-pulseaudio.sh SCRATCH_DIR
#
# Sourcing exports, for the tests:
#   PULSE_SERVER          unix socket of the private daemon (every Pulse client, Qt included, uses it)
#   PENLARK_TEST_TONE_HZ  frequency of the tone playing into vsink (440)
#   PENLARK_PULSE_DIR     SCRATCH_DIR/pulse, which holds the daemon's home, runtime dir, log and pids
# Nothing else of the calling shell changes (HOME and XDG_* are set for the daemon only).
# Returns (or exits, when not sourced) non-zero when the daemon does not come up; the tests
# then find no audio device and skip. Removing SCRATCH_DIR also ends everything it started,
# within a second, should the stop script not run.

penlark_pulse_start() {
    local print=0
    if [ "${1:-}" = "--print" ]; then print=1; shift; fi
    local scratch="${1:-}"
    if [ -z "$scratch" ]; then
        echo "usage: source start-pulseaudio.sh SCRATCH_DIR" >&2
        return 2
    fi
    local tone_hz=440
    local dir
    dir="$(mkdir -p "$scratch/pulse" && cd "$scratch/pulse" && pwd)" || return 1
    local home="$dir/home" runtime="$dir/xdg"
    mkdir -p "$home/.config" || return 1
    mkdir -p -m 700 "$runtime" || return 1
    local socket="$runtime/pulse/native"
    local server="unix:$socket"
    local -a daemon_env=(env HOME="$home" XDG_RUNTIME_DIR="$runtime" XDG_CONFIG_HOME="$home/.config"
                         PULSE_SERVER="$server")

    command -v pulseaudio >/dev/null 2>&1 || { echo "pulseaudio is not installed" >&2; return 1; }

    # The daemon forks into the background (-D); anonymous access is safe on a socket in a
    # 0700 folder and spares the clients a cookie.
    "${daemon_env[@]}" pulseaudio -D -n --exit-idle-time=-1 --disallow-exit \
        --log-target="file:$dir/pulse.log" \
        --load="module-native-protocol-unix auth-anonymous=1 socket=$socket" \
        --load="module-null-sink sink_name=vsink" \
        --load="module-remap-source master=vsink.monitor source_name=vmic" || return 1

    local tries=0
    until "${daemon_env[@]}" pactl info >/dev/null 2>&1; do
        tries=$((tries + 1))
        if [ "$tries" -gt 50 ]; then
            echo "PulseAudio did not answer; see $dir/pulse.log" >&2
            return 1
        fi
        sleep 0.1
    done
    "${daemon_env[@]}" pactl set-default-sink vsink >/dev/null
    "${daemon_env[@]}" pactl set-default-source vmic >/dev/null
    "${daemon_env[@]}" pactl info | grep -E 'Default (Sink|Source)' > "$dir/defaults.txt"

    # The tone: sox writes a sine as fast as the pipe takes it; pacat paces it in real time.
    if command -v sox >/dev/null 2>&1; then
        ( "${daemon_env[@]}" sh -c "sox -q -n -t raw -r 48000 -c 1 -b 16 -e signed-integer - synth 36000 sine $tone_hz vol 0.5 \
              | pacat --format=s16le --rate=48000 --channels=1 --device=vsink --latency-msec=200" \
              >/dev/null 2>&1 & echo $! > "$dir/tone.pid" )
    fi
    # A low-latency reader on the microphone makes the first fragments of a new recording
    # arrive at once instead of after a long first fragment.
    ( "${daemon_env[@]}" parecord --latency-msec=20 --device=vmic --raw /dev/null \
          >/dev/null 2>&1 & echo $! > "$dir/reader.pid" )

    # Everything above ends by itself once SCRATCH_DIR is removed, even if the stop script is
    # never reached.
    local daemon_pid tone_pid reader_pid
    daemon_pid="$(cat "$runtime/pulse/pid" 2>/dev/null)"
    tone_pid="$(cat "$dir/tone.pid" 2>/dev/null)"
    reader_pid="$(cat "$dir/reader.pid" 2>/dev/null)"
    ( set +e; trap '' HUP
      while [ -d "$dir" ]; do sleep 1; done
      [ -n "$tone_pid" ] && pkill -TERM -P "$tone_pid" 2>/dev/null
      kill -TERM $tone_pid $reader_pid $daemon_pid 2>/dev/null
      exit 0 ) >/dev/null 2>&1 </dev/null &
    echo $! > "$dir/watchdog.pid"

    if [ "$print" = 1 ]; then
        printf 'export PULSE_SERVER=%q PENLARK_TEST_TONE_HZ=%q PENLARK_PULSE_DIR=%q\n' "$server" "$tone_hz" "$dir"
    else
        export PULSE_SERVER="$server" PENLARK_TEST_TONE_HZ="$tone_hz" PENLARK_PULSE_DIR="$dir"
    fi
    return 0
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    # Run, not sourced: only --print makes sense, since exports would die with this shell.
    penlark_pulse_start "$@"
    exit $?
else
    penlark_pulse_start "$@"
fi
