#!/bin/bash
# What the user copied can still be pasted after Pukalo has ended: a small keeper process takes
# the clipboard over at exit, serves exactly that text, and goes when another program copies
# something or the display ends. The exit never waits on a clipboard manager.
source "$(dirname "$0")/lib.sh"
: "${SILENT_CLIPBOARD_MANAGER:?set SILENT_CLIPBOARD_MANAGER}"

start_display
write_settings Showlogo=2

# Live keeper processes (a zombie left for init to reap has ended).
keepers() {
    local p
    for p in /proc/[0-9]*; do
        [[ $(cat "$p/comm" 2>/dev/null) == pukalo-clipkeep ]] || continue
        [[ $(awk '{print $3}' "$p/stat" 2>/dev/null) == Z ]] && continue
        echo "${p#/proc/}"
    done
}
no_keeper() { [[ -z $(keepers) ]]; }
one_keeper() { [[ $(keepers | wc -l) -eq 1 ]]; }

# Picks category number $1 of the drop-down list (fresh program) and copies entry $3 of the
# left (L) or right (R) kaomoji list.
copy_kaomoji() {
    local win=$1 category=$2 side=$3 entry=$4 expected=$5
    click_client "$win" 330 12
    local i
    for ((i = 0; i < category; i++)); do xdotool key --clearmodifiers Down; done
    click_client "$win" "$([[ $side == L ]] && echo 30 || echo 250)" 38
    for ((i = 0; i < entry; i++)); do xdotool key --clearmodifiers Down; done
    wait_clipboard "$expected" || fail "copy: clipboard has [$(clipboard)]"
}

exit_pukalo() {
    local how=$1 win=$2
    case $how in
    button) click_client "$win" 372 264 ;;
    close-box) click_close_box "$win" ;;
    sigterm) kill -TERM "$PUKALO_PID" ;;
    esac
    wait_exit
}

