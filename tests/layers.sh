#!/bin/bash
# Each folder includes only itself and the folders below it: app → forms → ui → settings →
# catalogue → platform; no window but the main window's own files includes the main window.
# Includes name a folder from the top of the tree, never "..", but for a file's own moc output:
# a path that leaves its folder or names a folder this list does not know is a fault, and so is a
# folder of sources it does not know. Given a folder, checks the tree there instead (to try a
# planted fault on a copy).
set -uo pipefail
cd "${1:-$(dirname "$0")/..}"
layers=(platform catalogue settings ui forms app)
declare -A ranks
for i in "${!layers[@]}"; do ranks[${layers[i]}]=$i; done
faults=0
fault() { echo "$*" && faults=1; }

for folder in */; do
    folder=${folder%/}
    [[ $folder == @(tests|bench|build|docs|scripts|shots) || -n ${ranks[$folder]+known} ]] && continue
    [[ -n $(find "$folder" -name '*.cpp' -o -name '*.h' | head -n1) ]] &&
        fault "$folder/ holds sources but is no layer"
done
# "…" and <…> alike, with any blanks after the # (a <…> include of a system header names no
# folder of this tree and is not checked).
include='^([^:]*):[[:space:]]*#[[:space:]]*include[[:space:]]*([<"])([^">]*)[">]'
while IFS= read -r line; do
    [[ $line =~ $include ]] || continue
    file=${BASH_REMATCH[1]} quoted=${BASH_REMATCH[2]} included=${BASH_REMATCH[3]}
    from=${file%%/*} to=${included%%/*}
    if [[ $included == "$(basename "${file%.cpp}").moc" ]]; then
        continue # what moc makes of the file itself
    elif [[ /$included/ == */../* ]]; then
        fault "$file includes $included: a path through .."
    elif [[ $included != */* || -z ${ranks[$to]+known} ]]; then
        [[ $quoted == '"' ]] && fault "$file includes $included: no folder of the layers"
    elif ((ranks[$to] > ranks[$from])); then
        fault "$file includes $included, a layer above its own"
    elif [[ $included == forms/main/formmain.h && $from == forms && $file != forms/main/* ]]; then
        fault "$file includes $included: windows reach the main window through mainwindow.h"
    fi
done < <(grep -rHE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]' "${layers[@]}" --include='*.cpp' --include='*.h' --include='*.in')
exit $faults
