#!/bin/bash
# Finding a kaomoji by typing: Ctrl+F, a query typed for real, Enter or Down, the exact bytes on
# the clipboard, the history in a file of its own; and the catalogue on the command line,
# without a display, for launchers and input methods.
source "$(dirname "$0")/lib.sh"
need "${X_TOOLS[@]}" kwin_x11 dbus-run-session
# sha256 of the kaomoji in catalogue order, each followed by a newline, as designed.
CATALOGUE_ORDER_SHA256=5eba57d27c05ce69e40bdbe5ac7615e9fcd78a50642047e3c0d35c45e1a2b686

# --- The command line: no display needed, no window opened --------------------------------
list=$(env -u DISPLAY "$PUKALO" --list)
[[ $(wc -l <<<"$list") -eq $("$CATALOGUE_DUMP" | wc -l) && $(awk -F'\t' 'NF != 4' <<<"$list" | wc -l) -eq 0 ]] ||
    fail "--list: $(wc -l <<<"$list") rows, some without four fields"
[[ $(cut -f2 <<<"$list" | sha256sum | cut -d' ' -f1) == "$CATALOGUE_ORDER_SHA256" ]] ||
    fail "--list: the kaomoji differ from the catalogue as designed"
dictionary=$(env -u DISPLAY "$PUKALO" --dictionary)
# Each pair of reading and kaomoji once, readings in hiragana only, a kaomoji with its own
# description, in a part of speech Mozc's dictionary tool names.
[[ -n $dictionary && -z $(cut -f1,2 <<<"$dictionary" | sort | uniq -d) &&
    -z $(awk -F'\t' '{print $2 "\t" $4}' <<<"$dictionary" | grep -vxFf <(cut -f2,3 <<<"$list")) &&
    -z $(cut -f3 <<<"$dictionary" | grep -vxE '顔文字|記号|名詞|短縮よみ|感動詞|接頭語|接尾一般') &&
    -z $(cut -f1 <<<"$dictionary" | grep -vP '^[\p{Hiragana}ー]+$') ]] ||
    fail "--dictionary is not reading, kaomoji, part of speech, description, each pair once"
[[ $(env -u DISPLAY "$PUKALO" --search ピース | head -n1) == $'笑顔１\t(^_^)v\tピース！\tぴーす' ]] ||
    fail "--search ピース: $("$PUKALO" --search ピース)"
status=0
env -u DISPLAY "$PUKALO" --search ぱんだ >"$E2E_TMP/out" || status=$?
[[ $status -eq 1 && ! -s $E2E_TMP/out ]] || fail "--search without a match: status $status"
status=0
"$PUKALO" --no-such-option >"$E2E_TMP/out" 2>"$E2E_TMP/err" || status=$?
[[ $status -eq 2 && ! -s $E2E_TMP/out ]] && grep -q -- --dictionary "$E2E_TMP/err" ||
    fail "an unknown option: status $status, no usage on standard error"
# Output cut short is an error; a reader that stops early is not; -h is --help.
for out in /dev/full closed; do
    status=0
    if [[ $out == closed ]]; then "$PUKALO" --dictionary >&- 2>"$E2E_TMP/err" || status=$?
    else "$PUKALO" --dictionary >"$out" 2>"$E2E_TMP/err" || status=$?; fi
    [[ $status -eq 1 && $(wc -l <"$E2E_TMP/err") -eq 1 ]] || fail "--dictionary into $out: status $status"
done
[[ $("$PUKALO" --list 2>"$E2E_TMP/err" | head -n1) == 笑顔１* && ! -s $E2E_TMP/err ]] ||
    fail "--list | head -1: $(cat "$E2E_TMP/err")"
[[ $("$PUKALO" -h) == "$("$PUKALO" --help)" && $("$PUKALO" -h) == Usage:* ]] || fail "-h is not --help"
echo "ok: --list, --dictionary and --search without a display; cut output fails"

frame() { # window: left top right bottom of its frame
    wait_for 30 sh -c "xprop -id $1 _NET_FRAME_EXTENTS | grep -q =" || fail "no frame extents"
    window_geometry "$1"
    read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | tr -d , | cut -d= -f2)
    echo $((WX - l)) $((WY - t)) $((WX + WW + r)) $((WY + WH + b))
}

# --- Beside the main window where there is room, also on KWin without a decoration, whose frame
# window Qt may read before it is sized (a pixel square: the search window then covered the
# lists, one start in two) ------------------------------------------------------------------
start_display 1280x1024 kwin
write_settings Showlogo=2
for ((start = 1; start <= 10; start++)); do
    start_pukalo
    wait_for 50 focused "$MAIN" || xdotool windowactivate "$MAIN"
    wait_focus "$MAIN"
    key ctrl+f
    search=$(wait_window "プカロ！顔文字を探す")
    settled "$search"
    window_geometry "$MAIN"
    read -r ml mt mr mb <<<"$WX $WY $((WX + WW)) $((WY + WH))"
    window_geometry "$search"
    ((WX >= mr || WX + WW <= ml || WY >= mb || WY + WH <= mt)) ||
        fail "KWin, start $start: the search window at $WX,$WY on the main window ($ml,$mt to $mr,$mb)"
    kill -TERM "$PUKALO_PID"
    wait_exit
