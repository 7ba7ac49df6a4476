#!/bin/bash
# The input-method dictionary through the real conversion engine: Mozc, given --dictionary as
# its user dictionary, offers each kaomoji when its everyday reading is converted, and does
# not without it.
source "$(dirname "$0")/lib.sh"
need mozc_emacs_helper python3 setpriv
# reading, then the kaomoji that converting it must offer; the first is the README's example.
CASES=("にこにこ	（＾＾）" "わらう	(^◇^)" "なく	(TvT)" "おこる	(｀_´ﾒ)" "ごめん	m(-_-)m"
    "ばいばい	(ｰｰゞ/~~~ " "ねこ	(=^ ^=)")

# Mozc's server does not run as root: the engine runs as an ordinary user.
as_user=()
if [[ $(id -u) -eq 0 ]]; then
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
    chmod o+x "$E2E_TMP" # for the engine to reach its scratch home
fi

# Mozc's user dictionary file (its UserDictionaryStorage protobuf) from --dictionary's lines.
write_user_dictionary() { # file
    python3 -c '
import sys
def varint(n):
    out = b""
    while True:
        out += bytes([n & 0x7F | (0x80 if n > 0x7F else 0)]); n >>= 7
        if not n: return out
def text(field, s): b = s.encode(); return varint(field << 3 | 2) + varint(len(b)) + b
def number(field, n): return varint(field << 3) + varint(n)
entries = b""
for line in sys.stdin.read().splitlines():
    reading, kaomoji, pos, comment = line.split("\t")
    assert pos == "顔文字"
    entry = text(1, reading) + text(2, kaomoji) + text(4, comment) + number(5, 15)  # EMOTICON
    entries += varint(4 << 3 | 2) + varint(len(entry)) + entry
dictionary = number(1, 1) + number(2, 1) + text(3, "Pukalo") + entries
sys.stdout.buffer.write(varint(2 << 3 | 2) + varint(len(dictionary)) + dictionary)' >"$1"
}

# Converts each reading with a fresh engine on a scratch home and prints, per reading, a line
# with the reading and every candidate offered, separated by tabs.
convert() { # home
    local home=$1 id=0 line reading
    coproc MOZC { env -i HOME="$home" PATH=/usr/bin:/bin "${as_user[@]}" mozc_emacs_helper 2>/dev/null; }
    PIDS_TO_KILL+=("$MOZC_PID")
    ask() {
        echo "($id $1)" >&"${MOZC[1]}"
        read -r -t 30 line <&"${MOZC[0]}" || fail "Mozc did not answer $1"
        [[ $line == *"(emacs-event-id . $id)"* ]] || fail "Mozc answered [$line] to $1"
        id=$((id + 1))
    }
    read -r -t 30 line <&"${MOZC[0]}" || fail "mozc_emacs_helper did not start"
    ask CreateSession
    for case in "${CASES[@]}"; do
        reading=${case%%	*}
        ask "SendKey 1 97 \"$reading\""
        ask "SendKey 1 space"
        printf '%s' "$reading"
        grep -o '(value \. "[^"]*")' <<<"$line" | sed 's/^(value \. "\(.*\)")$/\t\1/' | tr -d '\n'
        echo
        ask "SendKey 1 escape"
        ask "SendKey 1 escape"
    done
    kill "$MOZC_PID" 2>/dev/null || true
    # The helper started the engine, which outlives it: end the one serving this home.
    local p
    for p in /proc/[0-9]*; do
        tr '\0' '\n' <"$p/environ" 2>/dev/null | grep -qx "HOME=$home" && kill "${p#/proc/}" 2>/dev/null
    done
    return 0
}

for with in without with; do
    home=$E2E_TMP/mozc-$with
    mkdir -p "$home/.config/mozc"
    [[ $with == without ]] || "$PUKALO" --dictionary | write_user_dictionary "$home/.config/mozc/user_dictionary.db"
    [[ $(id -u) -ne 0 ]] || chown -R nobody:nogroup "$home"
    convert "$home" >"$E2E_TMP/$with.txt"
done
for case in "${CASES[@]}"; do
    reading=${case%%	*} kaomoji=${case#*	}
    offered() { grep "^$reading	" "$E2E_TMP/$1.txt" | tr '\t' '\n' | tail -n +2 | grep -qxF -- "$kaomoji"; }
    offered with || fail "converting $reading does not offer $kaomoji: $(grep "^$reading	" "$E2E_TMP/with.txt")"
    ! offered without || fail "Mozc offers $kaomoji for $reading without the dictionary"
done
echo "ok: Mozc converts ${#CASES[@]} everyday readings into their kaomoji with the dictionary only"
