#!/usr/bin/env bash
# Runs a command with an X display: the current one, or an Xvfb started here and stopped afterwards.
set -u
if [ -n "${DISPLAY:-}" ]; then
  exec "$@"
fi
for number in $(seq 90 120); do
  [ -e "/tmp/.X${number}-lock" ] || break
done
Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null' EXIT
for _ in $(seq 50); do
  [ -e "/tmp/.X11-unix/X${number}" ] && break
  sleep 0.1
done
export DISPLAY=":$number"
"$@"
