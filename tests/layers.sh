#!/bin/bash
# Each folder includes only itself and the folders below it: app → forms → settings →
# catalogue → platform; and no window but the main window's own files includes the main window.
set -uo pipefail
cd "$(dirname "$0")/.."
rank() { case $1 in app) echo 4 ;; forms) echo 3 ;; settings) echo 2 ;; catalogue) echo 1 ;; platform) echo 0 ;; *) echo -1 ;; esac; }
faults=0
while IFS=: read -r file included; do
    from=${file%%/*} to=${included%%/*}
    if (($(rank "$to") > $(rank "$from"))) ||
        [[ $included == forms/main/formmain.h && $from == forms && $file != forms/main/* ]]; then
        echo "$file includes $included" && faults=1
    fi
done < <(grep -rHo '^#include "[^"]*"' app forms settings catalogue platform | sed 's/#include "\(.*\)"/\1/')
exit $faults
