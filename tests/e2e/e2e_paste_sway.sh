#!/bin/bash
# 「クリックで貼り付け」 on a Wayland session: sway without a screen (its own headless output),
# XWayland on, as an ordinary user. Typed into an X11 terminal (xterm), then into a native one
# (foot), each running cat: no X11 window is active now. Without the input method, a pick in the
# program (under XWayland) pastes nothing into the X11 terminal, copies, and says why. With
# fcitx5 and the program's addon, a pick lands in the native terminal once, and nothing in the
# X11 one; written in the X11 one last, a pick lands there.
source "$(dirname "$0")/lib.sh"
need sway swaymsg foot wtype xterm Xwayland xclip xdotool xprop setpriv python3 fcitx5 dbus-daemon dbus-send
paste_session_home
echo 'xwayland enable' >"$home/sway.conf"
ordinary_user "$home"
# The session's own bus, for the input method, and sway, each ended with the test.
start_session_bus "$home/runtime"
"${as_user[@]}" env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 XDG_RUNTIME_DIR="$home/runtime" \
    WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS" \
    sway -c "$home/sway.conf" >"$E2E_TMP/sway.log" 2>&1 &
PIDS_TO_KILL+=($!)
wait_for 100 compgen -G "$home/runtime/sway-ipc.*" || fail "sway did not start: $(tail -n 5 "$E2E_TMP/sway.log")"
session=(SWAYSOCK="$(echo "$home"/runtime/sway-ipc.*)" HOME="$home" XDG_RUNTIME_DIR="$home/runtime")
in_session() { "${as_user[@]}" env "${session[@]}" "$@"; }
wait_for 100 in_session swaymsg -t get_version || fail "sway does not answer: $(tail -n 5 "$E2E_TMP/sway.log")"
# The session's own displays, as sway gives them to what it starts (sway splits commands at ;).
in_session swaymsg exec 'echo "$WAYLAND_DISPLAY $DISPLAY $DBUS_SESSION_BUS_ADDRESS" >"$HOME/displays.tmp" && mv "$HOME/displays.tmp" "$HOME/displays"' >/dev/null
wait_for 50 test -s "$home/displays" || fail "sway started nothing"
read -r wayland x11 bus <"$home/displays"
session+=(WAYLAND_DISPLAY="$wayland" DISPLAY="$x11" DBUS_SESSION_BUS_ADDRESS="$bus")

