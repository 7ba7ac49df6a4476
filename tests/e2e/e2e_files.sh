#!/bin/bash
# Nothing the user had is lost and nothing waits without a bound: a full disk under the settings
# and the history, FIFOs in the places of the program's files, two instances writing the history
# at once on a slow disk, the search window's size at every way out, a hand-written settings file
# kept line for line, a Wayland compositor whose listen queue is full, a WAYLAND_DISPLAY that
# names nothing, and the X server going away right after an arrow-key choice. Runs in a mount
# namespace of its own, for small file systems it can fill.
# As root; as an ordinary user, in a user namespace; where there is none (in a chroot, for one),
# through sudo. The mounts stay private to it: made under a folder of the test's own, made
# private first (in a chroot / is no mount point to make private).
if [[ -z ${PUKALO_IN_NAMESPACE:-} ]]; then
    for namespace in "unshare --mount --propagation unchanged" \
        "unshare --user --map-root-user --mount" \
        "sudo -n --preserve-env unshare --mount --propagation unchanged"; do
        [[ $(id -u) -ne 0 && $namespace == "unshare --mount"* ]] && continue
        $namespace true 2>/dev/null || continue
        PUKALO_IN_NAMESPACE=$namespace exec $namespace bash ${BASH_TRACE:+-x} "$0" "$@"
    done
    echo "SKIPPED: no mount namespace (unshare, or sudo for it)" && exit 77
fi
source "$(dirname "$0")/lib.sh"
need "${X_TOOLS[@]}" strace python3 mkfifo mount umount
mount --bind "$E2E_TMP" "$E2E_TMP" && mount --make-private "$E2E_TMP" || fail "no private mount"
trap 'umount -R -l "$E2E_TMP" 2>/dev/null; e2e_cleanup' EXIT
# In a user namespace, the X server's sockets in a folder of the namespace's own: it may not
# write the system's.
[[ $PUKALO_IN_NAMESPACE != *--user* ]] || mount -t tmpfs -o mode=1777 tmpfs /tmp/.X11-unix
start_display
SEARCH_SIZE=$XDG_STATE_HOME/Pukalo/search-window-size

# Starts the program and answers each message box it opens meanwhile with Return.
dismiss_box() { wait_for 50 windows_open "== 2" || fail "$1: no message box"; key Return; wait_for 30 windows_open "== 1"; }

# --- A full disk: the old settings and history stay byte for byte, and each failure is said ---
full=$E2E_TMP/full
mkdir "$full" && mount -t tmpfs -o size=64k tmpfs "$full"
export XDG_CONFIG_HOME=$full/config XDG_STATE_HOME=$full/state
SETTINGS_FILE=$XDG_CONFIG_HOME/Pukalo/Pukalo.ini HISTORY_FILE=$XDG_STATE_HOME/Pukalo/history
mkdir -p "${SETTINGS_FILE%/*}" "${HISTORY_FILE%/*}"
printf '; mine\n[Settings]\nShowlogo=2\n[Mine]\nx=1\n' >"$SETTINGS_FILE"
printf '笑顔１\t<^^>\n笑顔１\t(^^)\n' >"$HISTORY_FILE"
dd if=/dev/zero of="$full/filler" bs=4k 2>/dev/null || true
before=$(md5sum "$SETTINGS_FILE" "$HISTORY_FILE")
start_pukalo
copy_kaomoji 2 L 0 '＼(^o^)／'
dismiss_box "full disk, history"
menu_item m
dismiss_box "full disk, settings"
kill -TERM "$PUKALO_PID"
wait_exit
[[ $(md5sum "$SETTINGS_FILE" "$HISTORY_FILE") == "$before" ]] || fail "a full disk changed the files"
[[ -z $(find "$full" -name '.*.??????') ]] || fail "temporary files left: $(find "$full" -name '.*')"
for said in 'could not save the settings' 'could not save the recently used kaomoji'; do
    [[ $(grep -c "$said" "$E2E_TMP/pukalo.err") -eq 1 ]] || fail "full disk: [$said] not said once"
done
umount "$full"
echo "ok: a full disk: settings and history as they were, each failure said once"

# --- FIFOs where the files belong: read by no one, left as they are, the program answers -----
export XDG_CONFIG_HOME=$E2E_TMP/config XDG_STATE_HOME=$E2E_TMP/state
SETTINGS_FILE=$XDG_CONFIG_HOME/Pukalo/Pukalo.ini HISTORY_FILE=$XDG_STATE_HOME/Pukalo/history
SEARCH_SIZE=$XDG_STATE_HOME/Pukalo/search-window-size
mkdir -p "${SETTINGS_FILE%/*}" "${HISTORY_FILE%/*}"
mkfifo "$SETTINGS_FILE" "$HISTORY_FILE" "$SEARCH_SIZE"
start_pukalo
wait_for 30 windows_open "== 1" || fail "the splash did not go"
copy_kaomoji 1 L 0 '(^^)'
dismiss_box "FIFO history"
key ctrl+f
wait_window "プカロ！顔文字を探す" 50 >/dev/null
key Escape
xdotool windowactivate --sync "$MAIN"
menu_item m
dismiss_box "FIFO settings"
kill -TERM "$PUKALO_PID"
wait_exit
[[ -p $SETTINGS_FILE && -p $HISTORY_FILE && -p $SEARCH_SIZE ]] || fail "a FIFO was replaced"
grep -q 'not a regular file' "$E2E_TMP/pukalo.err" || fail "FIFOs: nothing said"
rm "$SETTINGS_FILE" "$HISTORY_FILE" "$SEARCH_SIZE"
echo "ok: FIFOs in the files' places: never waited on, left as they are, said"

