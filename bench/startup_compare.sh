#!/usr/bin/env bash
# Start-up to the start panel's first paint (no splash) against a minimal Qt
# Widgets program showing one window, each counted from main(), in
# alternating runs on an Xvfb screen. The minimal window is measured twice:
# small (640 x 480), and at the size the main window opens at, whose memory
# alone is a good part of a first paint on a large screen. Usage:
#   bench/startup_compare.sh [-b build-folder] [-n runs] [-s WxH]
# Needs a build with the benchmarks and Xvfb (tools/install-deps.sh --with-x).
set -euo pipefail
build=build
runs=20
size=3840x2160
while getopts "b:n:s:" opt; do
  case $opt in
    b) build=$OPTARG ;;
    n) runs=$OPTARG ;;
    s) size=$OPTARG ;;
    *) exit 2 ;;
  esac
done
for b in startup_bench minimal_start_bench; do
  [ -x "$build/bench/$b" ] || { echo "no $build/bench/$b: build with the benchmarks first" >&2; exit 1; }
done
. "$(dirname "$0")/xvfb_screen.sh"
start_screen "$size"
export DISPLAY=$display QT_QPA_PLATFORM=xcb

# One run: the benchmark's real time in milliseconds.
once() {
  "$@" --benchmark_format=csv 2>/dev/null | awk -F, '/^"BM_/ { print $3 }'
}
for i in $(seq "$runs"); do
  once "$build/bench/startup_bench" --benchmark_filter=BM_FirstStartFromMain >>"$work/velm"
  once "$build/bench/minimal_start_bench" --benchmark_filter=BM_MinimalWindowFromMain >>"$work/minimal"
  once "$build/bench/minimal_start_bench" --benchmark_filter=BM_MainSizedWindowFromMain >>"$work/sized"
done

# min / median / max of a file of numbers
spread() {
  sort -g "$1" | awk '{ v[NR] = $1 } END {
    m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf "%.1f / %.1f / %.1f ms", v[1], m, v[NR] }'
}
median() { sort -g "$1" | awk '{ v[NR] = $1 } END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
echo "screen $size, $runs alternating runs, min / median / max from main() to the first paint"
echo "  VELM start panel:                      $(spread "$work/velm")"
echo "  minimal Qt window, 640 x 480:          $(spread "$work/minimal")"
echo "  minimal Qt window, main window's size: $(spread "$work/sized")"
awk -v a="$(median "$work/velm")" -v b="$(median "$work/minimal")" -v c="$(median "$work/sized")" \
  'BEGIN { printf "  ratio of medians:   %.2f against the small window, %.2f against the main window'"'"'s size\n", a / b, a / c }'