done
echo "ok: beside the main window on KWin without a decoration, ten starts"

# --- The search window ----------------------------------------------------------------------
start_display
bind_keys ぴーすばい
write_settings Showlogo=2
start_pukalo
key ctrl+f
search=$(wait_window "プカロ！顔文字を探す")
# Beside the main window and wholly on the screen: the two frames do not meet.
[[ $(xprop -id "$search" WM_TRANSIENT_FOR) == *"$(printf '0x%x' "$MAIN")"* ]] ||
    fail "the search window is not kept above the main window"
# On this 1024 x 768 screen there is no room beside the main window for it at its designed size:
# it keeps that size (not narrowed), stays wholly on the screen, and leaves the category box, the
# buttons and the menus free (it covers a corner of a list).
read -r sl st sr sb < <(frame "$search")
((sl >= 0 && st >= 0 && sr <= 1024 && sb <= 768)) || fail "the search window is off the screen"
window_geometry "$MAIN"
menu=$((WH - 280))
# The main window's box, buttons and menu bar, as designed: left top width height in its client.
for control in "288 $((3 + menu)) 121 20" "232 $((232 + menu)) 73 17" "320 $((232 + menu)) 105 17" \
    "232 $((256 + menu)) 73 17" "320 $((256 + menu)) 105 17" "0 0 440 $menu"; do
    read -r x y w h <<<"$control"
    ((sl >= WX + x + w || sr <= WX + x || st >= WY + y + h || sb <= WY + y)) ||
        fail "the search window ($sl,$st to $sr,$sb) covers the main window's control at $x,$y ($w x $h)"
done
window_geometry "$search"
((WW == 360 && WH == 304)) || fail "the search window is $WW x $WH, not as designed"
wait_focus "$search"
xdotool type --delay 50 ぴーす
key Return
wait_clipboard '(^_^)v' || fail "ぴーす and Enter: clipboard has [$(clipboard)]"
# Passing through five results with the arrow keys leaves the one the user stayed on.
key ctrl+a
xdotool type --delay 50 ばいばい
fifth=$("$PUKALO" --search ばいばい | sed -n 5p | cut -f1,2)
key Down Down Down Down Down
wait_clipboard "${fifth#*	}" || fail "five Downs: clipboard has [$(clipboard)]"
wait_for 30 grep -qxF "$fifth" "$HISTORY_FILE" || fail "the kaomoji stayed on is not in the history"
[[ $(cat "$HISTORY_FILE") == "$fifth"$'\n笑顔１\t(^_^)v' ]] || fail "history after five Downs: $(cat "$HISTORY_FILE")"
key shift+Tab ctrl+a
xdotool type --delay 50 'o^_^o'
key Down
wait_clipboard ' (o^_^o) ' || fail "o^_^o and Down: clipboard has [$(clipboard)]"
# A second Ctrl+F in the main window focuses the one search window there is.
xdotool windowactivate --sync "$MAIN"
key ctrl+f
settled "$search"
[[ $(program_windows "プカロ！顔文字を探す" | wc -l) -eq 1 ]] || fail "a second search window"
key Escape
wait_for 30 windows_open "== 1" || fail "Esc did not close the search window"
kill -TERM "$PUKALO_PID"
wait_exit
[[ $(cat "$HISTORY_FILE") == $'笑顔２\t (o^_^o) \n'"$fifth"$'\n笑顔１\t(^_^)v' ]] || fail "history: $(cat "$HISTORY_FILE")"
[[ $(cat "$SETTINGS_FILE") == $'[Settings]\nShowlogo=2' ]] || fail "settings changed: $(cat "$SETTINGS_FILE")"
echo "ok: Ctrl+F beside the main window; typed queries, Enter and Down copy exactly; the history keeps what was stayed on"

# --- Copies never touch the settings file or the user's files beside it ---------------------
printf '; mine\r\n[Settings]\r\nShowlogo = 2\r\n' >"$SETTINGS_FILE"
for name in Pukalo.ini.backup Pukalo.ini.201231; do
    cp "$SETTINGS_FILE" "$XDG_CONFIG_HOME/Pukalo/$name" && touch -d '-2 hours' "$XDG_CONFIG_HOME/Pukalo/$name"
done
before=$(cd "$XDG_CONFIG_HOME/Pukalo" && ls && md5sum ./*)
start_pukalo
copy_kaomoji 1 L 0 '(^^)'
for ((i = 0; i < 10; i++)); do
    click_in "$MAIN" 250 38
    wait_clipboard '(^^ゞ' || fail "copy $i: clipboard has [$(clipboard)]"
    click_in "$MAIN" 30 38
    wait_clipboard '(^^)' || fail "copy $i: clipboard has [$(clipboard)]"
done
kill -TERM "$PUKALO_PID"
wait_exit
[[ $(cd "$XDG_CONFIG_HOME/Pukalo" && ls && md5sum ./*) == "$before" ]] || fail "the settings folder changed"
[[ $(head -n2 "$HISTORY_FILE") == $'笑顔１\t(^^)\n笑顔１\t(^^ゞ' ]] || fail "history: $(cat "$HISTORY_FILE")"
echo "ok: twenty copies: the settings file and its backups as they were, the history kept"
