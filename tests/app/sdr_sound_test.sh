#!/bin/bash
# The real radio playing a generated recording of the air through a private sound server with a
# null sink: its monitor must carry the tuned station's tone, in its channel, and nothing of the
# station beside it.
#
# Usage: sdr_sound_test.sh ORVALTIC FM_IQ_GENERATOR S16_TONE TEST_DATA_DIR
# Exit 77 (skipped) without pulseaudio or parec.
set -euo pipefail
radio=$1 generator=$2 tone=$3 data=$4
for tool in pulseaudio pactl parec timeout; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill -KILL "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; cat "$work/radio.err" 2>/dev/null || true; exit 1; }

export XDG_RUNTIME_DIR="$work/run" HOME="$work"
mkdir -m 700 "$XDG_RUNTIME_DIR"
pulseaudio --daemonize=no --exit-idle-time=-1 --disallow-exit -n \
  --load="module-null-sink sink_name=radio_out" --load="module-native-protocol-unix" \
  >"$work/pulse.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl info >/dev/null 2>&1 || fail "the sound server did not start"
pactl set-default-sink radio_out

cd "$work"
cp "$data/presets/defaults.CFG" Orvaltic.CFG
cp "$data/options/defaults.opt" Orvaltic.opt
# 1 kHz in the left channel at 99.5 MHz, 3 kHz at 99.9 MHz beside it.
"$generator" air.cu8 rate=1.2 seconds=2 centre=99.7 99.5:1000:0 99.9:3000:3000
export QT_QPA_PLATFORM=offscreen ORVALTIC_CARD="iq:$work/air.cu8,rate=1.2,centre=99.7,loop"
"$radio" /O /F:99.5 >"$work/radio.out" 2>"$work/radio.err" &
pids+=($!)
timeout 4 parec -d radio_out.monitor --format=s16le --rate=48000 --channels=2 --raw \
  >"$work/heard.raw" || true
read -r left right < <("$tone" "$work/heard.raw" 48000 1000 1.5)
read -r other _ < <("$tone" "$work/heard.raw" 48000 3000 1.5)
echo "1 kHz: left $left, right $right; 3 kHz: $other"
awk -v l="$left" -v r="$right" -v o="$other" \
  'BEGIN { exit !(l > 0.03 && r < l / 10 && o < l / 30) }' || fail "the station was not heard as it plays"
echo "PASS"
