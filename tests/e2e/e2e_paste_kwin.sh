#!/bin/bash
# 「クリックで貼り付け」 on a KDE Plasma Wayland session's compositor: KWin in a window of a private
# X server (which gives it a real keyboard), XWayland on, fcitx5 started by KWin as its input
# method with the program's addon, as an ordinary user. Written in a native Wayland window, a pick
# lands there once and nothing reaches the X11 terminal; written in the X11 terminal last, a pick
# lands there and nowhere else. Only KWin may tell the program where the focus is.
source "$(dirname "$0")/lib.sh"
need kwin_wayland Xvfb xhost xterm Xwayland xclip xdotool xprop fcitx5 dbus-daemon dbus-send
paste_session_home
# KWin starts the input method it is given, and whatever follows, with the session's displays.
cat >"$home/im" <<EOF
#!/bin/sh
$ADDON_ENV exec fcitx5 >$home/fcitx5.log 2>&1
EOF
cat >"$home/started" <<EOF
#!/bin/sh
echo "\$DISPLAY" >$home/display.tmp && mv $home/display.tmp $home/display
EOF
chmod 755 "$home/im" "$home/started"
ordinary_user "$home"
# Copied without its file capabilities: a session that may not hold CAP_SYS_RESOURCE may not run
# the installed one at all. KWin raises no limit here that the test needs.
cp "$(command -v kwin_wayland)" "$NOTEFIELD" "$E2E_TMP/bin/"
NOTEFIELD=$E2E_TMP/bin/notefield

