#!/bin/bash
# Finding a kaomoji by typing: Ctrl+F, a query typed for real, Enter or Down, the exact bytes on
# the clipboard, the history in the settings file; and the catalogue on the command line,
# without a display, for launchers and input methods.
source "$(dirname "$0")/lib.sh"
# sha256 of the 175 kaomoji in catalogue order, each followed by a newline, as designed.
CATALOGUE_ORDER_SHA256=5eba57d27c05ce69e40bdbe5ac7615e9fcd78a50642047e3c0d35c45e1a2b686

# --- The command line: no display needed, no window opened --------------------------------
list=$(env -u DISPLAY "$PUKALO" --list)
[[ $(wc -l <<<"$list") -eq 175 && $(awk -F'\t' 'NF != 4' <<<"$list" | wc -l) -eq 0 ]] ||
    fail "--list: $(wc -l <<<"$list") rows, some without four fields"
[[ $(cut -f2 <<<"$list" | sha256sum | cut -d' ' -f1) == "$CATALOGUE_ORDER_SHA256" ]] ||
    fail "--list: the kaomoji differ from the catalogue as designed"
dictionary=$(env -u DISPLAY "$PUKALO" --dictionary)
[[ $(cut -f1,2 <<<"$dictionary") == "$(awk -F'\t' '{print $4 "\t" $2}' <<<"$list")" &&
    $(cut -f3 <<<"$dictionary" | sort -u) == 顔文字 &&
    $(cut -f4 <<<"$dictionary") == "$(cut -f3 <<<"$list")" ]] ||
    fail "--dictionary is not reading, kaomoji, 顔文字, description for every row"
[[ $(env -u DISPLAY "$PUKALO" --search ピース | head -n1) == $'笑顔１\t(^_^)v\tピース！\tぴーす' ]] ||
    fail "--search ピース: $("$PUKALO" --search ピース)"
status=0
env -u DISPLAY "$PUKALO" --search ぱんだ >"$E2E_TMP/out" || status=$?
[[ $status -eq 1 && ! -s $E2E_TMP/out ]] || fail "--search without a match: status $status"
status=0
"$PUKALO" --no-such-option >"$E2E_TMP/out" 2>"$E2E_TMP/err" || status=$?
[[ $status -eq 2 && ! -s $E2E_TMP/out ]] && grep -q -- --dictionary "$E2E_TMP/err" ||
    fail "an unknown option: status $status, no usage on standard error"
echo "ok: --list, --dictionary and --search without a display"

# --- The search window ----------------------------------------------------------------------
start_display
write_settings Showlogo=2
start_pukalo
key ctrl+f
search=$(wait_window 顔文字を探す)
[[ $(xprop -id "$search" WM_TRANSIENT_FOR) == *"$(printf '0x%x' "$MAIN")"* ]] ||
    fail "the search window is not kept above the main window"
xdotool type --delay 50 ぴーす
key Return
wait_clipboard '(^_^)v' || fail "ぴーす and Enter: clipboard has [$(clipboard)]"
key ctrl+a
xdotool type --delay 50 'o^_^o'
key Down
wait_clipboard ' (o^_^o) ' || fail "o^_^o and Down: clipboard has [$(clipboard)]"
# A second Ctrl+F in the main window focuses the one search window there is.
xdotool windowactivate --sync "$MAIN"
key ctrl+f
settled "$search"
[[ $(program_windows 顔文字を探す | wc -l) -eq 1 ]] || fail "a second search window"
key Escape
wait_for 30 windows_open "== 1" || fail "Esc did not close the search window"
grep -qx '1=" (o^_^o) "' "$SETTINGS_FILE" && grep -qx '2=(^_^)v' "$SETTINGS_FILE" ||
    fail "history: $(cat "$SETTINGS_FILE")"
grep -qx 'Showlogo=2' "$SETTINGS_FILE" || fail "[Settings] changed: $(cat "$SETTINGS_FILE")"
kill -TERM "$PUKALO_PID"
wait_exit
echo "ok: Ctrl+F, a typed query, Enter and Down copy exactly; the history is kept"
