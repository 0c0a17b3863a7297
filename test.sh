#!/usr/bin/env bash
# Installs what is missing, builds VELM with its tests and runs every test;
# then the whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer,
# and every fuzz target from its seed corpus for a bounded time. Any failure,
# sanitizer report or fuzz finding fails the run.
# VELM_FUZZ_SECONDS sets the time of each fuzz target (default 30; the
# targets run side by side); 0 skips fuzzing.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/tools/install-deps.sh"
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELM_BUILD_TESTS=ON >/dev/null
cmake --build "$here/build" -j "$jobs"
ctest --test-dir "$here/build" -j "$jobs" --output-on-failure --no-tests=error --timeout 120 | tee "$here/build/ctest.log"

# Sanitizers: light optimisation and line tables only, which builds fastest
# while keeping file and line in every report.
echo "== Sanitizer build and tests"
cmake -S "$here" -B "$here/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -g1" \
  -DVELM_SANITIZE=ON -DVELM_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$here/build-asan" -j "$jobs"
ctest --test-dir "$here/build-asan" -j "$jobs" --output-on-failure --no-tests=error --timeout 300 | tee "$here/build-asan/ctest.log"

fuzz_seconds=${VELM_FUZZ_SECONDS:-30}
if [ "$fuzz_seconds" -gt 0 ]; then
  echo "== Fuzzing, ${fuzz_seconds}s per target"
  CXX=clang++-14 cmake -S "$here" -B "$here/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVELM_FUZZ=ON -DVELM_BUILD_TESTS=OFF -DVELM_BUILD_BENCHMARKS=OFF >/dev/null
  cmake --build "$here/build-fuzz" -j "$jobs" --target velm_fuzz_all
  "$here/fuzz/run.sh" "$here/build-fuzz" "$fuzz_seconds"
fi

# One closing line for the whole run: the tests of both builds.
summary() { sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\2 \1/p' "$1" | tail -n 1; }
read -r total failed < <(summary "$here/build/ctest.log")
read -r atotal afailed < <(summary "$here/build-asan/ctest.log")
echo "tests: $(( total - failed + atotal - afailed )) passed, $(( failed + afailed )) failed"
