#!/bin/bash
# 「クリックで貼り付け」: a pick lands in the window the user was writing in, exactly once, byte for
# byte, and that window has the focus again: a terminal (xterm running cat, pasting PRIMARY on
# Shift+Insert) and a text field of another toolkit (a Tk entry, pasting CLIPBOARD). Arrow keys
# paste nothing; with the option off nothing is pasted. Without a target (the desktop clicked
# last; the terminal ended, its window's id given to a new terminal) a pick pastes
# nowhere and says why, on standard error once per reason and in the label's tooltip.
source "$(dirname "$0")/lib.sh"
need "${X_TOOLS[@]}" xterm xev python3
python3 -c 'import tkinter' 2>/dev/null || { echo "SKIPPED: not installed: python3-tk" && exit 77; }
start_display
write_settings Showlogo=2 Paste=1
typed=$E2E_TMP/typed entry=$E2E_TMP/entry
: >"$typed"

# The terminal: what is pasted reaches cat at once, not at the end of a line.
terminal() { # file [xterm options]: a terminal running cat into the file
    xterm -u8 -geometry 40x4+10+10 -title target-term "${@:2}" -e sh -c "stty -icanon -echo; exec cat >'$1'" &
    PIDS_TO_KILL+=($!)
}
terminal "$typed"
term_pid=$!
# The Tk entry writes its text down every 50 ms, whole: never read half written.
python3 -c 'import os, pathlib, sys, tkinter as tk
root = tk.Tk(); root.title("target-entry"); root.geometry("300x50+10+640")
entry = tk.Entry(root, width=40); entry.pack(); entry.focus_set()
def keep():
    pathlib.Path(sys.argv[1] + ".new").write_text(entry.get(), encoding="utf-8")
    os.replace(sys.argv[1] + ".new", sys.argv[1]); root.after(50, keep)
keep(); root.mainloop()' "$entry" &
PIDS_TO_KILL+=($!)
window_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1; }
wait_for 100 sh -c "xdotool search --onlyvisible --name '^target-term\$' | grep -q ." || fail "no xterm"
wait_for 100 sh -c "xdotool search --onlyvisible --name '^target-entry\$' | grep -q ." || fail "no Tk entry"
term=$(window_named target-term) tk=$(window_named target-entry)
active() { [[ $(xdotool getactivewindow 2>/dev/null) == "$1" ]]; }
xdotool windowactivate --sync "$term"
wait_for 50 active "$term" || fail "the terminal did not become active"

# --- A click in the main window pastes into the terminal the user came from -----------------
start_pukalo
copy_kaomoji 1 L 0 '(^^)'
wait_for 50 active "$term" || fail "the terminal did not get the focus back"
wait_for 50 grep -qF '(^^)' "$typed" || fail "nothing pasted into the terminal: [$(cat "$typed")]"
settled
[[ $(cat "$typed") == '(^^)' ]] || fail "the terminal got [$(cat "$typed")], not (^^) once"
echo "ok: a click pastes into the terminal, once, and gives it the focus back"

# --- Two picks while the terminal is busy: each its own kaomoji, once, in order -------------
# The terminal stopped, its keys and its request for the paste wait; the second pick is made
# before it has fetched the first.
xdotool windowactivate --sync "$MAIN"
wait_for 50 active "$MAIN" || fail "the main window did not become active"
kill -STOP "$term_pid"
click_in "$MAIN" 250 38
wait_for 50 active "$term" || fail "the stopped terminal was not made active"
settled
click_in "$MAIN" 30 38
wait_clipboard '(^^)' || fail "second pick: clipboard has [$(clipboard)]"
settled
kill -CONT "$term_pid"
in_term='(^^)(^^ゞ(^^)'
wait_for 100 grep -qF "$in_term" "$typed" || fail "the busy terminal got [$(cat "$typed")]"
settled
[[ $(cat "$typed") == "$in_term" ]] || fail "the busy terminal got [$(cat "$typed")]"
echo "ok: two picks into a busy terminal paste each, once, in order"

# --- Arrow keys copy and paste nothing ------------------------------------------------------
xdotool windowactivate --sync "$MAIN"
key Down Down
wait_clipboard '<^^>' || fail "Down: clipboard has [$(clipboard)]"
settled
active "$MAIN" && [[ $(cat "$typed") == "$in_term" ]] || fail "arrow keys pasted: [$(cat "$typed")]"
echo "ok: arrow keys copy and paste nothing"

