#!/bin/bash
# Every way out runs the one exit procedure. With Clipclear on the clipboard is emptied; off,
# the copied kaomoji stays pasteable after the exit: a small keeper serves exactly that text,
# in exactly the forms that hold it, until another program copies or the display ends. The
# exit never waits on a clipboard manager and writes nothing to the settings.
source "$(dirname "$0")/lib.sh"
need "${X_TOOLS[@]}" python3 wmctrl

start_display
keepers() { own_processes pukalo-clipkeep; }
keeper_count() { [[ $(keepers | wc -l) -eq $1 ]]; }

exit_by() {
    case $1 in
    button) click_in "$MAIN" 372 264 ;;
    menu) menu_item e ;;
    close-box) click_close_box "$MAIN" ;;
    alt-f4) key alt+F4 ;;
    wm-close) wmctrl -i -c "$MAIN" ;;
    sigterm | sighup | sigint) kill -"${1#sig}" "$PUKALO_PID" ;;
    esac
    wait_exit
}

# --- Every way out, Clipclear on and off: emptied, or kept byte for byte ---------------------
KAOMOJI=' (o^_^o) '
for how in button menu close-box alt-f4 wm-close sigterm sighup sigint; do
    for clipclear in 1 2; do
        write_settings Showlogo=2 "Clipclear=$clipclear"
        start_pukalo
        copy_kaomoji 2 R 10 "$KAOMOJI"
        before=$(cat "$SETTINGS_FILE")
        exit_by "$how"
        if [[ $clipclear == 1 ]]; then
            wait_for 20 clipboard_is "" && wait_for 10 keeper_count 0 ||
                fail "Clipclear=1, $how: [$(clipboard)] and $(keepers | wc -l) keepers after exit"
        else
            clipboard_is "$KAOMOJI" && wait_for 10 keeper_count 1 ||
                fail "$how: [$(clipboard)] and $(keepers | wc -l) keepers after exit"
        fi
        [[ $(cat "$SETTINGS_FILE") == "$before" ]] || fail "$how: the settings file changed"
    done
    echo "ok: exit by $how"
done

