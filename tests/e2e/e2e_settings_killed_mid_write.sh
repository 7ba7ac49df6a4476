#!/bin/bash
# A writer killed with SIGKILL at random moments, 200 times, never leaves a settings file that
# does not parse or that has lost a key: each key holds "1" or "2", its old or its new value.
source "$(dirname "$0")/lib.sh"
: "${OPTION_WRITER:?set OPTION_WRITER}"

folder=$XDG_CONFIG_HOME/Pukalo
write_settings Showlogo=1 Clipclear=1 Facechack=1
for ((round = 1; round <= 200; round++)); do
    "$OPTION_WRITER" &
    writer=$!
    sleep "0.0$((RANDOM % 40 + 5))"
    kill -KILL "$writer"
    wait "$writer" 2>/dev/null || true
    content=$(cat "$SETTINGS_FILE")
    [[ $(head -n1 <<<"$content") == '[Settings]' ]] || fail "round $round: no section: [$content]"
    for key in Showlogo Clipclear Facechack; do
        [[ $(grep -c "^$key=" <<<"$content") -eq 1 ]] || fail "round $round: $key lost: [$content]"
        grep -qE "^$key=[12]\$" <<<"$content" || fail "round $round: $key broken: [$content]"
    done
    [[ $(wc -l <<<"$content") -eq 4 ]] || fail "round $round: stray lines: [$content]"
done
echo "ok: 200 kills mid-write, the file always whole"

# Temporary files of killed writes do not pile up: the next write clears those over a minute old.
mapfile -t leftovers < <(find "$folder" -name 'Pukalo.ini.??????')
echo "  ${#leftovers[@]} temporary files left by the kills"
printf '[Settings]\n' >"$folder/Pukalo.ini.Ab12Cd" # as a killed write leaves it
touch -d '2 minutes ago' "$folder"/Pukalo.ini.??????
fresh=$folder/Pukalo.ini.Zz99Yy
printf '[Settings]\n' >"$fresh" # as a write still running in another instance has it
"$OPTION_WRITER" &
writer=$!
sleep 0.2
kill -KILL "$writer"
wait "$writer" 2>/dev/null || true
for old in "${leftovers[@]}" "$folder/Pukalo.ini.Ab12Cd"; do
    [[ ! -e $old ]] || fail "stale temporary file kept: $old"
done
[[ -e $fresh ]] || fail "a fresh temporary file (another instance's write) was removed"
echo "ok: stale temporary files are cleared, fresh ones left alone"
