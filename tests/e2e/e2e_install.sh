#!/bin/bash
# cmake --install into a fresh prefix: every file where a desktop looks for it, the desktop
# entry and the AppStream metainfo valid, and the installed program running to its main window
# with its clipboard keeper found in libexec.
source "$(dirname "$0")/lib.sh"
: "${BUILD_DIR:?set BUILD_DIR to the build folder}"

prefix=$E2E_TMP/prefix
cmake --install "$BUILD_DIR" --prefix "$prefix" >"$E2E_TMP/install.log"
id=jp.pukalo.Pukalo
for file in bin/pukalo libexec/pukalo/pukalo-clipkeep share/applications/$id.desktop \
    share/metainfo/$id.metainfo.xml share/icons/hicolor/scalable/apps/$id.svg; do
    [[ -f $prefix/$file ]] || fail "not installed: $file"
done
for size in 32 64 128 256; do
    icon=$prefix/share/icons/hicolor/${size}x$size/apps/$id.png
    # A PNG's width and height are the big-endian words at bytes 16 and 20.
    read -r w0 w1 w2 w3 h0 h1 h2 h3 < <(od -An -tu1 -j16 -N8 "$icon")
    (( (w2 << 8 | w3) == size && (h2 << 8 | h3) == size && w0 + w1 + h0 + h1 == 0 )) ||
        fail "icon $size is not ${size}x$size"
done
desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop entry invalid"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >"$E2E_TMP/as.log" ||
    fail "metainfo invalid: $(cat "$E2E_TMP/as.log")"
entry=$(cat "$prefix/share/applications/$id.desktop")
for line in 'Name=プカロ！' 'Categories=Utility;' 'Terminal=false' "Icon=$id" 'Exec=pukalo'; do
    grep -qxF "$line" <<<"$entry" || fail "desktop entry lacks $line"
done
grep -q '^Comment=.*顔文字' <<<"$entry" || fail "no Japanese comment"
echo "ok: installed files valid"

PUKALO=$prefix/bin/pukalo
start_display
write_settings Showlogo=2
start_pukalo
win=$(wait_window "プカロ！")
[[ $(xprop -id "$win" WM_CLASS) == *'"Pukalo"'* ]] || fail "window class: $(xprop -id "$win" WM_CLASS)"
click_client "$win" 330 12
xdotool key --clearmodifiers Down
click_client "$win" 30 38
wait_clipboard '(^^)' || fail "copy from the installed program"
kill -TERM "$PUKALO_PID"
wait_exit
clipboard_is '(^^)' || fail "the installed program's keeper did not keep the text"
echo "ok: the installed program runs, copies, and keeps the copy after exit"
