#!/bin/bash
# Two instances at once, 200 actions in turn: one toggles "常に手前に表示" from its menu, the
# other presses OK in its settings dialog. The settings file stays valid throughout and always
# holds the value written last.
source "$(dirname "$0")/lib.sh"

start_display
write_settings Showlogo=2 Clipclear=2 Facechack=2

start_instance() {
    "$PUKALO" >/dev/null 2>&1 &
    local pid=$!
    PIDS_TO_KILL+=("$pid")
    local win=
    wait_for 100 sh -c "xdotool search --all --onlyvisible --pid $pid --name '^プカロ！\$' >/dev/null" ||
        fail "instance did not start"
    win=$(xdotool search --all --onlyvisible --pid "$pid" --name '^プカロ！$' | head -n1)
    echo "$pid $win"
}
read -r a_pid a_win < <(start_instance)
read -r b_pid b_win < <(start_instance)
xdotool windowmove "$a_win" 20 20 windowmove "$b_win" 520 20

popup_open() { # pid: the menu is the one window besides the main window
    [[ $(xdotool search --all --onlyvisible --pid "$1" 2>/dev/null | wc -l) -ge 2 ]]
}
menu_key() { # pid window key: opens the プカロ menu and picks the item
    xdotool windowactivate --sync "$2" 2>/dev/null || xdotool windowfocus --sync "$2"
    xdotool key --clearmodifiers alt+k
    wait_for 30 popup_open "$1" || fail "the menu did not open"
    xdotool key --clearmodifiers "$3"
}
stored() { sed -n "s/^Facechack=//p" "$SETTINGS_FILE"; }
valid() {
    local content
    content=$(cat "$SETTINGS_FILE")
    [[ $(head -n1 <<<"$content") == '[Settings]' ]] || return 1
    local key
    for key in Showlogo Clipclear Facechack; do
        [[ $(grep -c "^$key=[12]\$" <<<"$content") -eq 1 ]] || return 1
    done
}

a_on=no # instance A's check mark, off as stored
for ((action = 1; action <= 200; action++)); do
    if ((action % 2)); then
        [[ $a_on == yes ]] && a_on=no || a_on=yes
        want=$([[ $a_on == yes ]] && echo 1 || echo 2)
        menu_key "$a_pid" "$a_win" m
    else
        want=$(stored) # the dialog shows what is stored and OK writes it back
        menu_key "$b_pid" "$b_win" s
        wait_for 50 sh -c "xdotool search --all --onlyvisible --pid $b_pid --name '^プカロ！設定\$' >/dev/null" ||
            fail "action $action: the settings dialog did not open"
        xdotool key --clearmodifiers Return # OK has the focus
        wait_for 50 sh -c "! xdotool search --all --onlyvisible --pid $b_pid --name '^プカロ！設定\$' >/dev/null" ||
            fail "action $action: the settings dialog did not close"
    fi
    wait_for 30 sh -c "grep -qx 'Facechack=$want' '$SETTINGS_FILE'" ||
        fail "action $action: Facechack is [$(stored)], not $want"
    valid || fail "action $action: invalid file: $(cat "$SETTINGS_FILE")"
done
kill -0 "$a_pid" && kill -0 "$b_pid" || fail "an instance ended"
echo "ok: 200 alternating writes from two instances, file valid, last value kept ($(stored))"
