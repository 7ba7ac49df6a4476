#!/bin/bash
# Builds Pukalo with its tests and runs every test: unit and widget tests on Qt's offscreen
# platform, end-to-end tests against the real program on private Xvfb + openbox displays. Then
# all again built with AddressSanitizer and UndefinedBehaviorSanitizer. Both passes run whatever
# fails; the last line counts them, and the status is 0 only when every test of both passed.
# A skipped test counts as failed here: this command installs every tool the tests need, so a
# skip means one is broken, and CI must not pass by skipping.
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" || exit 1
ensure_locales "${TEST_LOCALES[@]}" || exit 1
passed=0 failed=0 notes=()

# Configures and builds into a folder; a failed build counts as one failed test.
build() { # folder cmake-options...
    local folder=$1
    shift
    if cmake -S . -B "$folder" -DBUILD_TESTING=ON "$@" >/dev/null &&
        cmake --build "$folder" -j"$(nproc)"; then
        return 0
    fi
    failed=$((failed + 1)) notes+=("the build in $folder failed")
    return 1
}

# Runs CTest in a build folder and adds what it reports to the counts.
run_tests() { # folder ctest-options...
    local folder=$1 log summary skipped
    shift
    log=$(mktemp)
    (cd "$folder" && ctest --output-on-failure "$@") 2>&1 | tee "$log"
    summary=$(sed -n 's/.* \([0-9]*\) tests failed out of \([0-9]*\).*/\1 \2/p' "$log" | tail -n1)
    skipped=$(grep -c '\*\*\*Skipped' "$log")
    rm -f "$log"
    if [[ -z $summary ]]; then
        failed=$((failed + 1)) notes+=("ctest in $folder reported no result")
        return
    fi
    read -r f total <<<"$summary"
    passed=$((passed + total - f - skipped)) failed=$((failed + f + skipped))
    ((skipped == 0)) || notes+=("$skipped skipped in $folder (counted as failed)")
}

# The random-input test runs once, in the sanitizer pass, where it finds the most.
if [[ ${SKIP_SANITIZERS:-0} == 1 ]]; then only_sanitized=(); else only_sanitized=(-E e2e_random_input); fi
if build build/test -DCMAKE_BUILD_TYPE=Release; then
    run_tests build/test "${only_sanitized[@]}"
fi

if [[ ${SKIP_SANITIZERS:-0} == 1 ]]; then
    notes+=("sanitizer pass left out (SKIP_SANITIZERS=1)")
else
    # -O1 without debug information, and a unity build: this pass looks for faults at run time
    # (the first pass builds every file on its own); reports still name the functions. Every
    # test but the install test, which only packages what the first pass built, the format
    # check, the main window's walk in the users' locale, which the first pass made (its
    # catalogue walk is the same in both), and the paste on sway, whose code e2e_paste runs here
    # too (sway starts the program with an environment of its own). A report from any process, a
    # test's or the program's started by one, fails the run.
    flags="-O1 -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
    reports=$(mktemp -d /tmp/pukalo-sanitizers.XXXXXX)
    chmod 1777 "$reports" # programs the tests run as another user write here too
    # Dynamic TLS is not followed: with it, LeakSanitizer's own tracer crashed ("Tracer caught
    # signal 11") at the exit of the font test while Qt's threads ended, 7 runs in 8 on a fresh
    # Debian 12 root; a block only dynamic TLS points to would be reported, never hidden.
    export ASAN_OPTIONS="detect_leaks=1:intercept_tls_get_addr=0:log_path=$reports/asan:halt_on_error=1"
    export UBSAN_OPTIONS="print_stacktrace=1:log_path=$reports/ubsan:halt_on_error=1"
    export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0"
    if build build/asan -DCMAKE_BUILD_TYPE=None -DCMAKE_UNITY_BUILD=ON -DCMAKE_CXX_FLAGS="$flags" \
        -DCMAKE_EXE_LINKER_FLAGS="$flags"; then
        run_tests build/asan -E 'e2e_install|format|e2e_main_ja|e2e_paste_sway'
    fi
    if compgen -G "$reports/*" >/dev/null; then
        echo "Sanitizer reports:"
        cat "$reports"/*
        failed=$((failed + 1)) notes+=("sanitizer reports (above)")
    else
        echo "Sanitizers: no reports."
    fi
    rm -rf "$reports"
fi

for note in "${notes[@]}"; do echo "note: $note"; done
echo "tests: $passed passed, $failed failed"
((failed == 0))
