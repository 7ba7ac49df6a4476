#!/bin/bash
# Builds Pukalo and the benchmark tools in Release and prints one table, measured on a private
# Xvfb + openbox display:
#   start-up     process start -> main window mapped and viewable (Showlogo "2"), interleaved
#                with a bare Qt program of the same widgets (the floor) and, when installed,
#                gucharmap and KCharSelect (PEERS=1 installs them from Debian's packages);
#   peak RSS     VmHWM at the moment the main window is mapped, same programs;
#   switch       Combo1_Click for each of the sixteen categories, lists repainted, in process;
#   copy         a real click on a kaomoji until another process (xclip) reads it;
#   paste        with 「クリックで貼り付け」 on, a real click until the kaomoji is in an xterm the
#                user wrote in last (cat writing it to a file);
#   exit         exit command -> process gone, with and without the clipboard hand-over, with
#                and without a clipboard manager that never answers;
#   search       a keystroke in the search field until the results are painted, for one- and
#                two-character queries, a category word, romaji and a no-match query, and
#                opening the search window until its field has the focus, in process;
#                `pukalo --list` and `pukalo --search にこ` as whole processes;
#   find         `pukalo --find ねこ` while Pukalo runs, on a session bus of its own, another
#                program's window active: process start until the search window has the focus.
# Medians over RUNS runs (default 10) after warm-up runs.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
if [[ ${PEERS:-0} == 1 ]]; then
    ensure_packages gucharmap kcharselect
fi
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON -DPUKALO_BUILD_BENCH=ON \
    >/dev/null
cmake --build build/bench -j"$(nproc)" --target pukalo pukalo-clipkeep xclient catalogue_dump \
    mapwatch bench_floor bench_category_switch bench_search >/dev/null

RUNS=${RUNS:-10}
WARMUP=2
B=$PWD/build/bench
export PUKALO=$B/pukalo XCLIENT=$B/tests/xclient CATALOGUE_DUMP=$B/tests/catalogue_dump BUILD_DIR=$B
source tests/e2e/lib.sh
start_display
write_settings Showlogo=2

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
row() { printf '%-46s %10s %10s %10s %10s\n' "$@"; }

echo "Machine: $(nproc) cores, $(awk '/MemTotal/ {printf "%.0f GiB", $2/1048576}' /proc/meminfo)," \
    "$(uname -sr), $(sed -n 's/^PRETTY_NAME="\(.*\)"/\1/p' /etc/os-release);" \
    "Qt $(dpkg-query -W -f='${Version}' libqt6core6 2>/dev/null || echo '?'); Xvfb + openbox"
echo "Medians over $RUNS runs after $WARMUP warm-up runs."
echo

# --- Start-up and peak RSS ------------------------------------------------------------------
declare -A startup rss
programs=(pukalo floor)
command -v gucharmap >/dev/null && programs+=(gucharmap)
command -v kcharselect >/dev/null && programs+=(kcharselect)
launch() { # program -> "ms kib pid"
    case $1 in
    pukalo) "$B/bench/mapwatch" --title "プカロ！" -- "$B/pukalo" ;;
    floor) "$B/bench/mapwatch" -- "$B/bench/bench_floor" ;;
    *) "$B/bench/mapwatch" -- "$1" ;;
    esac
}
for ((i = 0; i < WARMUP + RUNS; i++)); do
    for p in "${programs[@]}"; do
        read -r ms kib pid < <(launch "$p")
        kill "$pid" 2>/dev/null || true
        sleep 0.3
        ((i < WARMUP)) && continue
        startup[$p]+="$ms "
        rss[$p]+="$kib "
    done
