#!/bin/bash
# Every way out of the main window runs the one exit procedure: with Clipclear on it empties
# the clipboard, whoever owns it; otherwise another program's text survives the exit. Nothing
# is written to the settings file on the way out.
source "$(dirname "$0")/lib.sh"

start_display

OTHER='text of another program'

exit_by() {
    local how=$1 win=$2
    case $how in
    button) click_client "$win" 372 264 ;;
    menu)
        xdotool key --clearmodifiers alt+k
        sleep 0.3
        xdotool key --clearmodifiers e
        ;;
    close-box) click_close_box "$win" ;;
    alt-f4) xdotool key --clearmodifiers alt+F4 ;;
    wm-close) wmctrl -i -c "$win" ;;
    sigterm) kill -TERM "$PUKALO_PID" ;;
    sighup) kill -HUP "$PUKALO_PID" ;;
    sigint) kill -INT "$PUKALO_PID" ;;
    esac
}

check_exit() {
    local clipclear=$1 how=$2 cleared=$3
    if [[ $clipclear == none ]]; then
        write_settings Showlogo=2
    else
        write_settings Showlogo=2 "Clipclear=$clipclear"
    fi
    local before
    before=$(cat "$SETTINGS_FILE")
    start_pukalo
    local win
    win=$(wait_window "プカロ！")
    printf '%s' "$OTHER" | xclip -selection clipboard -i >/dev/null 2>&1
    wait_clipboard "$OTHER" || fail "xclip did not take the clipboard"

    exit_by "$how" "$win"
    wait_exit
    if [[ $cleared == yes ]]; then
        wait_for 20 clipboard_is "" || fail "Clipclear=$clipclear, $how: clipboard not emptied"
    else
        sleep 0.2
        clipboard_is "$OTHER" ||
            fail "Clipclear=$clipclear, $how: clipboard holds [$(clipboard)]"
    fi
    [[ "$(cat "$SETTINGS_FILE")" == "$before" ]] ||
        fail "Clipclear=$clipclear, $how: the settings file changed at exit"
    if [[ $clipclear == abc ]]; then
        grep -q 'Clipclear.*"abc"' "$E2E_TMP/pukalo.err" ||
            fail "no message on standard error names the bad Clipclear"
    fi
    echo "ok: Clipclear=$clipclear, exit by $how"
}

for how in button menu close-box alt-f4 wm-close sigterm sighup sigint; do
    check_exit 1 "$how" yes
    check_exit 2 "$how" no
done
for how in button close-box sigterm; do
    check_exit none "$how" no
    check_exit abc "$how" no
    check_exit 01 "$how" yes
done

# "クリップボードをクリア(&C)" empties the clipboard and the program goes on.
write_settings Showlogo=2
start_pukalo
win=$(wait_window "プカロ！")
click_client "$win" 330 12
xdotool key --clearmodifiers Down
click_client "$win" 30 38
wait_clipboard "(^^)" || fail "no kaomoji copied"
xdotool key --clearmodifiers alt+k
sleep 0.3
xdotool key --clearmodifiers c
wait_for 20 clipboard_is "" || fail "the clear command left [$(clipboard)]"
sleep 0.3
kill -0 "$PUKALO_PID" || fail "the program ended after the clear command"
xdotool key --clearmodifiers Down Down # the next kaomoji still copies
wait_clipboard "<^^>" || fail "copy after clear: clipboard has [$(clipboard)]"
exit_by button "$win"
wait_exit
echo "ok: clear command"