# --- The settings file changed line for line; the search window's size at every way out -----
printf '; comment\n[Settings]\nShowlogo=2\n\n[Other]\nk=v\n' >"$SETTINGS_FILE"
for way in TERM "close box"; do
    start_pukalo
    key ctrl+f
    search=$(wait_window "プカロ！顔文字を探す")
    width=$((600 + ${#way})) # another size each time
    xdotool windowsize "$search" "$width" 500
    wait_for 50 sh -c "xwininfo -id $search | grep -q 'Width: $width'" || fail "the search window was not resized"
    settled "$search"
    # Out of the way of the main window's close box, which a search window this wide may cover.
    [[ $way == TERM ]] || xdotool windowmove --sync "$search" 0 0
    if [[ $way == TERM ]]; then kill -TERM "$PUKALO_PID"; else click_close_box "$MAIN"; fi
    wait_exit
    [[ $(cat "$SEARCH_SIZE" 2>/dev/null) == "$width 500" ]] || fail "$way: size kept [$(cat "$SEARCH_SIZE" 2>&1)]"
done
# Opened again at exactly the user's size; a size larger than the screen is shown on the screen,
# and kept as the user gave it.
for stored in "609 500" "1500 1000"; do
    echo "$stored" >"$SEARCH_SIZE"
    start_pukalo
    key ctrl+f
    search=$(wait_window "プカロ！顔文字を探す")
    settled "$search"
    window_geometry "$search"
    if [[ $stored == "609 500" ]]; then
        [[ "$WW $WH" == "$stored" ]] || fail "reopened at $WW x $WH, not at the user's $stored"
    else
        ((WX >= 0 && WY >= 0 && WX + WW <= 1024 && WY + WH <= 768 && WW >= 360)) ||
            fail "a size larger than the screen: $WW x $WH at $WX,$WY"
    fi
    kill -TERM "$PUKALO_PID"
    wait_exit
    [[ $(cat "$SEARCH_SIZE") == "$stored" ]] || fail "the stored size became $(cat "$SEARCH_SIZE")"
done
start_pukalo
menu_item m
wait_for 30 grep -q Facechack "$SETTINGS_FILE" || fail "the toggle wrote nothing"
kill -TERM "$PUKALO_PID"
wait_exit
[[ $(cat "$SETTINGS_FILE") == $'; comment\n[Settings]\nShowlogo=2\nFacechack=1\n\n[Other]\nk=v' ]] ||
    fail "the toggle changed more than its line: $(cat -A "$SETTINGS_FILE")"
echo "ok: the search window's size kept at SIGTERM and the close box, reopened at it, never squeezed into it; a toggle changes its line only"

# --- Two instances, one of them on a disk slow to sync: no history entry lost ---------------
rm -f "$HISTORY_FILE"
# The first instance's every sync takes 300 ms: it is still writing when the second writes.
env --default-signal=INT strace -f -o /dev/null -e trace=fsync,fdatasync \
    -e inject=fsync,fdatasync:delay_exit=300000 "$PUKALO" 2>"$E2E_TMP/first.err" </dev/null &
PIDS_TO_KILL+=($!)
wait_for 50 pgrep -P $! || fail "strace did not start the program"
PUKALO_PID=$(pgrep -n -P $!)
first=$PUKALO_PID first_main=$(wait_window "プカロ！" 150)
xdotool windowmove --sync "$first_main" 0 0
MAIN=$first_main && copy_kaomoji 1 L 0 '(^^)'
start_pukalo
second_main=$MAIN
xdotool windowmove --sync "$second_main" 520 300
copy_kaomoji 1 R 0 '(^^ゞ'
# Each round the two instances copy one kaomoji each, one right after the other.
for round in 1 2 3; do
    MAIN=$first_main && click_in "$MAIN" 30 $((38 + 34 * round))
    MAIN=$second_main && click_in "$MAIN" 250 $((38 + 34 * round))
    wait_for 50 sh -c "[ \$(wc -l <'$HISTORY_FILE') -ge $((2 + 2 * round)) ]" ||
        fail "round $round: an entry was lost: $(cat "$HISTORY_FILE")"
done
kill -TERM "$first"
wait_for 50 sh -c "! kill -0 $first 2>/dev/null" || fail "the first instance did not end"
kill -TERM "$PUKALO_PID"
wait_exit
echo "ok: two instances writing the history at once, one slow to sync: nothing lost"

# --- A Wayland compositor whose listen queue is full: the exit is bounded, the copy kept -----
copy_and_exit_beside_compositor wayland-full 30 full
clipboard_is '(^^)' || fail "the copy was lost at the exit"
echo "ok: a full Wayland listen queue: the exit gives up within its second, the copy is kept"

# --- No X display and a WAYLAND_DISPLAY naming no socket: the program's words, status 2 ------
status=0
env -u DISPLAY -u QT_QPA_PLATFORM WAYLAND_DISPLAY=no-such-socket timeout 20 "$PUKALO" \
    >/dev/null 2>"$E2E_TMP/err" </dev/null || status=$?
((status == 2)) && grep -q 'cannot connect to a display' "$E2E_TMP/err" ||
    fail "a WAYLAND_DISPLAY naming nothing: status $status: $(cat "$E2E_TMP/err")"
echo "ok: a WAYLAND_DISPLAY naming nothing: a message and status 2"

# --- The X server goes away a moment after an arrow-key choice: the choice is in the history ---
rm -f "$HISTORY_FILE"
start_pukalo
copy_kaomoji 1 L 2 '<^^>'
kill -KILL "$XVFB_PID"
wait_exit 1
[[ $(head -n1 "$HISTORY_FILE") == $'笑顔１\t<^^>' ]] || fail "the choice settling was lost: $(cat "$HISTORY_FILE")"
echo "ok: the X server gone right after an arrow-key choice: the choice is kept"
