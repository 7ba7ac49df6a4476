# Shared by the end-to-end tests: a private X server with a real window manager, a private
# settings folder, and helpers that drive the program with real input. Source it; it cleans up
# after itself when the script exits.
set -euo pipefail

: "${PUKALO:?}" "${XCLIENT:?}" "${CATALOGUE_DUMP:?}" "${BUILD_DIR:?}"

# Skips the test, with CTest's skip status, where a tool it drives the program with is not
# installed (a packager's build machine); the README's test command installs them all.
need() {
    local missing=() tool
    for tool in "$@"; do command -v "$tool" >/dev/null || missing+=("$tool"); done
    ((${#missing[@]} == 0)) && return
    echo "SKIPPED: not installed: ${missing[*]}"
    exit 77
}
# What every test on a display uses.
X_TOOLS=(Xvfb openbox xdotool xprop xwininfo xclip xkbcomp)
E2E_TMP=$(mktemp -d /tmp/pukalo-e2e.XXXXXX)
export XDG_CONFIG_HOME=$E2E_TMP/config XDG_STATE_HOME=$E2E_TMP/state XDG_DATA_HOME=$E2E_TMP/data
export XDG_RUNTIME_DIR=$E2E_TMP/runtime QT_QPA_PLATFORM=xcb
SETTINGS_FILE=$XDG_CONFIG_HOME/Pukalo/Pukalo.ini HISTORY_FILE=$XDG_STATE_HOME/Pukalo/history
USER_KAOMOJI_FILE=$XDG_DATA_HOME/Pukalo/kaomoji FAVOURITES_FILE=$XDG_DATA_HOME/Pukalo/favourites
unset WAYLAND_DISPLAY
# No session bus, unless a test starts its own: the program then never hands itself to another
# Pukalo, the user's own least of all.
export DBUS_SESSION_BUS_ADDRESS=unix:path=$E2E_TMP/no-bus
mkdir -m 700 "$XDG_RUNTIME_DIR"
PIDS_TO_KILL=()
PUKALO_PID=

e2e_cleanup() {
    kill ${PUKALO_PID:-} "${PIDS_TO_KILL[@]}" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT
fail() { echo "FAIL: $*" >&2 && exit 1; }

# Polls a command until it succeeds; false after $1 tenths of a second (counted in polls, so
# a slow command waits longer, never shorter).
wait_for() {
    local i
    for ((i = 0; i < $1 * 4; i++)); do
        "${@:2}" >/dev/null 2>&1 && return 0
        sleep 0.025
    done
    return 1
}

# -noreset: an X server that resets when its last client leaves (the window manager killed by
# a test) races the next client's connection.
start_display() { # [width x height] [window manager: openbox, kwin]
    local fifo=$E2E_TMP/displayfd attempt wm=(openbox --sm-disable)
    [[ ${2:-openbox} == kwin ]] && wm=(dbus-run-session -- kwin_x11 --replace)
    rm -f "$fifo"
    Xvfb -displayfd 3 -screen 0 "${1:-1024x768}x24" -nolisten tcp -noreset 3>"$fifo" 2>"$E2E_TMP/xvfb.log" &
    PIDS_TO_KILL+=($!)
    XVFB_PID=$!
    wait_for 100 test -s "$fifo" || fail "Xvfb did not start"
    export DISPLAY=:$(head -n1 "$fifo")
    # Given time on a loaded machine, and started again once should it fail.
    for attempt in 1 2; do
        "${wm[@]}" >>"$E2E_TMP/wm.log" 2>&1 &
        PIDS_TO_KILL+=($!)
        WM_PID=$!
        wait_for 200 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' && return 0
        kill $! 2>/dev/null || true
    done
    fail "${wm[*]} did not start: $(tail -n 5 "$E2E_TMP/wm.log")"
}

# A session bus of the test's own, for what one Pukalo per session is told over; in a folder
# given, the ordinary user's (after ordinary_user).
start_session_bus() { # [folder]
    local folder=${1:-$E2E_TMP}
    ${as_user[@]+"${as_user[@]}"} dbus-daemon --session --nofork --address="unix:path=$folder/bus" \
        --print-address=3 3>"$folder/bus.address" 2>/dev/null &
    PIDS_TO_KILL+=($!)
    wait_for 50 test -s "$folder/bus.address" || fail "no session bus"
    export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$folder/bus.address")
}

# Binds each character of $1 to a free key of the display's keymap. xdotool types a character
# missing from the keymap by binding it for that one key press and unbinding it at once; a busy
# program reads the keymap after that and gets nothing. Bound beforehand, nothing changes.
bind_keys() {
    local keymap=$E2E_TMP/keymap.xkb free symbols="" i=0 c
    xkbcomp -xkb "$DISPLAY" "$keymap" 2>/dev/null || fail "xkbcomp could not read the keymap"
    mapfile -t free < <(sed -n 's/^ *<\(I[0-9]*\)> = .*/\1/p' "$keymap" |
        grep -vxFf <(sed -n 's/^ *key <\([^>]*\)>.*/\1/p' "$keymap"))
    while read -r c; do
        symbols+=$(printf 'key <%s> { [ U%04X ] };\\n' "${free[i]:?no free key left}" "'$c")
        i=$((i + 1))
    done < <(grep -o . <<<"$1" | sort -u)
    sed -i "/^xkb_symbols/a\\$symbols" "$keymap"
    xkbcomp "$keymap" "$DISPLAY" 2>/dev/null || fail "xkbcomp could not load the keymap"
}

# Where the test runs as root, makes what it names after this run as an ordinary user (input
# methods and compositors refuse root): `"${as_user[@]}" command`. The home folder becomes theirs;
# the build may be where only root may go (/root): the program, its windows and the test's X
# client are copied out.
ordinary_user() { # home
    as_user=()
    [[ $(id -u) -eq 0 ]] || return 0
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
    chmod o+x "$E2E_TMP"
    chown -R nobody:nogroup "$1"
    mkdir -m 755 "$E2E_TMP/bin"
    cp "$PUKALO" "$(dirname "$PUKALO")/pukalo-gui.so" "$XCLIENT" "$E2E_TMP/bin/"
    PUKALO=$E2E_TMP/bin/pukalo XCLIENT=$E2E_TMP/bin/xclient
}

# The home of a paste test's Wayland session, $home: the paste option on, the fcitx5 addon from
# the build, which fcitx5 finds with $ADDON_ENV. Before ordinary_user.
paste_session_home() {
    [[ -e $BUILD_DIR/fcitx5/lib/pukalo-fcitx5.so ]] ||
        { echo "SKIPPED: the fcitx5 addon was not built" && exit 77; }
    home=$E2E_TMP/home
    mkdir -p "$home/runtime" "$home/.config/Pukalo"
    chmod 700 "$home/runtime"
    printf '[Settings]\nShowlogo=2\nPaste=1\n' >"$home/.config/Pukalo/Pukalo.ini"
    cp -r "$BUILD_DIR/fcitx5" "$home/addon"
    local installed # fcitx5's own addons, under the architecture's library folder
    installed=$(compgen -G '/usr/lib/*/fcitx5' | head -n1)
    ADDON_ENV="FCITX_ADDON_DIRS=$installed:$home/addon/lib XDG_DATA_DIRS=$home/addon/share:/usr/share"
}

write_settings() {
    mkdir -p "$(dirname "$SETTINGS_FILE")"
    printf '[Settings]\n' >"$SETTINGS_FILE"
    [[ $# -eq 0 ]] || printf '%s\n' "$@" >>"$SETTINGS_FILE"
}

# Starts the program (with `env` arguments before it, if any) and waits for its main window.
# A script's background job would start with SIGINT ignored; a user's program does not.
start_pukalo() {
    env --default-signal=INT "$@" "$PUKALO" >"$E2E_TMP/pukalo.out" 2>"$E2E_TMP/pukalo.err" </dev/null &
    PUKALO_PID=$!
    MAIN=$(wait_window "プカロ！" 150)
}

program_windows() { # [title]: the program's visible top-level windows
    xdotool search --all --onlyvisible --pid "$PUKALO_PID" ${1:+--name "^$1\$"} 2>/dev/null || true
}
windows_open() { (($(program_windows | wc -l) $1)); } # a comparison: ">= 2", "== 1"
has_window() { [[ -n $(program_windows "$1") ]]; }
# Waits until the window has the keyboard focus: typed keys go to a window only once the window
# manager has given it the focus, a moment after it appears.
focused() { [[ $(xdotool getwindowfocus 2>/dev/null) == "$1" ]]; }
wait_focus() { wait_for 50 focused "$1" || fail "window $1 did not get the focus"; }
wait_window() { # title [tenths]
    wait_for "${2:-100}" has_window "$1" || fail "window '$1' did not appear"
    program_windows "$1" | head -n1
}

# Returns once the program has handled every event sent before: it answers the window
# manager's ping from its event loop.
settled() {
    "$XCLIENT" ping "${1:-$MAIN}" || fail "the program's event loop did not answer"
}

# The client area of a window on the screen: WX WY WW WH.
window_geometry() {
    read -r WX WY WW WH < <(xwininfo -id "$1" | awk -F: '/Absolute upper-left|Width|Height/ {printf "%d ", $2} END {print ""}')
}

# Clicks at a point of a window's client area; for the main window measured below the menu
# bar (the height beyond the designed 280 pixels).
click_in() { # window x y
    window_geometry "$1"
    local below=0
    [[ $1 == "$MAIN" ]] && below=$((WH - 280))
    xdotool mousemove $((WX + $2)) $((WY + below + $3)) click 1
}

click_close_box() { # openbox draws it at the right end of the title bar
    window_geometry "$1"
    xdotool mousemove $((WX + WW - 11)) $((WY - 11)) click 1
}

key() { xdotool key --clearmodifiers "$@"; }

# Opens the プカロ menu with its access key and picks an item by its access key.
menu_item() {
    key alt+k
    wait_for 30 windows_open ">= 2" || fail "the menu did not open"
    key "$1"
}

# Picks category number $1 of the drop-down list (fresh program) and copies the first
# kaomoji of the left (L) or right (R) column, then $3 more entries down.
copy_kaomoji() { # category side downs expected
    click_in "$MAIN" 330 12
    (($1)) && key $(printf 'Down %.0s' $(seq "$1"))
    click_in "$MAIN" "$([[ $2 == L ]] && echo 30 || echo 250)" 38
    (($3)) && key $(printf 'Down %.0s' $(seq "$3"))
    wait_clipboard "$4" || fail "copy: clipboard has [$(clipboard)], not [$4]"
}

clipboard() { xclip -o -selection clipboard 2>/dev/null; }
clipboard_is() { [[ "$(clipboard; echo x)" == "$1"x ]]; }
wait_clipboard() { wait_for "${2:-30}" clipboard_is "$1"; }
# Another program copies this text.
other_copies() {
    printf '%s' "$1" | xclip -selection clipboard -i >/dev/null 2>&1
    wait_clipboard "$1" || fail "xclip did not take the clipboard"
}

# A Wayland compositor that takes connections and never answers, at $XDG_RUNTIME_DIR/NAME;
# "full": its listen queue filled, so that a connect would wait. Then the program copies with it
# as its compositor and is told to end: it must end within the tenths of a second given.
copy_and_exit_beside_compositor() { # name tenths [full]
    python3 -c 'import socket, sys, time
s = socket.socket(socket.AF_UNIX); s.bind(sys.argv[1]); s.listen(0 if sys.argv[2] else 8); held = []
while sys.argv[2]:
    c = socket.socket(socket.AF_UNIX); c.setblocking(False)
    try: c.connect(sys.argv[1]); held.append(c)
    except BlockingIOError: break
print("ready", flush=True); time.sleep(600)' "$XDG_RUNTIME_DIR/$1" "${3:-}" >"$E2E_TMP/$1.out" &
    PIDS_TO_KILL+=($!)
    wait_for 50 grep -q ready "$E2E_TMP/$1.out" || fail "the compositor $1 was not made"
    other_copies ''
    start_pukalo WAYLAND_DISPLAY="$1"
    copy_kaomoji 1 L 0 '(^^)'
    kill -TERM "$PUKALO_PID"
    wait_for "$2" ended || fail "the exit hung on the compositor $1"
    wait_exit
}

# Live processes of this name that belong to this test's display. Reads /proc without a
# process per entry: the tests wait on this in loops.
own_processes() {
    local p comm stat
    for p in /proc/[0-9]*; do
        { read -r comm <"$p/comm" && [[ $comm == "$1" ]] && read -r stat <"$p/stat"; } 2>/dev/null || continue
        stat=${stat##*) }
        [[ ${stat:0:1} != Z ]] || continue
        tr '\0' '\n' <"$p/environ" 2>/dev/null | grep -qx "DISPLAY=$DISPLAY" && echo "${p#/proc/}"
    done
    return 0
}

# Waits for the program to end and checks its exit status (0 unless given).
ended() { ! kill -0 "$PUKALO_PID" 2>/dev/null; }
wait_exit() {
    wait_for 50 ended || fail "pukalo did not end"
    local status=0
    wait "$PUKALO_PID" || status=$?
    PUKALO_PID=
    [[ $status -eq ${1:-0} ]] || fail "pukalo ended with status $status: $(tail -n 3 "$E2E_TMP/pukalo.err")"
}
