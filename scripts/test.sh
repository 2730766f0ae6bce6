#!/usr/bin/env bash
# Installs what is missing, builds Penlark with AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs every test: the core tests, the GUI tests on a real (offscreen) window, and the
# audio tests against a private PulseAudio daemon with a null sink and a virtual microphone.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/install-deps.sh --tests

cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPENLARK_SANITIZE=ON
cmake --build build-test

scratch=$(mktemp -d /tmp/penlark-test.XXXXXX)
cleanup() {
  [ -f "$root/tests/audio/stop-pulseaudio.sh" ] && bash "$root/tests/audio/stop-pulseaudio.sh" "$scratch" >/dev/null 2>&1 || true
  rm -rf "$scratch"
}
trap cleanup EXIT
if [ -f tests/audio/start-pulseaudio.sh ]; then
  # shellcheck disable=SC1091
  source tests/audio/start-pulseaudio.sh "$scratch" || echo "PulseAudio did not start: the audio tests will skip"
fi

cd build-test
ctest --output-on-failure --timeout 600 -j2
