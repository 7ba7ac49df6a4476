# Shared set-up for the end-to-end tests: a private X server with a real window manager, a
# private settings folder, and helpers that drive the program with real input.
# Source it from a test script; it cleans up after itself when the script exits.
set -euo pipefail

PUKALO=${PUKALO:?set PUKALO to the built program}
E2E_TMP=$(mktemp -d /tmp/pukalo-e2e.XXXXXX)
export XDG_CONFIG_HOME=$E2E_TMP/config
SETTINGS_FILE=$XDG_CONFIG_HOME/Pukalo/Pukalo.ini
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR=$E2E_TMP/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
PIDS_TO_KILL=()
PUKALO_PID=

e2e_cleanup() {
    local pid
    for pid in ${PUKALO_PID:-} "${PIDS_TO_KILL[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Polls a command until it succeeds; fails the test after $1 tenths of a second.
wait_for() {
    local tenths=$1
    shift
    local i
    for ((i = 0; i < tenths; i++)); do
        if "$@" >/dev/null 2>&1; then
            return 0
        fi
        sleep 0.1
    done
    return 1
}

start_display() {
    local fifo=$E2E_TMP/displayfd
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" 2>"$E2E_TMP/xvfb.log" &
    PIDS_TO_KILL+=($!)
    wait_for 100 test -s "$fifo" || fail "Xvfb did not start"
    export DISPLAY=:$(head -n1 "$fifo")
    # The window manager, given time on a loaded machine, and started again once should it fail.
    local attempt
    for attempt in 1 2; do
        openbox --sm-disable >>"$E2E_TMP/openbox.log" 2>&1 &
        local wm=$!
        PIDS_TO_KILL+=($wm)
        if wait_for 200 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'; then
            return 0
        fi
        kill "$wm" 2>/dev/null || true
    done
    fail "openbox did not start: $(tail -n 5 "$E2E_TMP/openbox.log")"
}

write_settings() {
    mkdir -p "$(dirname "$SETTINGS_FILE")"
    printf '[Settings]\n' >"$SETTINGS_FILE"
    local pair
    for pair in "$@"; do
        printf '%s\n' "$pair" >>"$SETTINGS_FILE"
    done
}

start_pukalo() {
    "$PUKALO" >"$E2E_TMP/pukalo.out" 2>"$E2E_TMP/pukalo.err" &
    PUKALO_PID=$!
}

# Starts the program so that file permissions hold for it: as root (which they do not hold
# back) it runs as the ordinary user nobody, from a copy it may execute, with the private
# folders opened to it; otherwise as it is.
start_pukalo_unprivileged() {
    if [[ $(id -u) -ne 0 ]]; then
        start_pukalo
        return
    fi
    local bin=$E2E_TMP/pukalo runtime=$E2E_TMP/runtime-nobody
    cp "$PUKALO" "$bin"
    chmod 755 "$bin" "$E2E_TMP" "$XDG_CONFIG_HOME"
    [[ -d $XDG_CONFIG_HOME/Pukalo ]] && chmod o+rx "$XDG_CONFIG_HOME/Pukalo"
    [[ -d $runtime ]] || { mkdir -m 700 "$runtime" && chown nobody "$runtime"; }
    setpriv --reuid=nobody --regid=nogroup --clear-groups \
        env "XDG_RUNTIME_DIR=$runtime" "HOME=$E2E_TMP" "$bin" \
        >"$E2E_TMP/pukalo.out" 2>"$E2E_TMP/pukalo.err" </dev/null &
    PUKALO_PID=$!
}

# The X window of a top-level window of the program with exactly this title.
find_window() {
    xdotool search --all --onlyvisible --pid "$PUKALO_PID" --name "^$1\$" 2>/dev/null | head -n1
}

wait_window() {
    local title=$1 tenths=${2:-100} id=
    local i
    for ((i = 0; i < tenths; i++)); do
        id=$(find_window "$title" || true)
        if [[ -n $id ]]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    fail "window '$title' did not appear"
}

# The client area of a window on the screen: WX WY WW WH.
window_geometry() {
    local info
    info=$(xwininfo -id "$1")
    WX=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
    WY=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
    WW=$(sed -n 's/.*Width: *//p' <<<"$info")
    WH=$(sed -n 's/.*Height: *//p' <<<"$info")
}

# Clicks at a point of the main window's client area, measured below the menu bar (whose
# height is what the window has beyond the designed 280 pixels).
click_client() {
    local win=$1 x=$2 y=$3
    window_geometry "$win"
    xdotool mousemove $((WX + x)) $((WY + WH - 280 + y)) click 1
}

# Clicks the close box that openbox draws at the right end of the title bar.
click_close_box() {
    window_geometry "$1"
    xdotool mousemove $((WX + WW - 11)) $((WY - 11)) click 1
}

clipboard() {
    xclip -o -selection clipboard 2>/dev/null
}

clipboard_is() {
    [[ "$(clipboard; echo x)" == "$1"x ]]
}

wait_clipboard() {
    wait_for "${2:-30}" clipboard_is "$1"
}

process_gone() {
    ! kill -0 "$PUKALO_PID" 2>/dev/null
}

wait_exit() {
    wait_for "${1:-50}" process_gone || fail "pukalo did not end"
    wait "$PUKALO_PID" 2>/dev/null || true
}
