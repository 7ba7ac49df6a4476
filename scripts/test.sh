#!/bin/bash
# Builds Pukalo with its tests and runs every test: unit and widget tests on Qt's offscreen
# platform, end-to-end tests against the real program on private Xvfb + openbox displays.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON >/dev/null
cmake --build build/test -j"$(nproc)"
cd build/test
ctest --output-on-failure
