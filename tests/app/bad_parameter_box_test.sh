#!/bin/bash
# The program started with a bad parameter: its error box comes up on a virtual X server, the
# program waits for it, and once the box is answered it ends with exit status 2, without a
# panel, a port write or a change to the settings files.
#
# Usage: bad_parameter_box_test.sh ORVALTIC_EXECUTABLE TEST_DATA_DIR
# Exit 77 (skipped) without Xvfb or xdotool.
set -euo pipefail

program=$1
data=$2
for tool in Xvfb xdotool timeout; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is not installed"
    exit 77
  fi
done

work=$(mktemp -d)
xvfb_pid=
cleanup() {
  if [[ -n $xvfb_pid ]]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number once it accepts clients.
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
read -r -t 20 display <"$work/display"
export DISPLAY=":$display"

mkdir "$work/settings"
cp "$data/presets/defaults.CFG" "$work/settings/Orvaltic.CFG"
cp "$data/options/defaults.opt" "$work/settings/Orvaltic.opt"
cp -r "$work/settings" "$work/before"

cd "$work/settings"
# Under AddressSanitizer: the X keyboard library passes strndup a string without a terminator,
# which is allowed (strndup reads at most n bytes) but trips strict string checks.
if [[ -n ${ASAN_OPTIONS:-} ]]; then
  export ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"
fi
QT_QPA_PLATFORM=xcb ORVALTIC_CARD="sim:$work/port.log" timeout 60 "$program" /O /x \
  >"$work/out" 2>&1 &
program_pid=$!

# The box is the only window: the program must still be running, waiting for the answer.
box=$(timeout 20 xdotool search --sync --onlyvisible --name '^Error')
if ! kill -0 "$program_pid" 2>/dev/null; then
  echo "FAIL: the program ended before its box was answered"
  exit 1
fi
# Every window of a client carries a class; the root window does not.
if [[ $(xdotool search --onlyvisible --class '.' | wc -l) -ne 1 ]]; then
  echo "FAIL: a window other than the box is shown"
  exit 1
fi
xdotool windowfocus --sync "$box" key Return

status=0
wait "$program_pid" || status=$?
cat "$work/out"
if [[ $status -ne 2 ]]; then
  echo "FAIL: exit status $status, expected 2"
  exit 1
fi
if [[ -s $work/port.log ]]; then
  echo "FAIL: the card was written to:"
  cat "$work/port.log"
  exit 1
fi
if ! diff -r "$work/before" "$work/settings"; then
  echo "FAIL: the settings folder changed"
  exit 1
fi
echo "PASS"
