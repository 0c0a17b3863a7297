#!/usr/bin/env bash
# Installs what is missing, builds VELM with its tests and runs every test.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/tools/install-deps.sh"
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$here/build" -j "$jobs"
ctest --test-dir "$here/build" -j "$jobs" --output-on-failure --timeout 120
