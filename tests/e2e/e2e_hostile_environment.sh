#!/bin/bash
# A hostile environment never hangs the program or dumps core: no display, a display that is
# not there, no Japanese font, a settings location that cannot be written. Each either works
# normally or says clearly what is wrong and ends with a non-zero status.
source "$(dirname "$0")/lib.sh"

# Runs pukalo with the given environment changes, bounded in time; sets RC and ERR.
run_bounded() {
    set +e
    env "$@" timeout 20 "$PUKALO" >"$E2E_TMP/out" 2>"$E2E_TMP/err" </dev/null
    RC=$?
    set -e
    ERR=$(cat "$E2E_TMP/err")
    ((RC != 124)) || fail "$*: hung"
    ((RC < 128)) || fail "$*: died of signal $((RC - 128))"
}

run_bounded -u DISPLAY -u WAYLAND_DISPLAY
((RC == 2)) && [[ $ERR == *"cannot connect to a display"* ]] || fail "no display: rc $RC, [$ERR]"
run_bounded -u WAYLAND_DISPLAY DISPLAY=:77
((RC == 2)) && [[ $ERR == *"DISPLAY=:77"* ]] || fail "display not there: rc $RC, [$ERR]"
echo "ok: no display, or one that is not there: a message and status 2"

start_display

# --- No Japanese font: fontconfig sees only DejaVu -------------------------------------------
cat >"$E2E_TMP/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts/truetype/dejavu</dir>
  <cachedir>$E2E_TMP/fontcache</cachedir>
</fontconfig>
CONF
FONTCONFIG_FILE=$E2E_TMP/fonts.conf "$PUKALO" >"$E2E_TMP/out" 2>"$E2E_TMP/err" </dev/null &
PUKALO_PID=$!
wait_window "Pukalo" 200 >/dev/null
xdotool key --clearmodifiers Return
set +e
wait "$PUKALO_PID"
RC=$?
set -e
PUKALO_PID=
((RC == 2)) || fail "no Japanese font: status $RC"
grep -q 'No Japanese font' "$E2E_TMP/err" || fail "no Japanese font: nothing on standard error"
echo "ok: no Japanese font: a window, a message and status 2"

# --- Settings that cannot be written: the program works and says so on a write ---------------
check_unwritable() { # description, then environment changes
    local what=$1
    shift
    env "$@" "$PUKALO" >"$E2E_TMP/pukalo.out" 2>"$E2E_TMP/pukalo.err" </dev/null &
    PUKALO_PID=$!
    local win
    win=$(wait_window "プカロ！" 150) # no settings readable: the splash comes first
    click_client "$win" 330 12
    xdotool key --clearmodifiers Down
    click_client "$win" 30 38
    wait_clipboard '(^^)' || fail "$what: no copy"
    xdotool key --clearmodifiers alt+k
    sleep 0.3
    xdotool key --clearmodifiers m
    wait_for 50 sh -c "[ \$(xdotool search --all --onlyvisible --pid $PUKALO_PID --name '^プカロ！\$' | wc -l) -eq 2 ]" ||
        fail "$what: no message about the failed write"
    xdotool key --clearmodifiers Return
    sleep 0.3
    kill -0 "$PUKALO_PID" || fail "$what: the program ended"
    kill -TERM "$PUKALO_PID"
    wait_exit
    echo "ok: $what: runs, copies, reports the failed write"
}
touch "$E2E_TMP/a-file"
check_unwritable "XDG_CONFIG_HOME is a file" "XDG_CONFIG_HOME=$E2E_TMP/a-file"
[[ ! -s $E2E_TMP/a-file ]] || fail "the file XDG_CONFIG_HOME points at was written"
check_unwritable "HOME cannot be written" -u XDG_CONFIG_HOME HOME=/proc/no-such-home

# --- Damaged settings files, with the real program ------------------------------------------
folder=$XDG_CONFIG_HOME/Pukalo
hostile_file() { # name -> lays the file out
    rm -rf "$folder"
    mkdir -p "$folder"
    case $1 in
    bom) printf '\xef\xbb\xbf[Settings]\nShowlogo=2\nFacechack=1\n' >"$SETTINGS_FILE" ;;
    junk) head -c 1048576 /dev/urandom >"$SETTINGS_FILE" ;;
    folder) mkdir "$SETTINGS_FILE" ;;
    dangling) ln -s "$folder/missing" "$SETTINGS_FILE" ;;
    bad-utf8) printf '[Settings]\nShowlogo=\xc3\x28\nClipclear=\xff\nFacechack=\xed\xa0\x80\n' >"$SETTINGS_FILE" ;;
    out-of-range) printf '[Settings]\nShowlogo=40000\nClipclear=-1\nFacechack=1.0\n' >"$SETTINGS_FILE" ;;
    esac
}
fingerprint() { find "$folder" -exec ls -ld --time-style=+ {} \; | awk '{print $1, $NF}'; md5sum "$SETTINGS_FILE" 2>/dev/null || true; }
for name in bom junk folder dangling bad-utf8 out-of-range; do
    hostile_file "$name"
    before=$(fingerprint)
    start_pukalo
    win=$(wait_window "プカロ！" 150)
    click_client "$win" 330 12
    xdotool key --clearmodifiers Down
    click_client "$win" 30 38
    wait_clipboard '(^^)' || fail "$name: no copy"
    kill -TERM "$PUKALO_PID"
    wait_exit
    [[ $(fingerprint) == "$before" ]] || fail "$name: the settings changed"
    echo "ok: settings file '$name': starts, copies, left as it was"
done

# --- A settings file the user may not read: taken for missing, and left alone ----------------
hostile_file out-of-range
chmod 000 "$SETTINGS_FILE"
before=$(fingerprint)
start_pukalo_unprivileged
win=$(wait_window "プカロ！" 150) # unreadable: Showlogo counts as not stored, the splash first
click_client "$win" 330 12
xdotool key --clearmodifiers Down
click_client "$win" 30 38
wait_clipboard '(^^)' || fail "unreadable file: no copy"
kill -TERM "$PUKALO_PID"
wait_exit
[[ $(fingerprint) == "$before" ]] || fail "unreadable file: the settings changed"
echo "ok: settings file without read permission: starts, copies, left as it was"
