#!/bin/bash
# A hostile environment never hangs the program or dumps core: no display, a display that is
# not there, libraries planted in the current folder, no Japanese font, settings that cannot be written, and damaged settings files. Each either works normally or says clearly what is
# wrong and ends with a non-zero status; the user's settings file is never damaged.
source "$(dirname "$0")/lib.sh"
need "${X_TOOLS[@]}"

for display in "-u DISPLAY" "DISPLAY=:77"; do
    rc=0
    env -u WAYLAND_DISPLAY $display timeout 20 "$PUKALO" >/dev/null 2>"$E2E_TMP/err" </dev/null || rc=$?
    ((rc == 2)) && grep -q 'cannot connect to a display' "$E2E_TMP/err" || fail "$display: status $rc, $(cat "$E2E_TMP/err")"
done
echo "ok: no display, or one that is not there: a message and status 2"
# Started from a folder holding files named like its libraries, it still loads the system's.
mkdir "$E2E_TMP/downloads" && touch "$E2E_TMP/downloads/"{libQt6Core.so.6,libxcb.so.1,libc.so.6}
(cd "$E2E_TMP/downloads" && "$PUKALO" --version >/dev/null) || fail "planted libraries in the current folder were loaded"
echo "ok: libraries planted in the current folder are not loaded"

start_display

# --- No Japanese font: fontconfig sees only DejaVu -------------------------------------------
cat >"$E2E_TMP/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig><dir>/usr/share/fonts/truetype/dejavu</dir><cachedir>$E2E_TMP/fontcache</cachedir></fontconfig>
CONF
FONTCONFIG_FILE=$E2E_TMP/fonts.conf "$PUKALO" >/dev/null 2>"$E2E_TMP/pukalo.err" </dev/null &
PUKALO_PID=$!
wait_window Pukalo 200 >/dev/null
key Return
wait_exit 2
grep -q 'No Japanese font' "$E2E_TMP/pukalo.err" || fail "no Japanese font: nothing on standard error"
echo "ok: no Japanese font: a window, a message and status 2"

# Starts the program (env arguments) and copies a kaomoji; the copy must be the program's own,
# so another program empties the clipboard first.
starts_and_copies() {
    other_copies ''
    start_pukalo "$@"
    copy_kaomoji 1 L 0 '(^^)'
}

# --- Settings that cannot be written: the program works and says so at a write --------------
touch "$E2E_TMP/a-file"
for what in "XDG_CONFIG_HOME=$E2E_TMP/a-file" "HOME=/proc/no-such-home"; do
    starts_and_copies -u XDG_CONFIG_HOME "$what"
    menu_item m
    wait_for 50 windows_open "== 2" || fail "$what: no message about the failed write"
    key Return
    kill -TERM "$PUKALO_PID"
    wait_exit
    echo "ok: $what: runs, copies, reports the failed write"
done
[[ ! -s $E2E_TMP/a-file ]] || fail "the file XDG_CONFIG_HOME points at was written"

# --- A history that cannot be written: copies work, and it is said once, not at every click ---
starts_and_copies XDG_STATE_HOME="$E2E_TMP/a-file"
wait_for 50 windows_open "== 2" || fail "a failed history write: no message box"
key Return
wait_for 30 windows_open "== 1" || fail "the message box did not close"
click_in "$MAIN" 250 38
wait_clipboard '(^^ゞ' || fail "second copy: clipboard has [$(clipboard)]"
settled
windows_open "== 1" || fail "a second failed history write was said again"
kill -TERM "$PUKALO_PID"
wait_exit
[[ $(grep -c 'could not save the recently used kaomoji' "$E2E_TMP/pukalo.err") -eq 1 ]] ||
    fail "a failed history write: $(cat "$E2E_TMP/pukalo.err")"
echo "ok: a history that cannot be written: said once, copies work"

# --- Damaged settings files, with the real program: it runs, and the file stays as it was ---
folder=$XDG_CONFIG_HOME/Pukalo
fingerprint() { find "$folder" -exec ls -ld --time-style=+ {} \; | awk '{print $1, $NF}'; md5sum "$SETTINGS_FILE" 2>/dev/null || true; }
for name in bom junk folder dangling loop bad-utf8 out-of-range variant nul; do
    rm -rf "$folder" && mkdir -p "$folder"
    case $name in
    bom) printf '\xef\xbb\xbf[Settings]\nShowlogo=2\nFacechack=1\n' >"$SETTINGS_FILE" ;;
    junk) head -c 1048576 /dev/urandom >"$SETTINGS_FILE" ;;
    folder) mkdir "$SETTINGS_FILE" ;;
    dangling) ln -s "$folder/missing" "$SETTINGS_FILE" ;;
    loop) ln -s "$SETTINGS_FILE" "$SETTINGS_FILE" ;;
    bad-utf8) printf '[Settings]\nShowlogo=\xc3\x28\nClipclear=\xff\nFacechack=\xed\xa0\x80\n' >"$SETTINGS_FILE" ;;
    out-of-range) printf '[Settings]\nShowlogo=40000\nClipclear=-1\nFacechack=1.0\n' >"$SETTINGS_FILE" ;;
    variant) printf '[Settings]\nShowlogo=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x1)\nFacechack=@Invalid()\n' >"$SETTINGS_FILE" ;;
    nul) printf '[Settings]\nShowlogo=2\0\nClipclear="1"\n' >"$SETTINGS_FILE" ;;
    esac
    before=$(fingerprint)
    starts_and_copies
    kill -TERM "$PUKALO_PID"
    wait_exit
    [[ $(fingerprint) == "$before" ]] || fail "$name: the settings changed"
    echo "ok: settings file '$name': starts, copies, left as it was"
done