# The keeper holds nothing of Pukalo's but its own X connection, keeps no folder busy, and goes
# when another program copies.
keeper=$(keepers)
open_files=$(for fd in /proc/"$keeper"/fd/*; do readlink "$fd"; done)
[[ $(grep -cv -e '^/dev/null$' -e '^socket:' <<<"$open_files") -eq 0 &&
    $(grep -c '^socket:' <<<"$open_files") -eq 1 && $(readlink "/proc/$keeper/cwd") == / ]] ||
    fail "the keeper holds: $open_files, $(readlink "/proc/$keeper/cwd")"
other_copies 'new text'
wait_for 10 keeper_count 0 || fail "the keeper stayed after another program copied"
echo "ok: the keeper holds only its X connection and goes when another program copies"

# --- Each target gets the exact bytes it can hold, and nothing it cannot, while the program
# runs and from the keeper after it -----------------------------------------------------------
check_targets() { # text latin1-hex-or-empty ascii(yes/no)
    local targets
    targets=$(xclip -o -selection clipboard -t TARGETS)
    for target in UTF8_STRING 'text/plain;charset=utf-8'; do
        [[ $(xclip -o -selection clipboard -t "$target"; echo x) == "$1"x ]] || fail "$target of [$1]"
    done
    if [[ -n $2 ]]; then
        [[ $(xclip -o -selection clipboard -t STRING | od -An -tx1 | tr -d ' \n') == "$2" ]] ||
            fail "STRING of [$1]"
    else
        ! xclip -o -selection clipboard -t STRING >/dev/null 2>&1 || fail "STRING served for [$1]"
        [[ $targets != *$'\n'STRING* ]] || fail "STRING offered for [$1]"
    fi
    [[ $3 == yes ]] || ! xclip -o -selection clipboard -t text/plain >/dev/null 2>&1 ||
        fail "text/plain served for [$1]"
    ! xclip -o -selection clipboard -t COMPOUND_TEXT >/dev/null 2>&1 || fail "COMPOUND_TEXT served"
    (($(xclip -o -selection clipboard -t TIMESTAMP) > 0)) || fail "TIMESTAMP of [$1] is not the time it was taken"
}
write_settings Showlogo=2
for row in "2 R 10 20286f5e5f5e6f2920 yes $KAOMOJI" "1 L 4 - no （＾＾）" "12 R 4 28d76fd72920 no (×o×) "; do
    read -r category side downs latin1 ascii text <<<"$row"
    text=${row#* * * * * } # keeps a trailing blank
    start_pukalo
    copy_kaomoji "$category" "$side" "$downs" "$text"
    check_targets "$text" "${latin1#-}" "$ascii"
    exit_by sigterm
    wait_for 10 keeper_count 1 || fail "$(keepers | wc -l) keepers after a hand-over"
    check_targets "$text" "${latin1#-}" "$ascii"
done
echo "ok: exact bytes per target, nothing lossy"

# The keeper answers as ICCCM asks: MULTIPLE served pair by pair; a request dated before it
# took the clipboard refused; a forged loss of another selection ignored.
[[ $("$XCLIENT" multiple UTF8_STRING STRING) == "UTF8_STRING: (×o×) "$'\n'"STRING: $(printf '(\xd7o\xd7) ')" ]] ||
    fail "MULTIPLE: $("$XCLIENT" multiple UTF8_STRING STRING)"
! "$XCLIENT" multiple at-time-1 UTF8_STRING >/dev/null || fail "a request from before the keeper's time served"
for selection in PRIMARY CLIPBOARD; do
    "$XCLIENT" forge-clear $selection || fail "could not send a SelectionClear"
    # The keeper reads events in order: a request answered now comes after the forged clear.
    clipboard_is '(×o×) ' && keeper_count 1 || fail "a forged SelectionClear for $selection ended the keeper"
done
echo "ok: MULTIPLE, an early request and a forged SelectionClear"

# --- Termination signals back to back (a closing terminal sends SIGHUP after SIGTERM) never
# lose the copy, whenever the later ones land during the hand-over ------------------------
for ((round = 1; round <= 10; round++)); do
    other_copies '' # the copy to keep must be this round's
    start_pukalo
    copy_kaomoji 1 L 0 '(^^)'
    kill -TERM "$PUKALO_PID"
    for i in $(seq 30); do kill -HUP "$PUKALO_PID" 2>/dev/null || break; done
    wait_exit
    clipboard_is '(^^)' || fail "round $round: TERM and HUPs back to back left [$(clipboard)]"
done
echo "ok: TERM and a burst of HUPs, 10 times, the copy kept"

# Started with SIGHUP ignored (as nohup does), the program keeps ignoring it.
start_pukalo --ignore-signal=HUP
kill -HUP "$PUKALO_PID" && settled # fails if SIGHUP ended it
kill -TERM "$PUKALO_PID" && wait_exit
echo "ok: a signal ignored at start stays ignored"

# --- No keeper, or a broken one: one line says the copy is lost, and the exit stays prompt ---
mkdir "$E2E_TMP/bin" && cp "$PUKALO" "$(dirname "$PUKALO")/pukalo-gui.so" "$E2E_TMP/bin/"
for keeper in missing broken; do
    [[ $keeper == missing ]] || install -m 755 <(printf '#!/bin/sh\nexit 1\n') "$E2E_TMP/bin/pukalo-clipkeep"
    other_copies ''
    PUKALO=$E2E_TMP/bin/pukalo start_pukalo
    copy_kaomoji 1 L 0 '(^^)'
    kill -TERM "$PUKALO_PID"
    wait_for 20 ended || fail "$keeper keeper: the exit was not prompt"
    wait_exit
    grep -q 'copied text could not be kept' "$E2E_TMP/pukalo.err" || fail "$keeper keeper: nothing said"
done
echo "ok: a missing or broken keeper is reported and the exit stays prompt"

# --- A Wayland compositor that accepts and never answers: the exit gives up on it within a
# second and the X keeper keeps the copy, without a word of loss -------------------------------
copy_and_exit_beside_compositor wayland-silent 20
wait_for 10 keeper_count 1 && clipboard_is '(^^)' || fail "silent compositor: clipboard has [$(clipboard)]"
! grep -q 'could not be kept' "$E2E_TMP/pukalo.err" || fail "a loss reported although the keeper kept it"
echo "ok: a silent Wayland compositor: the exit stays prompt and the copy is kept"

# --- Nothing to keep: another program copied since; Clipclear empties another's text too ----
start_pukalo
copy_kaomoji 1 L 0 '(^^)'
other_copies 'copied elsewhere'
exit_by button
wait_for 10 keeper_count 0 || fail "a keeper started although Pukalo no longer owned the clipboard"
clipboard_is 'copied elsewhere' || fail "another program's text: clipboard has [$(clipboard)]"
write_settings Showlogo=2 Clipclear=01
start_pukalo
other_copies 'copied elsewhere'
exit_by close-box
wait_for 20 clipboard_is '' || fail "Clipclear=01 left another program's text"
echo "ok: no keeper when another program copied last; Clipclear empties any owner's text"

# --- 「クリップボードをクリア」 empties the clipboard and the program goes on --------------
write_settings Showlogo=2
start_pukalo
copy_kaomoji 1 L 0 '(^^)'
menu_item c
wait_for 20 clipboard_is "" || fail "the clear command left [$(clipboard)]"
key Down Down
wait_clipboard "<^^>" || fail "copy after clear: clipboard has [$(clipboard)]"
echo "ok: clear command"

# --- A clipboard manager that never answers does not hold up the exit ----------------------
"$XCLIENT" silent-manager >"$E2E_TMP/manager.out" &
PIDS_TO_KILL+=($!)
wait_for 50 grep -q ready "$E2E_TMP/manager.out" || fail "the silent manager did not start"
kill -TERM "$PUKALO_PID"
# Qt would wait five seconds for the manager's answer.
wait_for 20 ended || fail "the exit waited on the clipboard manager"
wait_exit
clipboard_is '<^^>' || fail "with a manager: clipboard has [$(clipboard)]"
echo "ok: a silent clipboard manager does not delay the exit"

# --- The keeper ends with the display -------------------------------------------------------
keeper_count 1 || fail "no keeper before the display ends"
kill "$XVFB_PID"
wait_for 10 keeper_count 0 || fail "the keeper outlived the display"
echo "ok: the keeper ends with the display"