# A node of sway's tree by its title: its id and where its contents are on the output.
node() { in_session swaymsg -t get_tree | python3 -c 'import json, sys
def walk(n):
    yield n
    for c in n.get("nodes", []) + n.get("floating_nodes", []): yield from walk(c)
for n in walk(json.load(sys.stdin)):
    if n.get("name") == sys.argv[1]:
        r, w = n["rect"], n["window_rect"]
        print(n["id"], r["x"] + w["x"], r["y"] + w["y"], w["width"], w["height"], n["focused"])' "$1"; }
has_node() { [[ -n $(node "$1") ]]; }
focused_node() { [[ $(node "$1") == *True ]]; }
focus() { # title
    in_session swaymsg "[title=\"^$1\$\"] focus" >/dev/null
    wait_for 50 focused_node "$1" || fail "$1 did not get the focus"
}
terminal() { # title file command: a terminal running cat into the file
    # In the user's home: sway's own folder is the test's, which may be closed to the user (under
    # /root), and foot's shell would not start there.
    in_session swaymsg exec "cd '$home' && ${*:3} sh -c 'stty -icanon -echo && exec cat >$2'" >/dev/null
    wait_for 100 has_node "$1" || fail "no window $1: $(grep -v 'allocate buffer' "$E2E_TMP/sway.log" | tail -n 5)"
}
# The first key after the focus moved may be lost while the keymap changes hands: typed again
# until it arrives.
type_into() { # title file
    local file=$2
    focus "$1"
    wait_for 50 eval 'in_session timeout 5 wtype x; [[ -s $file ]]' || fail "nothing typed reached $1"
}

in_session swaymsg exec "'$PUKALO' 2>'$home/pukalo.err'" >/dev/null
wait_for 150 has_node "プカロ！" || fail "no main window: $(cat "$home/pukalo.err")"
terminal x11-term "$home/x11" xterm -title x11-term -e
terminal wl-term "$home/wl" foot --title wl-term
type_into x11-term "$home/x11"
type_into wl-term "$home/wl"
[[ $(in_session xprop -root _NET_ACTIVE_WINDOW) == *" 0x0" ]] || fail "an X11 window is active: $(in_session xprop -root _NET_ACTIVE_WINDOW)"
typed=$(cat "$home/x11")

# A pick by the keyboard: the main window focused, the search window opened, ねこ chosen by Enter.
keys() { in_session wtype -k Shift_L "$@"; } # a key lost while XWayland takes the new keymap
clipboard_holds() { [[ $(in_session xclip -o -selection clipboard) == "$1" ]]; }
focus "プカロ！"
keys -M ctrl f -m ctrl
wait_for 50 focused_node "プカロ！顔文字を探す" || fail "Ctrl+F opened no search window"
# Typed again, the field's text replaced, should a key have been lost under load.
wait_for 100 eval 'keys -M ctrl a -m ctrl neko -k Return && clipboard_holds "(=^ ^=)"' ||
    fail "Enter copied [$(in_session xclip -o -selection clipboard)]"
wait_for 30 grep -q "^pukalo: 貼り付け先のウィンドウがありません（.*X11 のウィンドウではありません" "$home/pukalo.err" ||
    fail "the reason was not said: $(cat "$home/pukalo.err")"
in_session "$XCLIENT" ping "$(in_session xdotool search --name '^プカロ！顔文字を探す$' | head -n1)" ||
    fail "the program did not answer"
focused_node "プカロ！顔文字を探す" && [[ $(cat "$home/x11") == "$typed" ]] ||
    fail "a pick went to the X11 terminal: [$(cat "$home/x11")]"
echo "ok: without the input method, a pick pastes nothing into the X11 terminal and says why"

# The input method the user runs, with the addon from the build. Started by sway, as a session
# starts it; its bus name is asked for without starting it (the bus would start another). From
# here on no keyboard comes and goes: sway 1.7 ends when a virtual keyboard leaves while an input
# method holds the keyboard, or when an input method grabs a seat without one. One stays, as on
# every desktop; the focus moves through sway, and keys go to the program through XWayland.
"${as_user[@]}" env "${session[@]}" wtype -s 600000 -k Shift_L &
PIDS_TO_KILL+=($!)
in_session swaymsg exec "$ADDON_ENV fcitx5 >$home/fcitx5.log 2>&1" >/dev/null
im_up() { in_session dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.fcitx.Fcitx5 | grep -q true; }
wait_for 150 im_up || fail "fcitx5 did not start: $(tail -n 5 "$home/fcitx5.log")"
wait_for 50 grep -q "Loaded addon pukalopaste" "$home/fcitx5.log" || fail "the addon was not loaded: $(grep -i pukalo "$home/fcitx5.log")"

pick() { # [word kaomoji]: the search window focused, the word typed over ねこ, Enter
    focus "プカロ！顔文字を探す"
    in_session xclip -selection clipboard </dev/null
    if [[ -n ${1:-} ]]; then
        in_session xdotool key ctrl+a
        in_session xdotool type "$1"
    fi
    in_session xdotool key Return
    wait_for 50 clipboard_holds "${2:-(=^ ^=)}" || fail "Enter copied [$(in_session xclip -o -selection clipboard)]"
}
typed=$(cat "$home/x11") written=$(cat "$home/wl")
focus x11-term
focus wl-term
pick
wait_for 30 eval '[[ $(cat "$home/wl") == "$written(=^ ^=)" ]]' ||
    fail "the native terminal got [$(cat "$home/wl")] after [$written]: $(cat "$home/pukalo.err")"
focused_node wl-term || fail "the native terminal has not the focus"
[[ $(cat "$home/x11") == "$typed" ]] || fail "a pick went to the X11 terminal: [$(cat "$home/x11")]"
echo "ok: a pick pasted into the native terminal written in, once, and nothing into the X11 one"

written=$(cat "$home/wl")
focus x11-term
# Another kaomoji: the same one again this soon would be a double click's second half.
pick gomen "m(._.)m"
wait_for 30 eval '[[ $(cat "$home/x11") == "${typed}m(._.)m" ]]' ||
    fail "the X11 terminal got [$(cat "$home/x11")] after [$typed]: $(cat "$home/pukalo.err"; in_session xprop -root _NET_ACTIVE_WINDOW; in_session xdotool getwindowfocus getwindowname)"
[[ $(cat "$home/wl") == "$written" ]] || fail "the native terminal got [$(cat "$home/wl")]"
echo "ok: written in the X11 terminal last, a pick pasted there and nowhere else"
