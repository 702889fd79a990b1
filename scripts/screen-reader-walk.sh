#!/usr/bin/env bash
# A blind reader's walk through Velmor with the Orca screen reader, on a
# virtual screen: a search, the values beside its result read by Orca's flat
# review, its results, choosing an aya, the compose window, the reading
# window's steps, its place line and a message. Prints each step with what
# Orca spoke after it (its debug log's speech lines) and leaves the whole log
# in OUT_DIR.
# Usage: scripts/screen-reader-walk.sh [BUILD_DIR] [OUT_DIR]
# Installs, where missing: Xvfb, openbox, xdotool, D-Bus, at-spi2-core, Orca.
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-$(mktemp -d)}
mkdir -p "$out"
program=$build/bin/velmor
[ -x "$program" ] || { echo "build Velmor first (scripts/build.sh)"; exit 2; }
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
need=()
for p in xvfb openbox xdotool x11-utils x11-xkb-utils dbus dbus-x11 at-spi2-core orca; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || need+=("$p")
done
if [ "${#need[@]}" -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq && $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}"
fi

if [ -z "${VELMOR_WALK_INSIDE:-}" ]; then
  # A session bus of its own, which the accessibility bus and Orca join.
  exec env VELMOR_WALK_INSIDE=1 dbus-run-session -- "$0" "$build" "$out"
fi

home=$out/home
: >"$out/steps.log"
mkdir -p "$home/.config" "$home/.local/share" "$home/runtime"
chmod 700 "$home/runtime"
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share
export XDG_RUNTIME_DIR=$home/runtime
display=:57
Xvfb $display -screen 0 1280x800x24 >"$out/xvfb.log" 2>&1 &
pids=($!)
trap 'kill "${pids[@]}" 2>/dev/null; wait 2>/dev/null' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >"$out/openbox.log" 2>&1 &
pids+=($!)
# The window manager is up once it names itself on the root window.
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
  sleep 0.1
done
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$out/at-spi.log" 2>&1 &
pids+=($!)
# Qt's bridge to the accessibility bus, on whatever the desktop says.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
orca --replace --debug-file="$out/orca.log" >"$out/orca.out" 2>&1 &
pids+=($!)
sleep 4
"$program" >"$out/velmor.log" 2>&1 &
pids+=($!)

# Waits until a window whose name matches is shown; its id.
window() {
  for _ in $(seq 100); do
    for id in $(xdotool search --name "$1" 2>/dev/null); do
      xwininfo -id "$id" 2>/dev/null | grep -q "IsViewable" && { echo "$id"; return 0; }
    done
    sleep 0.1
  done
  return 1
}
# Each step is stamped with the time, as Orca stamps what it speaks, once
# Orca has said what the step before brought.
step() { sleep 1.5; echo "$(date +%T.%N) == $*" >>"$out/steps.log"; }
# Orca's key: the Insert key in its desktop layout; the flat review keys are
# on the keypad (7, 8, 9: the line above, this line, the line below).
orca_key() { xdotool keydown Insert key "$1" keyup Insert; }
main=$(window '^ ?Velmor$') || { echo "the main window did not open"; exit 1; }
xdotool windowactivate --sync "$main"
sleep 2

step "search: الصمد"
setxkbmap ara
xdotool type --delay 80 "الصمد"
setxkbmap us
xdotool key Return
step "the values beside the result, by flat review: this line (KP 8), then the lines below (KP 9)"
xdotool key KP_Up
for _ in $(seq 9); do xdotool key KP_Page_Up; sleep 0.3; done
step "Tab: the next stop, the aya shown"
xdotool key Tab
step "choose the aya: a double click on it"
read -r left top width < <(xwininfo -id "$main" |
  awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF} /Width/{w=$NF} END{print x, y, w}')
xdotool mousemove $((left + width - 50)) $((top + 99)) click --repeat 2 --delay 80 1
step "the aya display and the values below it: Tab, Shift+Tab"
xdotool key shift+Tab
step "compose the chosen ayas: Ctrl+S"
xdotool key ctrl+s
compose=$(window 'إنشاء النص') && xdotool windowactivate --sync "$compose"
sleep 2
step "close the compose window: Escape"
xdotool key Escape
xdotool windowactivate --sync "$main"
step "reading window: Ctrl+R"
xdotool key ctrl+r
reader=$(window 'القراءة') && xdotool windowactivate --sync "$reader"
step "next aya: Ctrl+Down"
xdotool key ctrl+Down
step "next aya: Ctrl+Down"
xdotool key ctrl+Down
step "the place line, by flat review: the bottom line (Orca+KP 9)"
orca_key KP_Page_Up
step "a reference that does not exist: Ctrl+G 2:300"
xdotool key ctrl+g
xdotool type "2:300"
xdotool key Return
step "the message line, by flat review: the top line (Orca+KP 7), then the lines below (KP 9)"
orca_key KP_Home
for _ in $(seq 5); do xdotool key KP_Page_Up; sleep 0.3; done
step "close the reading window"
xdotool key Escape
sleep 2

grep -E "SPEECH OUTPUT: '" "$out/orca.log" | sed "s/ - SPEECH OUTPUT: / /" | uniq >"$out/speech.txt"
# The steps and the speech in the order of their times.
sort -s -k1,1 "$out/steps.log" "$out/speech.txt" | cut -d' ' -f2- >"$out/walk.txt"
echo "Each step, and what Orca spoke after it ($out/walk.txt):"
cat "$out/walk.txt"
[ -s "$out/speech.txt" ] || { echo "FAIL: Orca spoke nothing"; exit 1; }
