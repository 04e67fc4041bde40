#!/usr/bin/env bash
# Runs a command on an X display of its own: an Xvfb started here, on a display number it picks itself, and
# stopped afterwards, so that nothing drives a screen someone is using. With QL_DISPLAY=current and DISPLAY
# set, the command runs on that display instead.
set -u
if [ "${QL_DISPLAY:-own}" = current ] && [ -n "${DISPLAY:-}" ]; then
  exec "$@"
fi
number_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; rm -f "$number_file"' EXIT
# Xvfb writes the number once it takes connections.
for _ in $(seq 100); do
  [ -s "$number_file" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || { echo "with-display: Xvfb did not start" >&2; exit 1; }
  sleep 0.1
done
[ -s "$number_file" ] || { echo "with-display: Xvfb gave no display number" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$number_file")"
"$@"
