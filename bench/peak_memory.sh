#!/usr/bin/env bash
# Peak resident memory of the program with the nine cylinder and frustum
# windows open, measured by GNU time on an Xvfb screen of each size given
# (default 3840x2160 and 1920x1080). Usage:
#   bench/peak_memory.sh [-b build-folder] [-r runs] [WxH ...]
# Needs a build with the benchmarks, Xvfb and GNU time (tools/install-deps.sh --with-x).
set -euo pipefail
build=build
runs=3
while getopts "b:r:" opt; do
  case $opt in
    b) build=$OPTARG ;;
    r) runs=$OPTARG ;;
    *) exit 2 ;;
  esac
done
shift $((OPTIND - 1))
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(3840x2160 1920x1080)
bench="$build/bench/nine_windows_bench"
[ -x "$bench" ] || { echo "no $bench: build with the benchmarks first" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "GNU time is missing: tools/install-deps.sh --with-x" >&2; exit 1; }
. "$(dirname "$0")/xvfb_screen.sh"

for size in "${sizes[@]}"; do
  start_screen "$size"
  for run in $(seq "$runs"); do
    DISPLAY=$display QT_QPA_PLATFORM=xcb /usr/bin/time -v "$bench" --benchmark_format=csv \
      >"$work/out" 2>"$work/time"
    kb=$(sed -n 's/.*Maximum resident set size (kbytes): *//p' "$work/time")
    # The counters come last, by name: peak_rss_mb, picture_h, picture_w.
    picture=$(awk -F, '/BM_NineShapeWindows/ {print $NF "x" $(NF-1)}' "$work/out")
    awk -v s="$size" -v r="$run" -v kb="$kb" -v p="$picture" \
      'BEGIN { printf "%s run %d: peak %.1f MB (pictures %s)\n", s, r, kb / 1024, p }'
  done
  stop_screen
done