done
floor_ms=$(tr ' ' '\n' <<<"${startup[floor]}" | grep . | median)
row "start-up: process start -> main window mapped" "median ms" "min ms" "max ms" "x floor"
for p in "${programs[@]}"; do
    values=$(tr ' ' '\n' <<<"${startup[$p]}" | grep . | sort -n)
    m=$(median <<<"$values")
    row "  $p" "$m" "$(head -n1 <<<"$values")" "$(tail -n1 <<<"$values")" \
        "$(awk -v a="$m" -v b="$floor_ms" 'BEGIN {printf "%.2f", a / b}')"
done
row "peak RSS when the main window is mapped" "median MiB" "" "" ""
for p in "${programs[@]}"; do
    kib=$(tr ' ' '\n' <<<"${rss[$p]}" | grep . | median)
    row "  $p" "$(awk -v k="$kib" 'BEGIN {printf "%.1f", k / 1024}')" "" "" ""
done

# --- Category switch, in process ------------------------------------------------------------
read -r _ switch_median switch_worst < <("$B/bench/bench_category_switch" | grep '^ALL')
row "category switch (16 categories, lists painted)" "median us" "worst us" "" ""
row "  Combo1_Click" "$switch_median" "$switch_worst" "" ""

# --- Click -> clipboard readable by another process ----------------------------------------
start_pukalo
win=$MAIN
click_in "$win" 330 12
xdotool key --clearmodifiers Down
click_in "$win" 250 38 # put the right list's first kaomoji ahead of the left one's
wait_clipboard '(^^ゞ' || fail "no copy"
copies=()
for ((i = 0; i < WARMUP + RUNS; i++)); do
    if ((i % 2 == 0)); then x=30 want='(^^)'; else x=250 want='(^^ゞ'; fi
    window_geometry "$win"
    xdotool mousemove $((WX + x)) $((WY + WH - 280 + 38))
    t0=$(date +%s%N)
    xdotool mousedown 1 mouseup 1 # "click" would add 100 ms of its own
    until clipboard_is "$want"; do :; done
    t1=$(date +%s%N)
    ((i >= WARMUP)) && copies+=($(((t1 - t0) / 100000)))
done
kill -TERM "$PUKALO_PID"
wait "$PUKALO_PID" || true
PUKALO_PID=
copy_median=$(printf '%s\n' "${copies[@]}" | median)
row "click -> clipboard read by xclip" "median ms" "" "" ""
row "  real click on a kaomoji" "$(awk -v t="$copy_median" 'BEGIN {printf "%.1f", t / 10}')" "" "" ""

# --- Click -> the kaomoji in the window written in (「クリックで貼り付け」 on) ----------------------
typed=$E2E_TMP/typed
: >"$typed"
xterm -u8 -geometry 40x4+10+10 -title paste-target -e sh -c "stty -icanon -echo; exec cat >'$typed'" &
term_pid=$!
wait_for 100 sh -c "xdotool search --onlyvisible --name '^paste-target\$' | grep -q ." || fail "no xterm"
xdotool windowactivate --sync "$(xdotool search --onlyvisible --name '^paste-target$' | head -n1)"
write_settings Showlogo=2 Paste=1
start_pukalo
win=$MAIN
click_in "$win" 330 12
xdotool key --clearmodifiers Down
pastes=()
for ((i = 0; i < WARMUP + RUNS; i++)); do
    x=$((i % 2 == 0 ? 30 : 250))
    window_geometry "$win"
    xdotool mousemove $((WX + x)) $((WY + WH - 280 + 38))
    before=$(stat -c %s "$typed")
    t0=$(date +%s%N)
    xdotool mousedown 1 mouseup 1
    until (($(stat -c %s "$typed") > before)); do :; done
    t1=$(date +%s%N)
    ((i >= WARMUP)) && pastes+=($(((t1 - t0) / 100000)))
done
kill -TERM "$PUKALO_PID" "$term_pid"
wait "$PUKALO_PID" || true
PUKALO_PID=
write_settings Showlogo=2
paste_median=$(printf '%s\n' "${pastes[@]}" | median)
row "click -> kaomoji in the window written in" "median ms" "" "" ""
row "  real click, pasted into xterm" "$(awk -v t="$paste_median" 'BEGIN {printf "%.1f", t / 10}')" "" "" ""

