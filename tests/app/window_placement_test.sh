#!/bin/bash
# The real radio under a window manager (openbox) on a virtual X server, where windows have
# frames: every style shown, and shown again, keeps the outer corner of the panel it replaces;
# the titles are the captions alone; the help comes up beside the panel and back from a
# minimised window; the font dialog leaves the panel in view; the close stores the place the
# screen shows; and the help from the command-line error box leaves the box and its focus free.
#
# Usage: window_placement_test.sh ORVALTIC_EXECUTABLE TEST_DATA_DIR
# Exit 77 (skipped) without Xvfb, openbox or the X tools.
set -euo pipefail

program=$1
data=$2
for tool in Xvfb openbox xdotool xprop xwininfo timeout; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is not installed"
    exit 77
  fi
done

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill -KILL "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  exit 1
}

mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
read -r -t 20 display <"$work/display"
export DISPLAY=":$display"
openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
if [[ -n ${ASAN_OPTIONS:-} ]]; then
  export ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"
fi
export QT_QPA_PLATFORM=xcb ORVALTIC_CARD=sim

# The panels stand at left 300, top 200, with their border.
mkdir "$work/settings"
sed -e '207s/^[^\r]*/200/' -e '208s/^[^\r]*/300/' -e '209s/^[^\r]*/bsSingle/' \
  "$data/presets/defaults.CFG" >"$work/settings/Orvaltic.CFG"
cp "$data/options/defaults.opt" "$work/settings/Orvaltic.opt"
cd "$work/settings"

# The outer rectangle of a window, frame included: "LEFT TOP RIGHT BOTTOM" (right and bottom
# exclusive), once the window manager has framed it.
outer() {
  local extents="" info x y w h
  for _ in $(seq 50); do
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.* = //p' | tr -d ,)
    [[ -n $extents ]] && break
    sleep 0.1
  done
  read -r l r t b <<<"${extents:-0 0 0 0}"
  info=$(xwininfo -id "$1")
  x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
  y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
  w=$(sed -n 's/.*Width: *//p' <<<"$info")
  h=$(sed -n 's/.*Height: *//p' <<<"$info")
  echo "$((x - l)) $((y - t)) $((x + w + r)) $((y + h + b))"
}
overlap() {  # two outer rectangles
  read -r al at ar ab <<<"$1"
  read -r bl bt br bb <<<"$2"
  ((al < br && bl < ar && at < bb && bt < ab))
}
on_screen() {
  read -r l t r b <<<"$1"
  ((l >= 0 && t >= 0 && r <= 1280 && b <= 1024))
}
# The one panel shown, found by its exact title.
shown_panel() {
  local found
  found=$(xdotool search --onlyvisible --name '^S[1-7]$' 2>/dev/null || true)
  [[ $(wc -w <<<"$found") -eq 1 ]] || return 1
  echo "$found"
}
wait_for() {  # TITLE: the visible window of that exact title
  timeout 10 xdotool search --sync --onlyvisible --name "^$1\$" | head -1
}
menu() {  # KEYS...: chosen from the popup menu of the shown panel
  local panel
  panel=$(shown_panel) || fail "not exactly one panel shown"
  xdotool mousemove --window "$panel" 4 4 click 3
  sleep 0.3
  xdotool key "$@"
}
corner_is() {  # TITLE: the panel of that title stands at 300, 200
  local window rect=""
  window=$(wait_for "$1") || fail "$1 is not shown (titles: $(xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | tr '\n' ' '))"
  for _ in $(seq 30); do
    rect=$(outer "$window")
    read -r left top _ _ <<<"$rect"
    [[ "$left $top" == "300 200" ]] && return 0
    sleep 0.1
  done
  fail "$1 stands at $left $top, not at 300 200"
}

"$program" /O >"$work/radio.out" 2>&1 &
radio=$!
pids+=($radio)
corner_is S1
xprop -id "$(wait_for S1)" WM_CLASS | grep -q '"Orvaltic"' || fail "the window class is not Orvaltic"
for n in 2 3 4 5 6 7; do
  for style in $n 1 $n 1; do
    menu s "$style"
    corner_is "S$style"
  done
done

# F1 on the panel: the help beside it; minimised, it comes back with the next F1.
panel=$(shown_panel)
xdotool windowactivate --sync "$panel" key F1
help=$(wait_for "Orvaltic Help") || fail "no help window"
help_rect=$(outer "$help")
overlap "$help_rect" "$(outer "$panel")" && fail "the help covers the panel: $help_rect"
on_screen "$help_rect" || fail "the help is off the screen: $help_rect"
xdotool windowminimize --sync "$help"
xdotool windowactivate --sync "$panel" key F1
for _ in $(seq 30); do
  xwininfo -id "$help" | grep -q IsViewable && break
  sleep 0.1
done
xwininfo -id "$help" | grep -q IsViewable || fail "the help stayed minimised"

# The font dialog beside the panel, whose display shows what Apply does.
menu n
font=$(wait_for Font) || fail "no font dialog"
font_rect=$(outer "$font")
overlap "$font_rect" "$(outer "$panel")" && fail "the font dialog covers the panel: $font_rect"
on_screen "$font_rect" || fail "the font dialog is off the screen: $font_rect"
xdotool windowactivate --sync "$font" key Escape

# The close with the radio on stores the place the screen shows.
kill -TERM "$radio"
box=$(wait_for Confirm) || fail "no close question"
xdotool windowactivate --sync "$box" key n
timeout 10 tail --pid="$radio" -f /dev/null || fail "the radio did not end"
[[ $(sed -n '207p;208p' Orvaltic.CFG | tr -d '\r' | tr '\n' ' ') == "200 300 " ]] ||
  fail "stored $(sed -n '207p;208p' Orvaltic.CFG | tr -d '\r' | tr '\n' ' ')instead of 200 300"

# The command-line error box: its Help leaves the box in view, and Return then answers it.
"$program" /x >"$work/bad.out" 2>&1 &
bad=$!
pids+=($bad)
box=$(wait_for Error) || fail "no error box"
xdotool windowactivate --sync "$box" key Tab space
help=$(wait_for "Orvaltic Help") || fail "no help from the error box"
box=$(wait_for Error) || fail "the error box did not come back after Help"
overlap "$(outer "$help")" "$(outer "$box")" && fail "the help covers the error box"
xdotool windowactivate --sync "$box" key Return
status=0
timeout 10 tail --pid="$bad" -f /dev/null || fail "Return did not answer the error box"
wait "$bad" || status=$?
((status == 2)) || fail "exit status $status after the error box, expected 2"
echo "PASS"