# --- Kept after every way out, byte for byte, paste after paste -----------------------------
KAOMOJI=' (o^_^o) '
for how in button close-box sigterm; do
    start_pukalo
    win=$(wait_window "プカロ！")
    copy_kaomoji "$win" 2 R 10 "$KAOMOJI"
    exit_pukalo "$how" "$win"
    for paste in 1 2 3; do
        clipboard_is "$KAOMOJI" || fail "$how: paste $paste gave [$(clipboard)]"
    done
    one_keeper || fail "$how: $(keepers | wc -l) keeper processes"
    # It holds nothing of Pukalo's: no file but /dev/null, no socket but its X connection.
    keeper=$(keepers)
    open_files=$(for fd in /proc/"$keeper"/fd/*; do readlink "$fd"; done | sort | uniq -c)
    [[ $(grep -cv -e '/dev/null' -e 'socket:' <<<"$open_files") -eq 0 &&
        $(grep -c 'socket:' <<<"$open_files") -eq 1 ]] ||
        fail "$how: the keeper holds $open_files"
    # Another program copies: the keeper goes, the new text is there.
    printf 'new text' | xclip -selection clipboard -i >/dev/null 2>&1
    wait_for 10 no_keeper || fail "$how: the keeper stayed after another program copied"
    clipboard_is 'new text' || fail "$how: clipboard has [$(clipboard)]"
    echo "ok: kept after exit by $how"
done

# --- Each target gets the exact bytes it can hold, and nothing it cannot --------------------
check_targets() { # expected-utf8 latin1-hex-or-empty ascii(yes/no)
    local text=$1 latin1=$2 ascii=$3 targets
    targets=$(xclip -o -selection clipboard -t TARGETS)
    [[ $(xclip -o -selection clipboard -t UTF8_STRING; echo x) == "$text"x ]] ||
        fail "UTF8_STRING of [$text]"
    [[ $(xclip -o -selection clipboard -t 'text/plain;charset=utf-8'; echo x) == "$text"x ]] ||
        fail "text/plain;charset=utf-8 of [$text]"
    if [[ -n $latin1 ]]; then
        [[ $(xclip -o -selection clipboard -t STRING | od -An -tx1 | tr -d ' \n') == "$latin1" ]] ||
            fail "STRING of [$text]"
        [[ $targets == *STRING* ]] || fail "STRING not offered for [$text]"
    else
        ! xclip -o -selection clipboard -t STRING >/dev/null 2>&1 ||
            fail "STRING served for [$text], which it cannot hold"
        ! xclip -o -selection clipboard -t TEXT >/dev/null 2>&1 ||
            fail "TEXT served for [$text]"
        [[ $targets != *$'\n'STRING* ]] || fail "STRING offered for [$text]"
    fi
    if [[ $ascii == no ]]; then
        ! xclip -o -selection clipboard -t text/plain >/dev/null 2>&1 ||
            fail "text/plain served for [$text]"
    fi
    ! xclip -o -selection clipboard -t COMPOUND_TEXT >/dev/null 2>&1 ||
        fail "COMPOUND_TEXT served"
}

start_pukalo
win=$(wait_window "プカロ！")
copy_kaomoji "$win" 2 R 10 "$KAOMOJI"
exit_pukalo sigterm "$win"
check_targets "$KAOMOJI" 20286f5e5f5e6f2920 yes
start_pukalo
win=$(wait_window "プカロ！")
copy_kaomoji "$win" 1 L 4 '（＾＾）'
exit_pukalo sigterm "$win"
check_targets '（＾＾）' '' no
start_pukalo
win=$(wait_window "プカロ！")
copy_kaomoji "$win" 12 R 4 '(×o×) '
exit_pukalo sigterm "$win"
one_keeper || fail "$(keepers | wc -l) keepers after a second hand-over"
check_targets '(×o×) ' 28d76fd72920 no
echo "ok: exact bytes per target, nothing lossy"

# --- Nothing to keep: another program copied since, or Clipclear empties the clipboard ------
printf 'reset' | xclip -selection clipboard -i >/dev/null 2>&1
wait_for 10 no_keeper || fail "keeper left over"
start_pukalo
win=$(wait_window "プカロ！")
copy_kaomoji "$win" 1 L 0 '(^^)'
printf 'copied elsewhere' | xclip -selection clipboard -i >/dev/null 2>&1
wait_clipboard 'copied elsewhere'
exit_pukalo button "$win"
sleep 0.3
no_keeper || fail "a keeper started although Pukalo no longer owned the clipboard"
clipboard_is 'copied elsewhere' || fail "clipboard has [$(clipboard)]"
echo "ok: no keeper when another program copied last"

write_settings Showlogo=2 Clipclear=1
start_pukalo
win=$(wait_window "プカロ！")
copy_kaomoji "$win" 1 L 0 '(^^)'
exit_pukalo close-box "$win"
sleep 0.3
no_keeper || fail "a keeper started with Clipclear on"
clipboard_is '' || fail "Clipclear on: clipboard has [$(clipboard)]"
echo "ok: Clipclear on empties, no keeper"

# --- A clipboard manager that never answers does not hold up the exit -----------------------
write_settings Showlogo=2
"$SILENT_CLIPBOARD_MANAGER" >"$E2E_TMP/manager.out" &
PIDS_TO_KILL+=($!)
wait_for 50 grep -q ready "$E2E_TMP/manager.out" || fail "the silent manager did not start"
start_pukalo
win=$(wait_window "プカロ！")
copy_kaomoji "$win" 2 R 6 '(☆o☆) '
kill -TERM "$PUKALO_PID"
# Qt would wait five seconds for the manager's answer.
wait_for 20 process_gone || fail "the exit waited on the clipboard manager"
clipboard_is '(☆o☆) ' || fail "with a manager: clipboard has [$(clipboard)]"
echo "ok: a silent clipboard manager does not delay the exit"

# --- The keeper ends with the display -------------------------------------------------------
one_keeper || fail "no keeper before the display ends"
kill "${PIDS_TO_KILL[0]}" # Xvfb
wait_for 10 no_keeper || fail "the keeper outlived the display"
echo "ok: the keeper ends with the display"
