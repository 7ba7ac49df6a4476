#!/bin/bash
# Start-up as the window manager sees it: the splash logo first (unless switched off), the main
# window on the timer's second tick, the splash gone on the third; sizes, placement and the
# window manager's view of the fixed-size main window.
source "$(dirname "$0")/lib.sh"

start_display
SCREEN_W=1024 SCREEN_H=768

now() { date +%s%N; }

visible_windows() {
    xdotool search --all --onlyvisible --pid "$PUKALO_PID" 2>/dev/null || true
}

splash_window() {
    local w
    for w in $(visible_windows); do
        if [[ $(xprop -id "$w" _NET_WM_WINDOW_TYPE) == *_NET_WM_WINDOW_TYPE_SPLASH* ]]; then
            echo "$w"
            return 0
        fi
    done
    return 1
}

near() { # value expected tolerance
    (($1 >= $2 - $3 && $1 <= $2 + $3))
}

# --- Splash branch: nothing stored -----------------------------------------------------------
t0=$(now)
start_pukalo
wait_for 100 splash_window || fail "no splash window"
t_splash=$(now)
splash=$(splash_window)
window_geometry "$splash"
[[ $WW -eq 417 && $WH -eq 133 ]] || fail "splash is ${WW}x${WH}"
near "$WX" $(((SCREEN_W - 417) / 2)) 1 && near "$WY" $(((SCREEN_H - 133) / 2)) 1 ||
    fail "splash not centred: $WX,$WY"
extents=$(xprop -id "$splash" _NET_FRAME_EXTENTS)
[[ $extents == *"= 0, 0, 0, 0"* || $extents == *"not found"* ]] || fail "splash has a frame: $extents"
[[ -z $(find_window "プカロ！") ]] || fail "main window open together with the splash at once"

# Clicks and keys on the splash neither speed it up nor close it.
xdotool mousemove $((WX + 100)) $((WY + 50)) click 1
xdotool key --clearmodifiers Escape Return space
sleep 0.5
splash_window >/dev/null || fail "the splash closed on input"
[[ -z $(find_window "プカロ！") ]] || fail "input on the splash opened the main window early"

main=$(wait_window "プカロ！" 100)
t_main=$(now)
splash_window >/dev/null || fail "the splash closed before the main window opened"
wait_for 50 sh -c "! xdotool search --all --onlyvisible --pid $PUKALO_PID 2>/dev/null |
    xargs -r -n1 xprop _NET_WM_WINDOW_TYPE -id | grep -q SPLASH" ||
    fail "the splash did not close"
t_gone=$(now)
# The timer cannot tick early: the main window comes at the second tick, the splash goes at
# the third.
(((t_main - t_splash) / 1000000 >= 1500)) || fail "main window after $(((t_main - t_splash) / 1000000)) ms"
(((t_gone - t_main) / 1000000 >= 500)) || fail "splash closed $(((t_gone - t_main) / 1000000)) ms after"
[[ $(visible_windows | wc -l) -eq 1 ]] || fail "more than one window left open"
echo "ok: splash for $(((t_main - t_splash) / 1000000)) ms, then main window"

# The main window as the window manager sees it.
window_geometry "$main"
[[ $WW -eq 440 ]] || fail "main window is $WW wide"
((WH > 280 && WH < 320)) || fail "main window is $WH high (280 and a menu bar)"
near "$WX" $(((SCREEN_W - WW) / 2)) 2 || fail "main window not centred across: $WX"
near "$WY" $(((SCREEN_H - WH) / 2)) 25 || fail "main window not centred down: $WY"
actions=$(xprop -id "$main" _NET_WM_ALLOWED_ACTIONS)
[[ $actions == *_NET_WM_ACTION_CLOSE* && $actions == *_NET_WM_ACTION_MINIMIZE* ]] ||
    fail "close or minimize not allowed: $actions"
[[ $actions != *MAXIMIZE* && $actions != *RESIZE* ]] || fail "resizable: $actions"
icon=$(xprop -id "$main" _NET_WM_ICON)
[[ $icon == *"Icon (32 x 32)"* ]] || fail "no 32x32 window icon"
kill -TERM "$PUKALO_PID"
wait_exit

# --- Main-window branch: the logo switched off -----------------------------------------------
for value in 2 0 abc; do
    write_settings "Showlogo=$value"
    start_pukalo
    main=$(wait_window "プカロ！" 100)
    ! splash_window >/dev/null || fail "Showlogo=$value opened the splash"
    [[ $(visible_windows | wc -l) -eq 1 ]] || fail "Showlogo=$value: more than one window"
    grep -q "Showlogo=$value" "$SETTINGS_FILE" || fail "Showlogo=$value was rewritten"
    kill -TERM "$PUKALO_PID"
    wait_exit
    echo "ok: Showlogo=$value opens the main window directly"
done