# --- Exit -----------------------------------------------------------------------------------
one_exit() { # copy(yes/no) -> ms
    start_pukalo >/dev/null
    if [[ $1 == yes ]]; then
        click_in "$MAIN" 330 12
        xdotool key --clearmodifiers Down
        click_in "$MAIN" 30 38
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
    echo $(((t1 - t0) / 1000000))
}
measure_exit() { # label copy manager
    local manager_pid= i times=()
    if [[ $3 == yes ]]; then
        "$B/tests/xclient" silent-manager >/dev/null &
        manager_pid=$!
        sleep 0.2
    fi
    for ((i = 0; i < WARMUP; i++)); do one_exit "$2" >/dev/null; done
    for ((i = 0; i < RUNS; i++)); do times+=("$(one_exit "$2")"); done
    [[ -n $manager_pid ]] && kill "$manager_pid"
    local sorted
    sorted=$(printf '%s\n' "${times[@]}" | sort -n)
    row "  $1" "$(median <<<"$sorted")" "$(head -n1 <<<"$sorted")" "$(tail -n1 <<<"$sorted")" ""
}
row "exit: exit command -> process gone" "median ms" "min ms" "max ms" ""
measure_exit "nothing copied, no clipboard manager" no no
measure_exit "copy handed to the keeper, no manager" yes no
measure_exit "nothing copied, silent clipboard manager" no yes
measure_exit "copy handed to the keeper, silent manager" yes yes

# --- Search -----------------------------------------------------------------------------------
row "search window, in process" "median us" "worst us" "" ""
while IFS=$'\t' read -r what med worst; do
    row "  $what" "$med" "$worst" "" ""
done < <("$B/bench/bench_search")
# Timed from one process that stays (two `date` processes around each run would add more than
# the run itself).
for command in "--list" "--search にこ"; do
    ms=$(env -u DISPLAY python3 - "$WARMUP" "$RUNS" "$B/pukalo" $command <<'PY'
import statistics, subprocess, sys, time
warmup, runs, command = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3:]
times = []
for _ in range(warmup + runs):
    start = time.perf_counter()
    subprocess.run(command, stdout=subprocess.DEVNULL)
    times.append((time.perf_counter() - start) * 1000)
print(f"{statistics.median(times[warmup:]):.1f}")
PY
)
    row "pukalo $command, whole process" "$ms ms" "" "" ""
done

# --- pukalo --find while Pukalo runs -------------------------------------------------------------
start_session_bus
xterm -geometry 40x4+10+10 -title bench-other &
PIDS_TO_KILL+=($!)
wait_for 100 sh -c "xdotool search --onlyvisible --name '^bench-other\$' | grep -q ." || fail "no xterm"
other=$(xdotool search --onlyvisible --name '^bench-other$' | head -n1)
start_pukalo
key ctrl+f
search=$(wait_window "プカロ！顔文字を探す")
finds=()
for ((i = 0; i < WARMUP + RUNS; i++)); do
    xdotool windowactivate --sync "$search"
    key Escape
    wait_for 30 eval '! has_window "プカロ！顔文字を探す"' || fail "Esc did not close the search window"
    xdotool windowactivate --sync "$other"
    settled
    read -r ms _ _ < <("$B/bench/mapwatch" --focus "$search" -- "$PUKALO" --find ねこ)
    ((i >= WARMUP)) && finds+=("$ms")
done
kill -TERM "$PUKALO_PID"
wait "$PUKALO_PID" || true
PUKALO_PID=
row "pukalo --find while it runs -> search focused" "median ms" "min ms" "max ms" ""
sorted=$(printf '%s\n' "${finds[@]}" | sort -n)
row "  another program active, search window closed" "$(median <<<"$sorted")" "$(head -n1 <<<"$sorted")" \
    "$(tail -n1 <<<"$sorted")" ""
