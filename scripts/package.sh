#!/bin/bash
# Builds Pukalo (Release) and makes its Debian package, build/release/pukalo_VERSION_ARCH.deb;
# prints the package's path. Shows cpack's whole log when it fails.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

ensure_packages "${BUILD_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build/release -j"$(nproc)"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! (cd build/release && cpack -G DEB) >"$log" 2>&1; then
    cat "$log" build/release/_CPack_Packages/*/DEB/*.log 2>/dev/null >&2
    echo "cpack failed (its log above)" >&2
    exit 1
fi
sed -n 's/^CPack: - package: \(.*\.deb\) generated\.$/\1/p' "$log"
