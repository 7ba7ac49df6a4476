#!/bin/bash
# One Pukalo per session, called by a key, on a session bus of the test's own: `pukalo --find
# WORDS` with none running opens the main window and the search window with the words; a second
# `pukalo` brings the one main window forward and ends; `--find` brings the search window forward
# with the launcher's startup id, and a pick pastes into the window that was active when it was
# called; a stopped Pukalo holds a start up for a second at most, which says why once; the
# command line never asks the one running, nor loads the bus's or the GUI's libraries.
source "$(dirname "$0")/lib.sh"
need "${X_TOOLS[@]}" xterm dbus-daemon
start_display
start_session_bus
write_settings Showlogo=2 Paste=1
typed=$E2E_TMP/typed
: >"$typed"
xterm -u8 -geometry 40x4+10+10 -title target-term -e sh -c "stty -icanon -echo; exec cat >'$typed'" &
PIDS_TO_KILL+=($!)
wait_for 100 sh -c "xdotool search --onlyvisible --name '^target-term\$' | grep -q ." || fail "no xterm"
term=$(xdotool search --onlyvisible --name '^target-term$' | head -n1)
active() { [[ $(xdotool getactivewindow 2>/dev/null) == "$1" ]]; }
activate() { xdotool windowactivate --sync "$1" && wait_for 50 active "$1" || fail "$1 not active"; }
first_found() { "$PUKALO" --search "$1" | head -n1 | cut -f2; }
# A start that hands itself over ends at once, with status 0.
call() { # [env...] -- args
    local status=0
    timeout 10 env "$@" 2>>"$E2E_TMP/calls.err" || status=$?
    [[ $status -eq 0 ]] || fail "pukalo ${*}: status $status"
}

# --- None running: --find opens the main window and the search window --------------------
activate "$term"
env --default-signal=INT "$PUKALO" --find ねこ >"$E2E_TMP/pukalo.out" 2>"$E2E_TMP/pukalo.err" </dev/null &
PUKALO_PID=$!
MAIN=$(wait_window "プカロ！" 150)
search=$(wait_window "プカロ！顔文字を探す")
wait_focus "$search"
neko=$(first_found ねこ)
key Return
wait_clipboard "$neko" || fail "--find ねこ, Enter: clipboard has [$(clipboard)], not [$neko]"
wait_for 50 grep -qF "$neko" "$typed" || fail "nothing pasted into the terminal: [$(cat "$typed")]"
[[ ! -s $E2E_TMP/pukalo.err ]] || fail "the first start said: $(cat "$E2E_TMP/pukalo.err")"
echo "ok: --find ねこ with none running: the main window, and the search window with ねこ, focused"

# --- A second start: the one main window comes forward -----------------------------------
activate "$term"
call "$PUKALO"
wait_for 50 active "$MAIN" || fail "the main window is not active after a second start"
[[ $(own_processes pukalo | wc -l) -eq 1 && $(program_windows "プカロ！" | wc -l) -eq 1 ]] ||
    fail "a second start left $(own_processes pukalo | wc -l) processes"
echo "ok: a second start ends with status 0, the one main window active"

# --- --find while it runs: the search window with the words, with the launcher's id ------
activate "$search"
key Escape
wait_for 30 eval '! has_window "プカロ！顔文字を探す"' || fail "Esc did not close the search window"
activate "$term"
call DESKTOP_STARTUP_ID=e2e-called-1 "$PUKALO" --find ありがとう
wait_focus "$search"
[[ $(xprop -id "$search" _NET_STARTUP_ID) == *'"e2e-called-1"' ]] ||
    fail "the startup id was not passed on: $(xprop -id "$search" _NET_STARTUP_ID)"
thanks=$(first_found ありがとう)
key Return
wait_clipboard "$thanks" || fail "--find ありがとう, Enter: clipboard has [$(clipboard)], not [$thanks]"
wait_for 50 active "$term" || fail "the terminal did not get the focus back"
wait_for 50 grep -qF "$neko$thanks" "$typed" || fail "the terminal got [$(cat "$typed")], not [$neko$thanks]"
settled "$search"
[[ $(cat "$typed") == "$neko$thanks" ]] || fail "the terminal got [$(cat "$typed")], not [$neko$thanks]"
echo "ok: --find ありがとう while it runs: focused with the startup id, pasted where the user was"

# --- A stopped Pukalo: the next start waits a second at most, says why, and is the one -----
kill -STOP "$PUKALO_PID"
PIDS_TO_KILL+=("$PUKALO_PID")
for option in --list "--search ねこ" --dictionary; do
    LD_DEBUG=files timeout 1 "$PUKALO" $option 2>"$E2E_TMP/loaded" >/dev/null ||
        fail "pukalo $option waited on the stopped Pukalo"
    ! grep -qE 'libQt6(DBus|Gui)' "$E2E_TMP/loaded" || fail "pukalo $option loaded the bus's or the GUI's libraries"
done
stopped=$PUKALO_PID
start=$(date +%s%N)
env --default-signal=INT "$PUKALO" >"$E2E_TMP/pukalo.out" 2>"$E2E_TMP/pukalo.err" </dev/null &
PUKALO_PID=$!
wait_for 50 grep -q . "$E2E_TMP/pukalo.err" || fail "the new start did not say why"
waited=$((($(date +%s%N) - start) / 1000000))
# A second, and what a loaded machine adds to a start.
((waited < 2000)) || fail "the new start waited $waited ms on the stopped one"
MAIN=$(wait_window "プカロ！" 150)
[[ $(wc -l <"$E2E_TMP/pukalo.err") -eq 1 ]] && grep -q "^pukalo: .*$stopped" "$E2E_TMP/pukalo.err" ||
    fail "the new start said: $(cat "$E2E_TMP/pukalo.err")"
activate "$term"
call "$PUKALO"
wait_for 50 active "$MAIN" || fail "the new Pukalo did not come forward"
kill -CONT "$stopped"
echo "ok: a stopped Pukalo held the start up for $waited ms, which it said once; the new one answers"
