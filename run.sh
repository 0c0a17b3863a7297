#!/usr/bin/env bash
# Installs what is missing, builds VELM and starts it from its program folder.
# Usage: ./run.sh [file.qvl]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/tools/install-deps.sh"
# Only the program is built, but the tests stay configured: test.sh shares this
# build folder and must not find them switched off.
cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELM_BUILD_TESTS=ON >/dev/null
cmake --build "$here/build" --target velm
args=()
if [ $# -gt 0 ]; then
  # The data file is named relative to where the user stands.
  case "$1" in /*) args=("$1") ;; *) args=("$PWD/$1") ;; esac
fi
cd "$here/build/bin"
exec ./velm "${args[@]}"
