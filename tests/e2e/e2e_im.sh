#!/bin/bash
# The search window with a real input method, as a Japanese user types: fcitx5 with Mozc, on a
# D-Bus session of its own, the program talking to it through Qt's fcitx module, as an ordinary
# user (Mozc does not run as root). Romaji typed for real: the results follow the text being
# composed; the Enter that commits it copies nothing; the next Enter copies the first result;
# after Esc and a second Ctrl+F the input method is still on.
source "$(dirname "$0")/lib.sh"
need "${X_TOOLS[@]}" import fcitx5 fcitx5-remote dbus-run-session setpriv
compgen -G "/usr/lib/*/qt6/plugins/platforminputcontexts/libfcitx5platforminputcontextplugin.so" >/dev/null ||
    { echo "SKIPPED: not installed: fcitx5-frontend-qt6" && exit 77; }
[[ -e /usr/lib/mozc/mozc_server ]] || { echo "SKIPPED: not installed: fcitx5-mozc" && exit 77; }
start_display

home=$E2E_TMP/home
mkdir -p "$home/.config/fcitx5" "$home/.config/Pukalo" "$home/runtime"
chmod 700 "$home/runtime"
# Mozc after the plain keyboard; Ctrl+Space switches between them, per window.
printf '%s\n' '[Groups/0]' 'Name=Default' 'Default Layout=us' 'DefaultIM=mozc' '' \
    '[Groups/0/Items/0]' 'Name=keyboard-us' 'Layout=' '' '[Groups/0/Items/1]' 'Name=mozc' 'Layout=' '' \
    '[GroupOrder]' '0=Default' >"$home/.config/fcitx5/profile"
printf '[Settings]\nShowlogo=2\n' >"$home/.config/Pukalo/Pukalo.ini"
ordinary_user "$home"
# The session's bus address is written down for the input method's state to be asked from here.
"${as_user[@]}" env -i HOME="$home" DISPLAY="$DISPLAY" PATH=/usr/bin:/bin LANG=ja_JP.UTF-8 \
    XDG_RUNTIME_DIR="$home/runtime" QT_IM_MODULE=fcitx XMODIFIERS=@im=fcitx PUKALO="$PUKALO" \
    dbus-run-session -- sh -c 'echo "$DBUS_SESSION_BUS_ADDRESS" >"$HOME/bus"
        fcitx5 -d >"$HOME/fcitx5.log" 2>&1
        for i in $(seq 100); do fcitx5-remote >/dev/null 2>&1 && break; sleep 0.1; done
        exec "$PUKALO"' >"$E2E_TMP/pukalo.out" 2>"$home/pukalo.err" </dev/null &
PIDS_TO_KILL+=($!)
wait_for 150 sh -c "xdotool search --onlyvisible --name '^プカロ！\$' | grep -q ." || fail "no main window: $(cat "$home/pukalo.err" "$home/fcitx5.log" 2>&1 | tail -n 8)"
MAIN=$(xdotool search --onlyvisible --name '^プカロ！$' | head -n1)
PUKALO_PID=$(xprop -id "$MAIN" _NET_WM_PID | awk '{print $3}')
remote() { "${as_user[@]}" env DBUS_SESSION_BUS_ADDRESS="$(cat "$home/bus")" fcitx5-remote "$@" 2>/dev/null; }
im_state() { remote; }
im_on() { [[ $(remote) == 2 ]]; }
composing() { [[ -n $(xdotool search --onlyvisible --name '^Fcitx5 Input Window$' 2>/dev/null) ]]; }
# Whether the middle of the results list is blank (1) or has rows (0).
results_blank() {
    window_geometry "$SEARCH"
    import -window root -crop "$((WW - 40))x$((WH / 3))+$((WX + 12))+$((WY + WH / 2 - 20))" "$E2E_TMP/results.png"
    convert "$E2E_TMP/results.png" -colorspace gray -format '%[fx:mean > 0.995]' info:
}
has_results() { [[ $(results_blank) == 0 ]]; }

xdotool windowactivate --sync "$MAIN"
key ctrl+f
SEARCH=$(wait_window "プカロ！顔文字を探す")
wait_focus "$SEARCH"
# The field's input context known to fcitx5 (state 1), then Mozc switched on for it.
wait_for 50 eval '[[ $(remote) == 1 ]]' ||
    fail "fcitx5 has no input context for the field: $(im_state)"
# Asked again until it holds: a slow program may still be handing fcitx5 the field's focus.
wait_for 100 eval 'im_on || { remote -o; false; }' || fail "Mozc did not come on: $(im_state)"
[[ $(results_blank) == 1 ]] || fail "results before anything was typed"
other_copies ''
xdotool type --delay 80 naku
wait_for 50 composing || fail "nothing is being composed"
wait_for 50 has_results || fail "no results while composing なく"
key Return
wait_for 50 sh -c "! xdotool search --onlyvisible --name '^Fcitx5 Input Window\$' | grep -q ." ||
    fail "the Enter did not commit"
settled "$SEARCH"
clipboard_is '' || fail "the Enter that committed copied [$(clipboard)]"
key Return
wait_clipboard '(T T)' || fail "Enter after the commit: clipboard has [$(clipboard)]"
echo "ok: results while composing, the committing Enter copies nothing, the next Enter copies"

# Closed and opened again: the same window, the input method still on, the text selected.
key Escape
wait_for 30 windows_open "== 1" || fail "Esc did not close the search window"
xdotool windowactivate --sync "$MAIN"
key ctrl+f
[[ $(wait_window "プカロ！顔文字を探す") == "$SEARCH" ]] || fail "a new search window"
wait_focus "$SEARCH"
xdotool type --delay 80 neko
wait_for 50 composing || fail "the input method was off at the second Ctrl+F: $(im_state)"
key Return
wait_for 50 sh -c "! xdotool search --onlyvisible --name '^Fcitx5 Input Window\$' | grep -q ." ||
    fail "the Enter did not commit ねこ"
key Return
wait_clipboard '(=^ ^=)' || fail "ねこ replacing なく: clipboard has [$(clipboard)]"
echo "ok: a second Ctrl+F: the same window, the input method still on, the text replaced"
