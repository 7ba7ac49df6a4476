#!/bin/bash
# Random real input (clicks in the program's windows, keys, access keys, close boxes) with
# random stored options, from a fixed seed. The program never crashes, its event loop always
# answers, and whenever only its main window is open, the stored Facechack and the window
# manager's always-on-top state agree. When the input ends the
# program it is started again. RANDOM_EVENTS and RANDOM_SEED make a longer soak run.
source "$(dirname "$0")/lib.sh"
need "${X_TOOLS[@]}"

EVENTS=${RANDOM_EVENTS:-600}
RANDOM=${RANDOM_SEED:-20261206}
echo "seed ${RANDOM_SEED:-20261206}, $EVENTS events"
start_display

VALUES=(none 1 2 0 01 -1 abc 40000)
restart() {
    [[ -z $PUKALO_PID ]] || wait_exit
    write_settings Showlogo=2 "Clipclear=${VALUES[RANDOM % 8]}" "Facechack=${VALUES[RANDOM % 8]}"
    sed -i '/=none$/d' "$SETTINGS_FILE"
    start_pukalo
    starts=$((starts + 1))
}
alive() { kill -0 "$PUKALO_PID" 2>/dev/null; }
above() { [[ $(xprop -id "$MAIN" _NET_WM_STATE 2>/dev/null) == *_NET_WM_STATE_ABOVE* ]]; }
agrees() { # the window manager's state is the stored one: on exactly when it is the number 1
    if [[ $(sed -n 's/^Facechack=//p' "$SETTINGS_FILE") =~ ^\+?0*1$ ]]; then above; else ! above; fi
}
KEYS=(Tab shift+Tab Up Down Left Right Home End Prior Next Return space Escape alt+k alt+h v s m c e h f ctrl+f)
one_event() { # mostly a click somewhere in one of its windows; now and then a close box or Alt+F4
    local r=$((RANDOM % 200)) windows
    windows=($(program_windows))
    if ((r < 110 && ${#windows[@]})) && window_geometry "${windows[RANDOM % ${#windows[@]}]}" && ((WW > 2)); then
        ((r)) && xdotool mousemove $((WX + RANDOM % WW)) $((WY + RANDOM % WH)) click 1 ||
            xdotool mousemove $((WX + WW - 11)) $((WY - 11)) click 1
    else
        ((r == 199)) && key alt+F4 || key "${KEYS[RANDOM % ${#KEYS[@]}]}"
    fi
}

starts=0 checks=0
restart
for ((event = 1; event <= EVENTS; event++)); do
    alive || restart
    one_event 2>/dev/null || true
    ((event % 25 == 0)) && alive || continue
    "$XCLIENT" ping "$MAIN" || ! alive || fail "event $event: the event loop did not answer within a second"
    # With only the main window open, the window manager's state is the stored one.
    if [[ $(program_windows | wc -l) -eq 1 ]] && alive; then
        wait_for 10 agrees || fail "event $event: Facechack and always-on-top disagree"
        checks=$((checks + 1))
    fi
done
! alive || { kill -TERM "$PUKALO_PID" && wait_exit; }
echo "ok: $EVENTS random events, $starts starts, $checks agreement checks, no crash"
