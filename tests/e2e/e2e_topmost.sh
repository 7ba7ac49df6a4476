#!/bin/bash
# Always on top in a real window manager: the stored state at start, the menu toggle, the
# modal windows taking the main window out of the band and putting it back, the settings
# dialog's OK, and a settings folder that cannot be written.
source "$(dirname "$0")/lib.sh"

start_display

has_above() {
    [[ $(xprop -id "$1" _NET_WM_STATE) == *_NET_WM_STATE_ABOVE* ]]
}
expect_above() { # window yes|no what
    if [[ $2 == yes ]]; then
        wait_for 30 has_above "$1" || fail "$3: not on top"
    else
        wait_for 30 sh -c "! xprop -id $1 _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE" ||
            fail "$3: still on top"
    fi
}
stored() {
    sed -n "s/^$1=//p" "$SETTINGS_FILE"
}
toggle_on_top() {
    xdotool key --clearmodifiers alt+k
    sleep 0.3
    xdotool key --clearmodifiers m
}
click_in() { # window x y, in that window's client area
    window_geometry "$1"
    xdotool mousemove $((WX + $2)) $((WY + $3)) click 1
}

# --- Stored on: on top from the start; the toggle takes it off and puts it back -------------
write_settings Showlogo=2 Facechack=1
start_pukalo
win=$(wait_window "プカロ！")
expect_above "$win" yes "Facechack=1 at start"
window_geometry "$win"
place="$WX,$WY"

toggle_on_top
expect_above "$win" no "first toggle"
[[ $(stored Facechack) == 2 ]] || fail "first toggle stored [$(stored Facechack)]"
toggle_on_top
expect_above "$win" yes "second toggle"
[[ $(stored Facechack) == 1 ]] || fail "second toggle stored [$(stored Facechack)]"
# The same X window throughout, where it was, never unmapped.
[[ $(find_window "プカロ！") == "$win" ]] || fail "the main window was re-created"
window_geometry "$win"
[[ "$WX,$WY" == "$place" ]] || fail "the main window moved from $place to $WX,$WY"
[[ $(xwininfo -id "$win") == *IsViewable* ]] || fail "the main window is not viewable"
echo "ok: stored state at start, toggled off and on in place"

# Another program's window opened later stays below it.
xmessage -geometry +300+250 'another program' &
xmessage_pid=$!
PIDS_TO_KILL+=($xmessage_pid)
other=
wait_for 50 sh -c 'xdotool search --name "^xmessage$" >/dev/null' || fail "xmessage did not open"
other=$(xdotool search --name '^xmessage$' | head -n1)
xdotool windowactivate "$other" 2>/dev/null || true
sleep 0.5
stacking=$(xprop -root _NET_CLIENT_LIST_STACKING | tr -d ',' | tr ' ' '\n' | grep 0x)
frame_order() { grep -n -i "$(printf '0x%x' "$1")" <<<"$stacking" | cut -d: -f1; }
(($(frame_order "$win") > $(frame_order "$other"))) ||
    fail "another program's window came above the always-on-top window"
kill "$xmessage_pid" 2>/dev/null || true
echo "ok: stays above another program's window"

# --- Modal windows take it out of the band while open and put it back -----------------------
click_client "$win" 264 264 # バージョン
ver=$(wait_window "バージョン")
expect_above "$win" no "while the version window is open"
click_in "$ver" 200 144 # OK
wait_for 30 sh -c "! xwininfo -id $ver >/dev/null 2>&1 || ! xwininfo -id $ver | grep -q IsViewable"
expect_above "$win" yes "after the version window's OK"

click_client "$win" 264 264
ver=$(wait_window "バージョン")
expect_above "$win" no "version window open again"
click_close_box "$ver"
expect_above "$win" yes "after the version window's close box"

click_client "$win" 264 240 # ヘルプ
help=$(wait_window "プカロ！ヘルプ")
expect_above "$win" no "while the help window is open"
click_in "$help" 344 244 # 閉じる
expect_above "$win" yes "after the help window's button"
echo "ok: version and help windows hand the band back"

# --- Settings dialog: OK with the box checked puts the window on top at once ---------------
toggle_on_top
expect_above "$win" no "toggled off before the settings dialog"
click_client "$win" 372 240 # 設定
dialog=$(wait_window "プカロ！設定")
click_in "$dialog" 40 120   # 常に手前に表示
sleep 0.2
click_in "$dialog" 280 92   # OK
expect_above "$win" yes "settings OK with the box checked"
[[ $(stored Facechack) == 1 && $(stored Showlogo) == 2 && $(stored Clipclear) == 2 ]] ||
    fail "settings OK stored: $(tr '\n' ' ' <"$SETTINGS_FILE")"
kill -TERM "$PUKALO_PID"
wait_exit
echo "ok: settings dialog applies always-on-top at once"

# --- A settings folder that cannot be written: a message, no crash, the choice still holds --
write_settings Showlogo=2 Facechack=2
before=$(cat "$SETTINGS_FILE")
chmod 555 "$(dirname "$SETTINGS_FILE")"
start_pukalo_unprivileged
win=$(wait_window "プカロ！")
toggle_on_top
wait_for 50 sh -c "xdotool search --all --onlyvisible --pid $PUKALO_PID --name '^プカロ！$' |
    wc -l | grep -q 2" || fail "no message about the failed write"
expect_above "$win" yes "toggled on although the write failed"
xdotool key --clearmodifiers Return
sleep 0.5
kill -0 "$PUKALO_PID" || fail "the program ended after a failed write"
[[ $(cat "$SETTINGS_FILE") == "$before" ]] || fail "the settings file changed"
grep -q 'could not save the settings' "$E2E_TMP/pukalo.err" || fail "nothing on standard error"
chmod 755 "$(dirname "$SETTINGS_FILE")"
kill -TERM "$PUKALO_PID"
wait_exit
echo "ok: unwritable settings folder"