# --- The window manager slow to hand the focus over: the keys wait for it -------------------
xdotool windowactivate --sync "$MAIN"
wait_for 50 active "$MAIN" || fail "the main window did not become active"
kill -STOP "$WM_PID"
key Return
settled
[[ $(cat "$typed") == "$in_term" ]] || fail "pasted before the terminal was active: [$(cat "$typed")]"
kill -CONT "$WM_PID"
in_term+='<^^>'
wait_for 50 grep -qF "$in_term" "$typed" || fail "the terminal got [$(cat "$typed")], not [$in_term]"
echo "ok: the paste waits until the window manager has made the terminal active"

# --- Enter in the search window pastes into the Tk entry ------------------------------------
xdotool windowactivate --sync "$tk"
wait_for 50 active "$tk" || fail "the entry did not become active"
xdotool windowactivate --sync "$MAIN"
key ctrl+f
search=$(wait_window "プカロ！顔文字を探す")
wait_focus "$search"
xdotool type --delay 50 neko
key Return
wait_for 50 active "$tk" || fail "the entry did not get the focus back"
wait_for 50 grep -qF '(=^ ^=)' "$entry" || fail "nothing pasted into the entry: [$(cat "$entry")]"
settled "$search"
[[ $(cat "$entry") == '(=^ ^=)' ]] || fail "the entry got [$(cat "$entry")], not (=^ ^=) once"
[[ $(cat "$typed") == "$in_term" ]] || fail "the terminal got a paste meant for the entry"
echo "ok: Enter in the search window pastes into the Tk entry, once, and gives it the focus back"
# A double click on a row: its first click pastes, its second only gives the focus back.
xdotool windowactivate --sync "$search"
wait_focus "$search"
key ctrl+a
xdotool type --delay 50 egao
settled "$search"
click_in "$search" 40 85
xdotool click 1
wait_for 50 active "$tk" || fail "the entry did not get the focus back after a double click"
second=$(clipboard)
wait_for 50 grep -qF "(=^ ^=)$second" "$entry" || fail "the double click pasted nothing: [$(cat "$entry")]"
settled "$search"
[[ $(cat "$entry") == "(=^ ^=)$second" ]] || fail "a double click pasted [$(cat "$entry")]"
echo "ok: a double click in the search window pastes once"

# --- The desktop clicked after the terminal: nothing pasted, the reason said once ------------
xdotool windowactivate --sync "$MAIN"
key Escape
xdotool windowactivate --sync "$term"
wait_for 50 active "$term" || fail "the terminal did not become active"
xdotool mousemove 1000 750 click 1
wait_for 50 eval '[[ $(xprop -root _NET_ACTIVE_WINDOW) == *" 0x0" ]]' || fail "the desktop click left a window active"
said() { (($(grep -c "^pukalo: 貼り付け先のウィンドウがありません（$1" "$E2E_TMP/pukalo.err") == $2)); }
for kaomoji in '(^^ゞ' '(^^)'; do # the second pick: no second line
    click_in "$MAIN" "$([[ $kaomoji == '(^^)' ]] && echo 30 || echo 250)" 38
    wait_clipboard "$kaomoji" || fail "no target: clipboard has [$(clipboard)]"
    settled
    said "最後に選ばれたのはデスクトップです" 1 || fail "the reason not said once: $(cat "$E2E_TMP/pukalo.err")"
    active "$MAIN" && [[ $(cat "$typed") == "$in_term" ]] || fail "pasted without a target: [$(cat "$typed")]"
