#!/bin/bash
# Always on top in a real window manager: the stored state at start, the menu toggle in place,
# the modal windows taking the main window out of the band and putting it back, and the
# settings dialog's OK.
source "$(dirname "$0")/lib.sh"
need "${X_TOOLS[@]}"

start_display
above() { [[ $(xprop -id "$MAIN" _NET_WM_STATE) == *_NET_WM_STATE_ABOVE* ]]; }
below() { ! above; }
expect_above() { # yes|no what
    wait_for 30 "$([[ $1 == yes ]] && echo above || echo below)" || fail "$2: on top is not $1"
}
gone() { ! xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }

# --- A first start, with no settings file at all: not on top -------------------------------
rm -rf "$XDG_CONFIG_HOME"
start_pukalo
settled
below || fail "a first start without settings is on top"
kill -TERM "$PUKALO_PID"
wait_exit
echo "ok: a first start is not on top"

# --- Stored on: on top from the start; the toggle takes it off and puts it back in place -----
write_settings Showlogo=2 Facechack=1
start_pukalo
expect_above yes "Facechack=1 at start"
window_geometry "$MAIN"
place="$WX,$WY"
menu_item m
expect_above no "first toggle"
wait_for 20 grep -qx Facechack=2 "$SETTINGS_FILE" || fail "first toggle stored: $(cat "$SETTINGS_FILE")"
menu_item m
expect_above yes "second toggle"
wait_for 20 grep -qx Facechack=1 "$SETTINGS_FILE" || fail "second toggle stored: $(cat "$SETTINGS_FILE")"
[[ $(program_windows "プカロ！") == "$MAIN" ]] || fail "the main window was re-created"
window_geometry "$MAIN"
[[ "$WX,$WY" == "$place" ]] || fail "the main window moved from $place to $WX,$WY"
echo "ok: stored state at start, toggled off and on in place"

# --- Modal windows take it out of the band while open and put it back ------------------------
for way in "264 264 バージョン 200 144" "264 264 バージョン close-box" "264 240 プカロ！ヘルプ 344 244"; do
    read -r x y title bx by <<<"$way"
    click_in "$MAIN" "$x" "$y" # the バージョン or ヘルプ button
    w=$(wait_window "$title")
    expect_above no "while $title is open"
    [[ $bx == close-box ]] && click_close_box "$w" || click_in "$w" "$bx" "$by"
    wait_for 30 gone "$w" || fail "$title did not close"
    expect_above yes "after $title closed by $bx"
done
echo "ok: version and help windows hand the band back"

# --- Settings dialog: OK with the box checked puts the window on top and sets the mark ------
menu_item m
expect_above no "toggled off before the settings dialog"
click_in "$MAIN" 372 240 # 設定
dialog=$(wait_window "プカロ！設定")
click_in "$dialog" 40 120 # 常に手前に表示
click_in "$dialog" 280 92 # OK
expect_above yes "settings OK with the box checked"
[[ $(cat "$SETTINGS_FILE") == $'[Settings]\nShowlogo=2\nFacechack=1\nClipclear=2' ]] ||
    fail "settings OK stored: $(cat "$SETTINGS_FILE")"
# The check mark agrees: the next toggle takes the window off again.
menu_item m
expect_above no "toggle after settings OK"
kill -TERM "$PUKALO_PID"
wait_exit
echo "ok: settings dialog applies always-on-top and its check mark at once"

# --- A window manager that cannot keep a window above others: turning the option on says so
# once, and the option is stored for a desktop that can -------------------------------------
kill "${PIDS_TO_KILL[@]:1}"
xprop -root -remove _NET_SUPPORTED
write_settings Showlogo=2 Facechack=2
start_pukalo
xdotool windowfocus --sync "$MAIN"
menu_item m
wait_for 50 windows_open "== 2" || fail "no word that always on top cannot work here"
key Return
wait_for 20 grep -qx Facechack=1 "$SETTINGS_FILE" || fail "the option was not stored"
kill -TERM "$PUKALO_PID"
wait_exit
echo "ok: where always on top cannot work, the user is told and the option kept"
