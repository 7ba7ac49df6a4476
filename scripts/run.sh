#!/bin/bash
# Builds Pukalo (Release) and runs it. Without a display, it runs the program on a private
# virtual display instead, saves a screenshot of the main window and prints the file's path.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

ensure_packages "${BUILD_PACKAGES[@]}"
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build/release -j"$(nproc)"

if [[ -n ${DISPLAY:-} || -n ${WAYLAND_DISPLAY:-} ]]; then
    exec build/release/pukalo
fi

ensure_packages "${SCREENSHOT_PACKAGES[@]}"
# A desktop runs programs in a UTF-8 locale; a bare login may have none (then Qt names the window
# in bytes the tools cannot match).
[[ $(locale charmap 2>/dev/null) == UTF-8 ]] || export LC_ALL=C.UTF-8
work=$(mktemp -d)
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

[[ -n ${XDG_RUNTIME_DIR:-} ]] || { export XDG_RUNTIME_DIR=$work/runtime; mkdir -m 700 "$XDG_RUNTIME_DIR"; }
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.1; done
export DISPLAY=:$(head -n1 "$work/display")
openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
sleep 0.5

build/release/pukalo &
pukalo=$!
pids+=($pukalo)
echo "No display: running Pukalo on the virtual display $DISPLAY" >&2
window=
for _ in $(seq 150); do
    window=$(xdotool search --all --onlyvisible --pid "$pukalo" --name '^プカロ！$' 2>/dev/null |
        head -n1 || true)
    [[ -n $window ]] && break
    sleep 0.1
done
if [[ -z $window ]]; then
    echo "The main window did not appear." >&2
    exit 1
fi
sleep 1.2 # until the splash logo has gone
mkdir -p shots
shot=$PWD/shots/pukalo-$(date +%Y%m%d-%H%M%S).png
import -window root "$shot"
kill -TERM "$pukalo"
wait "$pukalo" || true
echo "$shot"
