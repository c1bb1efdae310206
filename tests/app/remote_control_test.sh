#!/bin/bash
# The real radio on a session bus of its own: media-player calls and orvaltic-card commands
# reach the card as clicks would, only commands for the radio's own card are handed to it,
# volume commands answer when their steps are done and stop at a modal window, one close runs
# at a time, a Play that ends in an error box answers first, and a second radio finds the name
# taken and runs on.
#
# Usage: remote_control_test.sh ORVALTIC ORVALTIC_CARD TEST_DATA_DIR
# Exit 77 (skipped) without dbus-run-session or gdbus.
set -euo pipefail
if [[ -z ${ORVALTIC_ON_TEST_BUS:-} ]]; then
  for tool in dbus-run-session gdbus timeout; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
  done
  ORVALTIC_ON_TEST_BUS=1 exec dbus-run-session -- "$0" "$@"
fi

radio=$1 card=$2 data=$3
work=$(mktemp -d)
pids=()
cleanup() {
  # SIGKILL: a terminated radio that is on would ask its close question first.
  for pid in "${pids[@]}"; do kill -KILL "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
cp "$data/presets/defaults.CFG" "$work/Orvaltic.CFG"
cp "$data/options/defaults.opt" "$work/Orvaltic.opt"
cd "$work"
export QT_QPA_PLATFORM=offscreen ORVALTIC_CARD="sim:$work/card.log"

name=org.mpris.MediaPlayer2.orvaltic
path=/org/mpris/MediaPlayer2
player=org.mpris.MediaPlayer2.Player
fail() { echo "FAIL: $*"; exit 1; }
prop() { gdbus call --session -d $name -o $path -m org.freedesktop.DBus.Properties.Get "$1" "$2"; }
call() { gdbus call --session -d $name -o $path -m "$@" >/dev/null; }

"$radio" /O 2>"$work/radio.err" &
pids+=($!)
# The radio owns the name once its event loop runs.
timeout 30 gdbus wait --session --timeout 30 $name || fail "the radio never appeared on the bus"

[[ $(prop org.mpris.MediaPlayer2 Identity) == "(<'Orvaltic'>,)" ]] || fail "Identity"
[[ $(prop $player PlaybackStatus) == "(<'Playing'>,)" ]] || fail "not playing after /O"
call $player.PlayPause
[[ $(prop $player PlaybackStatus) == "(<'Paused'>,)" ]] || fail "PlayPause did not pause"
call $player.PlayPause
before=$(wc -l <card.log)
call $player.Next
(($(wc -l <card.log) > before + 90)) || fail "Next wrote no frequency transfer"

# orvaltic-card hands its command to the radio, whose panel then shows what the card plays.
"$card" tune 99.5 || fail "the hand-off failed"
prop $player Metadata | grep -q "'orvaltic:frequency': <'99.500'>" || fail "panel not at 99.500"
"$card" volume down 0 2>/dev/null && fail "bad usage was accepted"

# Only a command for the radio's own card, with its own files read and valid, is handed off;
# any other ends as it would without a radio.
mkdir other
printf '524\r\n' >other/Orvaltic.opt
before=$(wc -l <card.log)
(cd other && ORVALTIC_CARD="sim:$work/other.log" "$card" tune 90.1 2>/dev/null) ||
  fail "another port failed"
[[ $(wc -l <other.log) == 97 && $(head -c 4 other.log) == 020C ]] || fail "port 524 not written"
printf 'Style 1\r\n' >other/Orvaltic.opt
(cd other && "$card" tune 90.1 2>/dev/null) && fail "a rejected options file was handed off"
rm other/Orvaltic.opt
(cd other && "$card" preset 3 2>/dev/null) && fail "a preset was handed off without Orvaltic.CFG"
(($(wc -l <card.log) == before)) || fail "the radio's card was driven for another command"
prop $player Metadata | grep -q "'orvaltic:frequency': <'99.500'>" || fail "the panel moved"

# A handed-off volume command answers when its steps are done, so the next one adds its own.
pulses() { grep -c ' 88$' card.log || true; }  # the byte of a volume-up pulse
first=$(pulses)
"$card" volume up 2 || fail "volume up failed"
(($(pulses) == first + 2)) || fail "volume up 2 answered before its steps were done"
"$card" volume up 2 || fail "the second volume up failed"
(($(pulses) == first + 4)) || fail "two volume commands in a row made $(($(pulses) - first)) steps"

# A second radio: the name is taken, it says so once and runs on.
"$radio" 2>"$work/second.err" &
pids+=($!)
for _ in $(seq 100); do grep -qs "is taken" "$work/second.err" && break; sleep 0.1; done
grep -q "is taken on the session bus" "$work/second.err" || fail "no report of the name taken"
kill -0 "${pids[1]}" || fail "the second radio did not run on"

# Quit opens the close question: volume steps under way stop there, and nothing steps on
# behind it.
"$card" volume up 20 2>"$work/steps.err" &
steps=$!
for _ in $(seq 50); do (($(pulses) > first + 4)) && break; sleep 0.05; done
call org.mpris.MediaPlayer2.Quit
wait $steps && fail "volume steps went on after Quit"
grep -q "stopped after .* of 20 volume steps" "$work/steps.err" || fail "no word of the stop"
written=$(wc -l <card.log)
# A SIGTERM and another Quit while the question is open: one close at a time, nothing saved again.
saved=$(stat -c %i Orvaltic.CFG)
kill -TERM "${pids[0]}"
call org.mpris.MediaPlayer2.Quit
sleep 0.5
(($(wc -l <card.log) == written)) || fail "the card was written behind the close question"
[[ $(stat -c %i Orvaltic.CFG) == "$saved" ]] || fail "a second close saved the presets again"
kill -0 "${pids[0]}" || fail "the radio ended without an answer to its question"

# A radio that is off with a saved frequency that is no number: Play switches it on, which ends
# in an error box. The caller has its answer before the box opens.
for pid in "${pids[@]}"; do kill -KILL "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done
pids=()
for _ in $(seq 100); do
  [[ $(gdbus call --session -d org.freedesktop.DBus -o /org/freedesktop/DBus \
    -m org.freedesktop.DBus.NameHasOwner $name) == "(false,)" ]] && break
  sleep 0.05
done
mkdir bad
sed '201s/.*/abc\r/' Orvaltic.CFG >bad/Orvaltic.CFG
cp Orvaltic.opt bad/
(cd bad && exec env ORVALTIC_CARD="sim:$work/bad.log" "$radio" 2>"$work/bad.err") &
pids+=($!)
timeout 30 gdbus wait --session --timeout 30 $name || fail "the third radio never appeared"
timeout 5 gdbus call --session -d $name -o $path -m $player.Play >/dev/null ||
  fail "Play kept its caller waiting"
for _ in $(seq 50); do [[ -s bad.log ]] && break; sleep 0.05; done
[[ $(head -2 bad.log | tr '\n' ' ') == "030C 00 030C C8 " ]] || fail "Play did not switch on"
(cd bad && "$card" mute 2>"$work/bad-card.err") && fail "a command reached the radio past its box"
grep -q "a window open that waits for an answer" bad-card.err || fail "the error box is not open"
echo "remote control: all checks passed"
