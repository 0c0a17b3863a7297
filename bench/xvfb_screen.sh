# Sourced by the bench scripts: a scratch folder $work and an Xvfb screen,
# both gone when the script ends.
#   start_screen WxH   starts Xvfb on a free display; sets $display
command -v Xvfb >/dev/null || { echo "Xvfb is missing: tools/install-deps.sh --with-x" >&2; exit 1; }
work=$(mktemp -d)
xvfb=""
stop_screen() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  xvfb=""
}
trap 'stop_screen; rm -rf "$work"' EXIT
start_screen() {
  # Xvfb picks a free display and writes its number to descriptor 3.
  : > "$work/display"
  Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb=$!
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || { echo "Xvfb did not start for $1" >&2; cat "$work/xvfb.log" >&2; exit 1; }
  display=":$(head -n1 "$work/display")"
}