done
# The label's tooltip shows (its text is the line above), none being shown before.
tooltips() { xdotool search --onlyvisible --pid "$PUKALO_PID" 2>/dev/null | xargs -rI{} xprop -id {} _NET_WM_WINDOW_TYPE | grep -c _TOOLTIP; }
xdotool mousemove 1000 750
wait_for 20 eval '(($(tooltips) == 0))' || fail "a tooltip stays"
window_geometry "$MAIN"
xdotool mousemove $((WX + 116)) $((WY + WH - 20))
wait_for 20 eval '(($(tooltips) == 1))' || fail "no tooltip over the label"
# A window of the desktop's type (a file manager drawing the desktop) is the desktop too.
python3 -c 'import tkinter as tk
root = tk.Tk(); root.title("desktop"); root.attributes("-type", "desktop")
root.geometry("200x100+800+600"); root.mainloop()' &
PIDS_TO_KILL+=($!)
wait_for 100 sh -c "xdotool search --onlyvisible --name '^desktop\$' | grep -q ." || fail "no desktop window"
xdotool windowactivate --sync "$term"
wait_for 50 active "$term" || fail "the terminal did not become active"
xdotool mousemove 900 650 click 1
wait_for 50 active "$(window_named desktop)" || fail "the desktop window did not become active"
click_in "$MAIN" 250 38
wait_clipboard '(^^ゞ' || fail "desktop window: clipboard has [$(clipboard)]"
settled
said "最後に選ばれたのはデスクトップです" 2 || fail "the desktop window not said: $(cat "$E2E_TMP/pukalo.err")"
active "$MAIN" && [[ $(cat "$typed") == "$in_term" ]] || fail "pasted past a desktop window: [$(cat "$typed")]"
echo "ok: the desktop clicked last, a pick pastes nothing and says why once"

# --- The terminal ends; a terminal started iconified gets its window's id -------------------
# The server gives the next client the lowest free client slot, and with it the ended one's ids:
# the second terminal connects once the server has closed the first's connection (killed, it
# cannot destroy its window itself: the server does), and before any other client. Two xev,
# connected before, hear both.
xdotool windowactivate --sync "$term"
wait_for 50 active "$term" || fail "the terminal did not become active"
settled # the program has seen it
xdotool windowactivate --sync "$MAIN"
wait_for 50 active "$MAIN" || fail "the main window did not become active"
xev -id "$term" -event structure >"$E2E_TMP/ended" &
PIDS_TO_KILL+=($!)
xev -root -event substructure >"$E2E_TMP/created" &
PIDS_TO_KILL+=($!)
step=0 # the terminal moved back and forth until both have heard it move
wait_for 50 eval 'step=$((1 - step)); xdotool windowmove "$term" $((10 + step)) 12
    grep -q ConfigureNotify "$E2E_TMP/ended" && grep -q ConfigureNotify "$E2E_TMP/created"' ||
    fail "xev hears nothing"
kill -KILL "$term_pid"
wait_for 50 grep -q DestroyNotify "$E2E_TMP/ended" || fail "the terminal did not end"
created=$(grep -c CreateNotify "$E2E_TMP/created" || true)
reused=$E2E_TMP/reused
: >"$reused"
terminal "$reused" -iconic
wait_for 100 eval '(($(grep -c CreateNotify "$E2E_TMP/created") > created))' || fail "no second terminal"
wait_for 100 sh -c "xdotool search --name '^target-term\$' | grep -q ." || fail "no second terminal"
[[ $(xdotool search --name '^target-term$' | head -n1) == "$term" ]] ||
    fail "the second terminal's window did not get the first's id: the test shows nothing"
click_in "$MAIN" 30 38
wait_clipboard '(^^)' || fail "ended target: clipboard has [$(clipboard)]"
settled
said "入力していたウィンドウは閉じられたか" 1 || fail "the reason not said: $(cat "$E2E_TMP/pukalo.err")"
active "$MAIN" && [[ ! -s $reused ]] || fail "a pick went to the second terminal: [$(cat "$reused")]"
echo "ok: the terminal written in ends, a pick pastes nothing and says why"

# --- With the option off, a click copies and pastes nothing ---------------------------------
menu_item p
wait_for 30 grep -qx Paste=2 "$SETTINGS_FILE" || fail "the option was not stored off"
xdotool windowactivate --sync "$tk"
wait_for 50 active "$tk" || fail "the entry did not become active"
printf 'mine' | xclip -selection primary -i >/dev/null 2>&1
click_in "$MAIN" 250 38
wait_clipboard '(^^ゞ' || fail "option off: clipboard has [$(clipboard)]"
settled
active "$MAIN" && [[ $(cat "$entry") == "(=^ ^=)$second" ]] || fail "the option off pasted: [$(cat "$entry")]"
[[ $(xclip -o -selection primary) == mine ]] || fail "the option off took PRIMARY: [$(xclip -o -selection primary)]"
kill -TERM "$PUKALO_PID"
wait_exit
echo "ok: with the option off nothing is pasted"
