#!/bin/bash
# Builds Pukalo with its tests and runs every test: unit and widget tests on Qt's offscreen
# platform, end-to-end tests against the real program on private Xvfb + openbox displays.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON >/dev/null
cmake --build build/test -j"$(nproc)"
summary=$(mktemp)
trap 'rm -f "$summary"' EXIT
# Counts what one ctest run reports, for the closing line.
count() {
    sed -n 's/.* \([0-9]*\) tests failed out of \([0-9]*\).*/\1 \2/p' "$summary" | tail -n1
}
# The random-input test runs once, in the sanitizer pass below, where it finds the most.
if [[ ${SKIP_SANITIZERS:-0} == 1 ]]; then only_sanitized=(); else only_sanitized=(-E e2e_random_input); fi
(cd build/test && ctest --output-on-failure "${only_sanitized[@]}") | tee "$summary"
read -r failed total < <(count)
passed=$((total - failed))

# Once more with AddressSanitizer and UndefinedBehaviorSanitizer (leak checking on), every test
# but the install test, which only packages what the first pass built. A report from any
# process, a test's or the program's started by one, fails the run.
if [[ ${SKIP_SANITIZERS:-0} == 1 ]]; then
    echo "Sanitizer run skipped (SKIP_SANITIZERS=1)"
    echo "tests: $passed passed, $failed failed"
    ((failed == 0))
    exit
fi
# -O1 without debug information: a third less build time; reports still name the functions.
flags="-O1 -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=None -DBUILD_TESTING=ON \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" >/dev/null
cmake --build build/asan -j"$(nproc)"
reports=$(mktemp -d /tmp/pukalo-sanitizers.XXXXXX)
chmod 1777 "$reports" # programs the tests run as another user write here too
export ASAN_OPTIONS="detect_leaks=1:log_path=$reports/asan:halt_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:log_path=$reports/ubsan:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0"
status=0
(cd build/asan && ctest --output-on-failure -E e2e_install) | tee "$summary" || status=$?
read -r asan_failed asan_total < <(count)
passed=$((passed + asan_total - asan_failed))
failed=$((failed + asan_failed))
((failed == 0)) || status=1
if compgen -G "$reports/*" >/dev/null; then
    echo "Sanitizer reports:"
    cat "$reports"/*
    status=1
else
    echo "Sanitizers: no reports."
fi
rm -rf "$reports"
echo "tests: $passed passed, $failed failed"
exit $status
