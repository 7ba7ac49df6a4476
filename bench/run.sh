#!/bin/bash
# Builds Pukalo in Release and measures, on a private Xvfb + openbox display, how long the exit
# takes: from the exit command (SIGTERM, which runs the same exit procedure as "終了") until the
# process is gone, with and without handing the clipboard to the keeper, with and without a
# clipboard manager that never answers. Prints one table of medians over the runs.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON >/dev/null
cmake --build build/bench -j"$(nproc)" --target pukalo pukalo-clipkeep silent_clipboard_manager >/dev/null

RUNS=${RUNS:-10}
WARMUP=2
export PUKALO=$PWD/build/bench/pukalo
MANAGER=$PWD/build/bench/tests/silent_clipboard_manager
source tests/e2e/lib.sh
start_display
write_settings Showlogo=2

ms() { echo $((($2 - $1) / 1000000)); }
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

one_exit() { # copy(yes/no) → prints the exit time in ms
    start_pukalo
    local win
    win=$(wait_window "プカロ！")
    if [[ $1 == yes ]]; then
        click_client "$win" 330 12
        xdotool key --clearmodifiers Down
        click_client "$win" 30 38
        wait_clipboard '(^^)' || fail "no copy"
    fi
    sleep 0.2
    local t0 t1
    t0=$(date +%s%N)
    kill -TERM "$PUKALO_PID"
    wait "$PUKALO_PID" || true
    t1=$(date +%s%N)
    PUKALO_PID=
    printf 'reset' | xclip -selection clipboard -i >/dev/null 2>&1 # ends any keeper
    ms "$t0" "$t1"
}

measure() { # label copy manager
    local manager_pid=
    if [[ $3 == yes ]]; then
        "$MANAGER" >/dev/null &
        manager_pid=$!
        sleep 0.2
    fi
    local i times=()
    for ((i = 0; i < WARMUP; i++)); do one_exit "$2" >/dev/null; done
    for ((i = 0; i < RUNS; i++)); do times+=("$(one_exit "$2")"); done
    [[ -n $manager_pid ]] && kill "$manager_pid"
    local sorted
    sorted=$(printf '%s\n' "${times[@]}" | sort -n)
    printf '%-44s %8s %6s %6s\n' "$1" "$(median <<<"$sorted")" "$(head -n1 <<<"$sorted")" \
        "$(tail -n1 <<<"$sorted")"
}

echo "Machine: $(nproc) cores, $(awk '/MemTotal/ {printf "%.0f GiB", $2/1048576}' /proc/meminfo)," \
    "$(uname -sr); Qt $(dpkg-query -W -f='${Version}' libqt6core6 2>/dev/null || echo '?')"
echo "Exit: exit command -> process gone, ms over $RUNS runs (after $WARMUP warm-up runs)"
printf '%-44s %8s %6s %6s\n' case median min max
measure "nothing copied, no clipboard manager" no no
measure "kaomoji handed to the keeper, no manager" yes no
measure "nothing copied, silent clipboard manager" no yes
measure "kaomoji handed to the keeper, silent manager" yes yes
