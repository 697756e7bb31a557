#!/usr/bin/env bash
# Screenshots of the workbench on a virtual X display, against the PLC
# simulator:
#   main-window.png   the program as it starts (the simulator's terminal in
#                     its port list through ORVEL_EXTRA_PORTS)
#   road-*.png        the main road walked by its end-to-end test on the same
#                     display: the main window after Compile All, an IL POU
#                     and the same POU in LD with live values, the status
#                     chart, the hardware window and the PID trend display
#
#   scripts/screenshots.sh OUTPUT_FOLDER
#
# The build folder is ./build unless ORVEL_BUILD_DIR names another. Xvfb,
# xdotool and ImageMagick's import are installed with apt-get when missing.
set -euo pipefail

if [ $# -ne 1 ]; then
    echo "usage: $0 OUTPUT_FOLDER" >&2
    exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ORVEL_BUILD_DIR:-$root/build}
mkdir -p "$1"
out=$(cd "$1" && pwd)

missing=()
command -v Xvfb >/dev/null || missing+=(xvfb)
command -v xdotool >/dev/null || missing+=(xdotool)
command -v import >/dev/null || missing+=(imagemagick)
if [ ${#missing[@]} -gt 0 ]; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi

cmake --build "$build" -j3 --target orvelbuilder plcsim shell_ui_tests

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A display number nobody uses.
number=90
while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do
    number=$((number + 1))
done
export DISPLAY=:$number
Xvfb "$DISPLAY" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.1
done
xdotool getdisplaygeometry >/dev/null

# The simulator runs until its standard input closes; its first line is the terminal.
mkfifo "$work/sim-in"
"$build/tests/plcsim/plcsim" --run <"$work/sim-in" >"$work/sim-out" &
pids+=($!)
exec 3>"$work/sim-in"
for _ in $(seq 100); do
    [ -s "$work/sim-out" ] && break
    sleep 0.1
done
terminal=$(head -n 1 "$work/sim-out")
echo "simulated PLC on $terminal"

# The program itself, with settings and projects in the scratch folder.
XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" ORVEL_EXTRA_PORTS="$terminal" \
    QT_QPA_PLATFORM=xcb "$build/src/app/orvelbuilder" --no-splash >"$work/app.log" 2>&1 &
app=$!
pids+=($app)
window=$(timeout 30 xdotool search --sync --onlyvisible --name "OrvelBuilder" | head -n 1)
xdotool windowsize "$window" 1280 900 windowmove "$window" 0 0
# The window has painted once the event queue is empty; give the compositor-less server a moment.
sleep 1
import -window root "$out/main-window.png"
kill "$app"
exec 3>&-

# The main road on the same display; the test writes its windows as they show there.
XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" QT_QPA_PLATFORM=xcb ORVEL_SCREENSHOT_DIR="$out" \
    "$build/tests/shell/ui/shell_ui_tests" --gtest_filter='MainRoadEndToEndTest.NewProjectToMonitoringForcingUploadAndBack'

ls -1 "$out"
