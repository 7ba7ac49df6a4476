#!/bin/bash
# 5,000 random real input events (clicks in the program's windows, Tab, arrows, Home/End,
# Enter, Space, Esc, Alt access keys, close boxes) with random stored options. The program
# never crashes, its event loop always answers within a second, and whenever no window of it
# but the main one is open, the check mark of "常に手前に表示", the stored Facechack and the
# window manager's always-on-top state agree. When the input ends the program (終了, its close box), it is started again.
source "$(dirname "$0")/lib.sh"
: "${WMPING:?set WMPING}"

EVENTS=${RANDOM_EVENTS:-5000}
RANDOM=${RANDOM_SEED:-20261206}
echo "seed ${RANDOM_SEED:-20261206}, $EVENTS events"
start_display

OPTION_VALUES=(none 1 2 0 01 -1 abc 40000)
random_settings() {
    local pairs=() key value
    for key in Showlogo Clipclear Facechack; do
        value=${OPTION_VALUES[RANDOM % ${#OPTION_VALUES[@]}]}
        [[ $key == Showlogo ]] && value=2 # the splash only slows the run down
        [[ $value != none ]] && pairs+=("$key=$value")
    done
    write_settings "${pairs[@]}"
}

MAIN=
restart() {
    if [[ -n $PUKALO_PID ]]; then
        local status=0
        wait "$PUKALO_PID" 2>/dev/null || status=$?
        # 127: the shell had already collected it and kept no status; nothing to judge by.
        ((status == 127)) && status=0
        ((status < 128)) || fail "pukalo died of signal $((status - 128))"
        ((status == 0)) || fail "pukalo ended with status $status: $(tail -n 5 "$E2E_TMP/pukalo.err")"
    fi
    random_settings
    start_pukalo
    MAIN=$(wait_window "プカロ！" 150)
    restarts=$((restarts + 1))
}

windows() { xdotool search --all --onlyvisible --pid "$PUKALO_PID" 2>/dev/null || true; }
alive() { kill -0 "$PUKALO_PID" 2>/dev/null; }
stored_on() { # Facechack as the program reads it: on exactly when it is the number 1
    local v
    v=$(sed -n 's/^Facechack=//p' "$SETTINGS_FILE" 2>/dev/null)
    [[ $v =~ ^\+?0*1$ ]]
}
above() { [[ $(xprop -id "$MAIN" _NET_WM_STATE 2>/dev/null) == *_NET_WM_STATE_ABOVE* ]]; }
# The check mark of "常に手前に表示(&M)" as drawn: opens the menu, looks at the third item's
# indicator (a black tick when checked, nothing dark otherwise), closes the menu again.
# Prints yes, no, or nothing when the menu did not open.
check_mark() {
    xdotool windowactivate --sync "$MAIN" 2>/dev/null || true
    xdotool key --clearmodifiers alt+k
    local popup= w i
    for ((i = 0; i < 30; i++)); do
        for w in $(windows); do
            if [[ $w != "$MAIN" ]]; then
                popup=$w
            fi
        done
        [[ -n $popup ]] && break
        sleep 0.05
    done
    [[ -n $popup ]] || return 0
    sleep 0.2 # painted
    local dark
    dark=$(import -window "$popup" -crop 24x20+0+44 txt:- 2>/dev/null |
        awk -F'[(),]' 'NR > 1 && $3 + 0 < 80 {n++} END {print n + 0}')
    xdotool key --clearmodifiers Escape
    wait_for 20 sh -c "[ \$(xdotool search --all --onlyvisible --pid $PUKALO_PID | wc -l) -le 1 ]" || true
    ((dark > 5)) && echo yes || echo no
}

KEYS=(Tab shift+Tab Up Down Left Right Home End Prior Next Return space Escape
    alt+k alt+h v s m c e h)
# The program's windows and their places, looked up again every few events (a lookup costs more
# than an event).
GEOMETRIES=()
refresh_windows() {
    GEOMETRIES=()
    local w
    for w in $(windows); do
        window_geometry "$w" 2>/dev/null || continue
        if ((WW > 2 && WH > 2)); then
            GEOMETRIES+=("$WX $WY $WW $WH")
        fi
    done
    return 0
}
one_event() {
    local r=$((RANDOM % 1000)) x y w h
    if ((r < 550)); then # a click somewhere in one of its windows
        ((${#GEOMETRIES[@]})) || return 0
        read -r x y w h <<<"${GEOMETRIES[RANDOM % ${#GEOMETRIES[@]}]}"
        xdotool mousemove $((x + RANDOM % w)) $((y + RANDOM % h)) mousedown 1 mouseup 1 2>/dev/null || true
    elif ((r < 555)); then # a close box
        ((${#GEOMETRIES[@]})) || return 0
        read -r x y w h <<<"${GEOMETRIES[RANDOM % ${#GEOMETRIES[@]}]}"
        xdotool mousemove $((x + w - 11)) $((y - 11)) mousedown 1 mouseup 1 2>/dev/null || true
    elif ((r < 558)); then
        xdotool key --clearmodifiers alt+F4 2>/dev/null || true
    else
        xdotool key --clearmodifiers "${KEYS[RANDOM % ${#KEYS[@]}]}" 2>/dev/null || true
    fi
}

restarts=-1
checks=0
marks=0
PUKALO_PID=
restart
refresh_windows
deadline=$((SECONDS + 480))
for ((event = 1; event <= EVENTS && SECONDS < deadline; event++)); do
    if ! alive; then
        restart
        refresh_windows
    fi
    if ((event % 5 == 0)); then
        refresh_windows
    fi
    one_event
    ((event % 50 == 0)) || continue
    alive || continue
    "$WMPING" "$MAIN" || { alive && fail "event $event: the event loop did not answer within a second"; }
    # With only the main window open (no dialog, no menu), the three must agree.
    if [[ $(windows | wc -l) -eq 1 ]] && alive; then
        if stored_on; then
            wait_for 10 above || fail "event $event: Facechack on, window not on top"
            want=yes
        else
            wait_for 10 sh -c "! xprop -id $MAIN _NET_WM_STATE | grep -q ABOVE" ||
                fail "event $event: Facechack off, window on top"
            want=no
        fi
        mark=$(check_mark)
        if [[ -n $mark && $mark != "$want" ]]; then
            sleep 0.5 # a menu caught before it was painted reads as unchecked: look once more
            mark=$(check_mark)
        fi
        if [[ -n $mark ]]; then
            [[ $mark == "$want" ]] || fail "event $event: check mark $mark, Facechack on: $want"
            marks=$((marks + 1))
        fi
        checks=$((checks + 1))
    fi
done
((event > EVENTS)) || echo "time bound reached after $((event - 1)) events"
if alive; then
    kill -TERM "$PUKALO_PID"
    wait_exit
fi
echo "ok: $((event - 1)) random events, $restarts restarts, $checks agreement checks" \
    "($marks of them with the check mark read off the menu), no crash"
