#!/bin/bash
# Each folder includes only itself and the folders below it: app → forms → ui → settings →
# catalogue → platform; no window but the main window's own files includes the main window.
# Includes name a folder from the top of the tree, never "..": a path that leaves its folder or
# names a folder this list does not know is a fault, and so is a folder of sources it does not
# know. Given a folder, checks the tree there instead (to try a planted fault on a copy).
set -uo pipefail
cd "${1:-$(dirname "$0")/..}"
layers=(platform catalogue settings ui forms app)
rank() {
    local i
    for i in "${!layers[@]}"; do [[ ${layers[i]} == "$1" ]] && echo "$i" && return; done
    echo -1
}
faults=0
fault() { echo "$*" && faults=1; }

for folder in */; do
    folder=${folder%/}
    [[ $folder == @(tests|bench|build|docs|scripts|shots) || $(rank "$folder") -ge 0 ]] && continue
    [[ -n $(find "$folder" -name '*.cpp' -o -name '*.h' | head -n1) ]] &&
        fault "$folder/ holds sources but is no layer"
done
# "…" and <…> alike, with any blanks after the # (a <…> include of a system header names no
# folder of this tree and is not checked).
while IFS= read -r line; do
    file=${line%%:*} included=$(sed -E 's/^[^:]*:[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^">]*)[">].*/\1/' <<<"$line")
    from=${file%%/*} to=${included%%/*}
    quoted=$([[ $line =~ include[[:space:]]*\" ]] && echo 1)
    if [[ /$included/ == */../* ]]; then
        fault "$file includes $included: a path through .."
    elif [[ $included != */* || $(rank "$to") -lt 0 ]]; then
        [[ -n $quoted ]] && fault "$file includes $included: no folder of the layers"
    elif (($(rank "$to") > $(rank "$from"))); then
        fault "$file includes $included, a layer above its own"
    elif [[ $included == forms/main/formmain.h && $from == forms && $file != forms/main/* ]]; then
        fault "$file includes $included: windows reach the main window through mainwindow.h"
    fi
done < <(grep -rHE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]' "${layers[@]}" --include='*.cpp' --include='*.h' --include='*.in')
exit $faults
