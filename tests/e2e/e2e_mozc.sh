#!/bin/bash
# The input-method dictionary through the real conversion engine: Mozc, given --dictionary as its
# user dictionary, offers the kaomoji of everyday readings, and does not without it; and the
# first conversion of everyday words and sentences stays what it is without the dictionary, with
# no kaomoji joined to the words around it.
source "$(dirname "$0")/lib.sh"
need mozc_emacs_helper python3 setpriv
convert="python3 $(dirname "$0")/../tools/mozc_convert.py"
# A reading, then a kaomoji that converting it must offer (the README's examples first).
OFFERS=("にこにこ	（＾＾）" "なく	(T T)" "ごめん	m(._.)m" "ありがとう	m(__)m" "おやすみ	(=_=)"
    "ねこ	(=^ ^=)" "おこる	(怒)" "しつれん	(T T)")
# Everyday words and sentences whose kaomoji once became their first conversion, and words that
# begin with a reading of the dictionary (相手 with あい, たこ焼き with たこ).
KEEPS=(しまった てれる おじぎ ばんざい めつ "しまった、わすれてた" ねこがすきです あいて たこやき
    がんばれ おつかれさまです)

# Sentences as people write them, which once took a kaomoji in front of the next word
# (「(^Q^)根」 for おなかすいたね), and a sample of the exported readings, one in twenty, each
# followed by a particle, a noun and a conjunction.
SENTENCES=(おなかすいたね きがめいるね はらがたつこと かっこつけるひと いらつくひと)

"$PUKALO" --dictionary >"$E2E_TMP/dictionary.tsv"
cut -f1 "$E2E_TMP/dictionary.tsv" | uniq | awk 'NR % 20 == 1' |
    while read -r reading; do printf '%s\n' "${reading}ね" "${reading}こと" "${reading}から"; done >"$E2E_TMP/sample"
[[ $(wc -l <"$E2E_TMP/sample") -ge 30 ]] || fail "too few exported readings to sample"
{ printf '%s\n' "${OFFERS[@]%%	*}" "${KEEPS[@]}" "${SENTENCES[@]}"; cat "$E2E_TMP/sample"; } >"$E2E_TMP/inputs"
$convert - <"$E2E_TMP/inputs" >"$E2E_TMP/without.txt" || fail "Mozc did not convert"
$convert "$E2E_TMP/dictionary.tsv" <"$E2E_TMP/inputs" >"$E2E_TMP/with.txt" || fail "Mozc did not convert"
for case in "${OFFERS[@]}"; do
    reading=${case%%	*} kaomoji=${case#*	}
    offered() { grep "^$reading	" "$E2E_TMP/$1.txt" | cut -f3- | tr '\t' '\n' | grep -qxF -- "$kaomoji"; }
    offered with || fail "converting $reading does not offer $kaomoji: $(grep "^$reading	" "$E2E_TMP/with.txt")"
    ! offered without || fail "Mozc offers $kaomoji for $reading without the dictionary"
done
changed=$(paste <(cut -f1,2 "$E2E_TMP/without.txt") <(cut -f2 "$E2E_TMP/with.txt") | awk -F'\t' '$2 != $3')
[[ -z $changed ]] || fail "the dictionary changed first conversions (input, without, with): $changed"
# Nor does a kaomoji come joined to the kana after it (「(哀)て」 for あいて).
joined=$(cut -f3- "$E2E_TMP/with.txt" | tr '\t' '\n' | grep -vxFf <(cut -f3- "$E2E_TMP/without.txt" | tr '\t' '\n') |
    grep -vxFf <(cut -f2 "$E2E_TMP/dictionary.tsv") | grep -F -f <(cut -f2 "$E2E_TMP/dictionary.tsv" | grep -v '^ *$') || true)
[[ -z $joined ]] || fail "candidates with a kaomoji joined to other text: $joined"
echo "ok: Mozc offers the kaomoji of ${#OFFERS[@]} readings and keeps the first conversion of $(wc -l <"$E2E_TMP/inputs") inputs"
