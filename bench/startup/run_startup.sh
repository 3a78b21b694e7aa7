#!/usr/bin/env bash
# Start-up of the program against a minimal Qt window of the same size, as a
# user sees it: from process start to the window mapped on an X server.
# Runs both alternately under a fresh Xvfb and prints the median of each and
# their ratio (goal: at most 1.5). For reference it also times the minimal
# window with a label and a line edit: what Qt's text, accessibility and
# input-method services add to any window that shows text.
#
#   bench/startup/run_startup.sh [build folder] [runs]
set -euo pipefail

BUILD=${1:-build}
RUNS=${2:-21}
WATCH="$BUILD/bench/startup/startup_watch"
MINIMAL="$BUILD/bench/startup/startup_minimal_window"
PROGRAM="$BUILD/GatewayConfigurator"
for f in "$WATCH" "$MINIMAL" "$PROGRAM"; do
  [ -x "$f" ] || { echo "run_startup: $f is missing; build first (make build)" >&2; exit 1; }
done

WORK=$(mktemp -d)
XVFB_PID=""
cleanup() {
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

# The program keeps its folders and settings beside itself: run a copy.
cp "$PROGRAM" "$WORK/GatewayConfigurator"

# A display of our own, so no other client maps windows meanwhile.
DISPLAY_NUMBER=""
for n in $(seq 90 130); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then DISPLAY_NUMBER=$n; break; fi
done
[ -n "$DISPLAY_NUMBER" ] || { echo "run_startup: no free display" >&2; exit 1; }
# -noreset: the server must not restart each time its last client leaves.
Xvfb ":$DISPLAY_NUMBER" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
XVFB_PID=$!
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$DISPLAY_NUMBER" ] && break; sleep 0.05; done
export DISPLAY=":$DISPLAY_NUMBER"
export QT_QPA_PLATFORM=xcb
mkdir -m 700 "$WORK/runtime"
export XDG_RUNTIME_DIR="$WORK/runtime"

measure() { "$WATCH" "$@"; }
# One untimed run each, so both start from warm caches.
measure "$MINIMAL" >/dev/null
measure "$WORK/GatewayConfigurator" >/dev/null

: >"$WORK/minimal.txt"
: >"$WORK/program.txt"
: >"$WORK/text.txt"
for _ in $(seq "$RUNS"); do
  measure "$MINIMAL" >>"$WORK/minimal.txt"
  measure "$WORK/GatewayConfigurator" >>"$WORK/program.txt"
  measure "$MINIMAL" --with-text >>"$WORK/text.txt"
done

median() { sort -n "$1" | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
M=$(median "$WORK/minimal.txt")
P=$(median "$WORK/program.txt")
T=$(median "$WORK/text.txt")
awk -v m="$M" -v p="$P" -v t="$T" -v n="$RUNS" 'BEGIN {
  printf "start-up to the window mapped, median of %d alternated runs\n", n
  printf "  minimal Qt window          : %8.1f ms\n", m / 1000
  printf "  GatewayConfigurator        : %8.1f ms\n", p / 1000
  printf "  ratio                      : %8.2f (goal <= 1.50)\n", p / m
  printf "  minimal window, label+edit : %8.1f ms (%.2f of the empty one; the program is %.2f of it)\n", t / 1000, t / m, p / t
}'