fifo=$E2E_TMP/displayfd
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$fifo" 2>"$E2E_TMP/xvfb.log" &
PIDS_TO_KILL+=($!)
wait_for 100 test -s "$fifo" || fail "Xvfb did not start"
host=:$(head -n1 "$fifo")
# The server's own user may connect already.
[[ ${#as_user[@]} -eq 0 ]] || DISPLAY=$host xhost +si:localuser:nobody >/dev/null
start_session_bus "$home/runtime"
session=(HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 XDG_RUNTIME_DIR="$home/runtime"
    DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS")
# A sanitized build's reports, from the program too.
for name in ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS; do
    [[ -z ${!name:-} ]] || session+=("$name=${!name}")
done
(cd "$home" && exec "${as_user[@]}" env -i "${session[@]}" "$E2E_TMP/bin/kwin_wayland" \
    --x11-display "$host" --width 1280 --height 800 --xwayland --socket wayland-pukalo \
    --no-lockscreen --inputmethod "$home/im" "$home/started") >"$E2E_TMP/kwin.log" 2>&1 &
PIDS_TO_KILL+=($!)
wait_for 300 test -s "$home/display" || fail "KWin did not start: $(tail -n 5 "$E2E_TMP/kwin.log")"
session+=(WAYLAND_DISPLAY=wayland-pukalo DISPLAY="$(cat "$home/display")")
in_session() { (cd "$home" && "${as_user[@]}" env -i "${session[@]}" "$@"); }
kwin_scripting() { # method arguments...
    in_session dbus-send --session --print-reply --dest=org.kde.KWin /Scripting "org.kde.kwin.Scripting.$1" "${@:2}"
}
# The focus given to a window by its title, through a script KWin runs: a test's own, as Pukalo's.
focus() { # title
    printf 'var w = workspace.clientList();
for (var i = 0; i < w.length; ++i) if (w[i].caption === "%s") workspace.activeClient = w[i];\n' "$1" >"$home/focus.js"
    kwin_scripting unloadScript string:focus >/dev/null
    kwin_scripting loadScript string:"$home/focus.js" string:focus >/dev/null &&
        kwin_scripting start >/dev/null || fail "KWin ran no script"
}
keys() { DISPLAY=$host xdotool "$@"; } # through KWin, as the user's keyboard
x11_window() { in_session xdotool search --name "^$1\$"; }
x11_focused() { [[ $(in_session xdotool getwindowfocus getwindowname 2>/dev/null) == "$1" ]]; }
clipboard_holds() { [[ $(in_session xclip -o -selection clipboard) == "$1" ]]; }

wait_for 150 grep -q "Loaded addon pukalopaste" "$home/fcitx5.log" ||
    fail "the input method did not load the addon: $(tail -n 3 "$home/fcitx5.log")"
in_session sh -c "'$PUKALO' 2>'$home/pukalo.err' &"
wait_for 150 x11_window "プカロ！" || fail "no main window: $(cat "$home/pukalo.err")"
in_session sh -c "xterm -title x11-term -e sh -c 'stty -icanon -echo && exec cat >$home/x11' &"
in_session sh -c "QT_QPA_PLATFORM=wayland '$NOTEFIELD' wl-note '$home/wl' 2>'$home/note.err' &"
wait_for 100 x11_window x11-term || fail "no X11 terminal"
# The first key after the focus moved may be lost while the keymap changes hands: typed again
# until it arrives.
type_into() { # title file
    local title=$1 file=$2 before
    before=$(cat "$file" 2>/dev/null) || true
    focus "$title"
    wait_for 100 eval 'keys type x; [[ $(cat "$file" 2>/dev/null) != "$before" ]]' ||
        fail "nothing typed reached $title: $(cat "$home/note.err" 2>/dev/null)"
}
type_into x11-term "$home/x11"
type_into wl-note "$home/wl"
[[ $(in_session xprop -root _NET_ACTIVE_WINDOW) == *" 0x0" ]] ||
    fail "an X11 window is active: $(in_session xprop -root _NET_ACTIVE_WINDOW)"

# A pick by the keyboard, in the search window: the word typed over the field's, Enter.
pick() { # word kaomoji
    keys key ctrl+a
    keys type "$1"
    keys key Return
    wait_for 50 clipboard_holds "$2" || fail "Enter copied [$(in_session xclip -o -selection clipboard)]"
}
typed=$(cat "$home/x11") written=$(cat "$home/wl")
focus "プカロ！"
wait_for 50 x11_focused "プカロ！" || fail "the main window did not get the focus"
keys key ctrl+f
wait_for 50 x11_focused "プカロ！顔文字を探す" || fail "Ctrl+F opened no search window"
pick neko "(=^ ^=)"
wait_for 30 eval '[[ $(cat "$home/wl") == "$written(=^ ^=)" ]]' ||
    fail "the native window got [$(cat "$home/wl")] after [$written]: $(cat "$home/pukalo.err")"
[[ $(cat "$home/x11") == "$typed" ]] || fail "a pick went to the X11 terminal: [$(cat "$home/x11")]"
keys type y
wait_for 30 eval '[[ $(cat "$home/wl") == "$written(=^ ^=)y" ]]' ||
    fail "the native window has not the focus again: [$(cat "$home/wl")]"
echo "ok: a pick pasted into the native window written in, once, and nothing into the X11 one"

written=$(cat "$home/wl")
type_into x11-term "$home/x11"
typed=$(cat "$home/x11")
focus "プカロ！顔文字を探す"
wait_for 50 x11_focused "プカロ！顔文字を探す" || fail "the search window did not get the focus"
# Another kaomoji: the same one again this soon would be a double click's second half.
pick gomen "m(._.)m"
wait_for 30 eval '[[ $(cat "$home/x11") == "${typed}m(._.)m" ]]' ||
    fail "the X11 terminal got [$(cat "$home/x11")] after [$typed]: $(cat "$home/pukalo.err")"
[[ $(cat "$home/wl") == "$written" ]] || fail "the native window got [$(cat "$home/wl")]"
echo "ok: written in the X11 terminal last, a pick pasted there and nowhere else"

# Another program on the bus cannot move the target: the program hears only KWin.
owner=$(in_session dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.GetNameOwner string:jp.pukalo.Pukalo | sed -n 's/.*string "\(.*\)"/\1/p')
forged=$(in_session dbus-send --session --print-reply --dest="$owner" /jp/pukalo/Focus \
    jp.pukalo.Focus1.Activated string:x string:1 string:0 string:native 2>&1) || true
[[ $forged == *AccessDenied* ]] || fail "a program other than KWin told where the focus is: [$forged]"
echo "ok: only KWin tells where the focus is"
