#!/bin/bash
# 「クリックで貼り付け」: a pick lands in the window the user was writing in, exactly once, byte for
# byte, and that window has the focus again: a terminal (xterm running cat, pasting PRIMARY on
# Shift+Insert) and a text field of another toolkit (a Tk entry, pasting CLIPBOARD). Arrow keys
# paste nothing; with the option off nothing is pasted.
source "$(dirname "$0")/lib.sh"
need "${X_TOOLS[@]}" xterm python3
python3 -c 'import tkinter' 2>/dev/null || { echo "SKIPPED: not installed: python3-tk" && exit 77; }
start_display
write_settings Showlogo=2 Paste=1
typed=$E2E_TMP/typed entry=$E2E_TMP/entry
: >"$typed"

# The terminal: what is pasted reaches cat at once, not at the end of a line.
xterm -u8 -geometry 40x4+10+10 -title target-term -e sh -c "stty -icanon -echo; exec cat >'$typed'" &
PIDS_TO_KILL+=($!)
# The Tk entry writes its text down every 50 ms.
python3 -c 'import sys, tkinter as tk
root = tk.Tk(); root.title("target-entry"); root.geometry("300x50+10+640")
entry = tk.Entry(root, width=40); entry.pack(); entry.focus_set()
def keep(): open(sys.argv[1], "w", encoding="utf-8").write(entry.get()); root.after(50, keep)
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

# --- Arrow keys copy and paste nothing ------------------------------------------------------
xdotool windowactivate --sync "$MAIN"
key Down Down
wait_clipboard '<^^>' || fail "Down: clipboard has [$(clipboard)]"
settled
active "$MAIN" && [[ $(cat "$typed") == '(^^)' ]] || fail "arrow keys pasted: [$(cat "$typed")]"
echo "ok: arrow keys copy and paste nothing"

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
[[ $(cat "$typed") == '(^^)' ]] || fail "the terminal got a paste meant for the entry"
echo "ok: Enter in the search window pastes into the Tk entry, once, and gives it the focus back"

# --- With the option off, a click copies and pastes nothing ---------------------------------
xdotool windowactivate --sync "$MAIN"
key Escape
menu_item p
wait_for 30 grep -qx Paste=2 "$SETTINGS_FILE" || fail "the option was not stored off"
xdotool windowactivate --sync "$term"
wait_for 50 active "$term" || fail "the terminal did not become active"
click_in "$MAIN" 250 38
wait_clipboard '(^^ゞ' || fail "option off: clipboard has [$(clipboard)]"
settled
active "$MAIN" && [[ $(cat "$typed") == '(^^)' ]] || fail "the option off pasted: [$(cat "$typed")]"
kill -TERM "$PUKALO_PID"
wait_exit
echo "ok: with the option off nothing is pasted"
