#!/bin/bash
# The user's own kaomoji and favourites: imported from an input method's dictionary by
# several starts at once, added from the clipboard through the dialog with real keys, found by
# a word in kana and in romaji, marked a favourite, first with the field empty and among equal
# matches, and still so after a restart.
source "$(dirname "$0")/lib.sh"
shopt -s extglob
need "${X_TOOLS[@]}"
mine=' ฅ(^・ω・^ )ฅ '

# --- The command line: a Mozc export, several imports at once, a FIFO where the file belongs -
mkdir -p "$(dirname "$USER_KAOMOJI_FILE")"
printf '# mine\n(\xff)\tbad\n' >"$USER_KAOMOJI_FILE"
printf 'うさぎ\t/(・x・)\\\t顔文字\tうさちゃん\nとうきょう\t東京\t地名\t\nねこ\t(=^ ^=)\t顔文字\t\nしょぼん\t(´・ω・`)\t顔文字\n' >"$E2E_TMP/mozc.txt"
out=$(env -u DISPLAY "$PUKALO" --import "$E2E_TMP/mozc.txt" 2>"$E2E_TMP/err")
[[ $out == "2 個追加、1 個は"*"顔文字以外の 1 語"* ]] || fail "--import: $out"
grep -q '2 行目を読めません' "$E2E_TMP/err" || fail "the unreadable line was not said: $(cat "$E2E_TMP/err")"
[[ $(head -n2 "$USER_KAOMOJI_FILE") == $'# mine\n(\xff)\tbad' ]] || fail "--import changed the lines there"
[[ $("$PUKALO" --search usagi 2>/dev/null | head -n1) == $'自分の顔文字\t/(・x・)\\\tうさちゃん\t' &&
    $("$PUKALO" --list 2>/dev/null | grep -c '^自分の顔文字') -eq 2 ]] || fail "--search, --list: $("$PUKALO" --list 2>&1 | tail -n3)"
# In the input method's dictionary: under a word of the user's own, as suggestion only; never
# under a reading measured to glue kaomoji into sentences (しょぼん).
dictionary=$("$PUKALO" --dictionary 2>/dev/null)
[[ $(grep $'^うさぎ\t/' <<<"$dictionary") == $'うさぎ\t/(・x・)\\\tサジェストのみ\tうさちゃん' &&
    -z $(grep $'^しょぼん\t(´・ω・`)' <<<"$dictionary") ]] || fail "--dictionary: $(grep -E '^(うさぎ|しょぼん)'$'\t' <<<"$dictionary")"
for i in 1 2 3 4 5 6; do
    for j in 1 2 3 4 5 6 7 8; do echo "($i-$j)"; done >"$E2E_TMP/list$i"
    "$PUKALO" --import "$E2E_TMP/list$i" >"$E2E_TMP/import$i" 2>&1 &
    pids+=($!)
done
for p in "${pids[@]}"; do wait "$p" || fail "an import at once failed: $(cat "$E2E_TMP"/import*)"; done
[[ $(grep -c '^([1-6]-[1-8])	' "$USER_KAOMOJI_FILE") -eq 48 ]] || fail "imports at once lost lines: $(cat "$E2E_TMP"/import*)"
mv "$USER_KAOMOJI_FILE" "$E2E_TMP/kept" && mkfifo "$USER_KAOMOJI_FILE"
timeout 10 "$PUKALO" --list >/dev/null 2>"$E2E_TMP/err" || fail "--list with a FIFO: status $?"
grep -q '普通のファイルではありません' "$E2E_TMP/err" || fail "a FIFO was not said: $(cat "$E2E_TMP/err")"
rm "$USER_KAOMOJI_FILE" && mv "$E2E_TMP/kept" "$USER_KAOMOJI_FILE"
echo "ok: a Mozc export and six imports at once, nothing lost; a FIFO said, not waited on"

# --- The search window, with real keys ------------------------------------------------------
start_display
bind_keys もふにゃんこ
write_settings Showlogo=2
start_pukalo
# The line the file could not read is said once a run, in a box of the search window's.
boxes() { (($(program_windows "プカロ！顔文字を探す" | wc -l) $1)); }
open_search() {
    key ctrl+f
    wait_for 50 boxes ">= 2" || fail "the unreadable line was not said in the window"
    key Return
    wait_for 50 boxes "== 1" || fail "the box did not close"
    search=$(wait_window "プカロ！顔文字を探す")
    wait_focus "$search"
}
open_search
other_copies "$mine"
key ctrl+n
dialog=$(wait_window "プカロ！自分の顔文字に追加")
wait_focus "$dialog"
xdotool type --delay 50 "cat hello"
key Tab
xdotool type --delay 50 'もふもふ にゃんこ'
key Return
wait_for 50 grep -qxF "$mine"$'\tcat hello\tもふもふ にゃんこ' "$USER_KAOMOJI_FILE" ||
    fail "the dialog did not add the line: $(tail -n2 "$USER_KAOMOJI_FILE")"
wait_focus "$search"
find_copies() { # words expected
    other_copies x
    key ctrl+a
    xdotool type --delay 50 "$1"
    key Return
    wait_clipboard "$2" || fail "$1 and Enter: clipboard has [$(clipboard)], not [$2]"
}
find_copies もふもふ "$mine"
find_copies mofumofu "$mine"
find_copies にゃんこ '(=^ ^=)'
find_copies もふもふ "$mine"
key ctrl+d
wait_for 30 grep -qxF "自分の顔文字	$mine" "$FAVOURITES_FILE" || fail "Ctrl+D did not mark it"
find_copies にゃんこ "$mine"
find_copies peace '(^_^)v'
other_copies x
key ctrl+a BackSpace Return
wait_clipboard "$mine" || fail "field empty: the first is [$(clipboard)], not the favourite"
kill -TERM "$PUKALO_PID"
wait_exit

start_pukalo
open_search
other_copies x
key Return
wait_clipboard "$mine" || fail "after a restart, field empty: the first is [$(clipboard)]"
find_copies nyanko "$mine"
kill -TERM "$PUKALO_PID"
wait_exit
[[ $(head -n2 "$USER_KAOMOJI_FILE") == $'# mine\n(\xff)\tbad' ]] || fail "the file's own lines changed"
echo "ok: added from the clipboard, found in kana and romaji, a favourite first, kept after a restart"
