#!/usr/bin/env bash
# Idle cost of resident mode: velmo goes resident into a tray (trayer under Xvfb) and
# waits there; over the measured period the script reads the process's CPU time and
# resident memory from /proc. Prints the share of one core used and the memory at the
# start and at the end of the period.
#
# Usage: tools/bench_resident_idle.sh [build-folder] [seconds]   (default: build 120)
# The settings choose the function timer's interval as a user would (cbTimerNo 6: 10 s).
set -euo pipefail
cd "$(dirname "$0")/.."

build="${1:-build}"
seconds="${2:-120}"
velmo="$build/app/velmo"
[ -x "$velmo" ] || { echo "missing $velmo: build $build first" >&2; exit 1; }
for tool in Xvfb trayer xdotool; do
  command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 1; }
done

work="$(mktemp -d)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

display=":$((90 + RANDOM % 9))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY="$display" QT_QPA_PLATFORM=xcb
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
trayer --edge bottom --align right --widthtype pixel --width 200 --height 32 >/dev/null 2>&1 &
pids+=($!)
sleep 1

export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
export XDG_STATE_HOME="$work/home/.local/state" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
cp -r tests/data/sample_home "$work/start"
export VELMO_HOME="$work/start"

"$velmo" >/dev/null 2>&1 &
velmo_pid=$!
pids+=("$velmo_pid")
# Wait for the window, then go resident with the hot key.
for _ in $(seq 100); do
  xdotool search --onlyvisible --name "Velmo" >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 2
# Ctrl+F12 goes resident from the active window (there is no window manager here).
window=$(timeout 5 xdotool search --onlyvisible --name "Velmo" | head -1)
timeout 5 xdotool windowfocus "$window" || true
sleep 0.5
timeout 5 xdotool key ctrl+F12
sleep 3
if timeout 5 xdotool search --onlyvisible --name "ベルモ - Velmo -" >/dev/null 2>&1; then
  echo "the window did not go resident" >&2
  exit 1
fi

ticks() { awk '{print $14 + $15}' "/proc/$velmo_pid/stat"; }
rss_kib() { awk '/^VmRSS:/ {print $2}' "/proc/$velmo_pid/status"; }
hz=$(getconf CLK_TCK)
start_ticks=$(ticks)
start_rss=$(rss_kib)
sleep "$seconds"
end_ticks=$(ticks)
end_rss=$(rss_kib)

awk -v t=$((end_ticks - start_ticks)) -v hz="$hz" -v s="$seconds" \
  'BEGIN { printf "cpu: %.4f %% of one core over %d s (%d ticks)\n", 100 * t / hz / s, s, t }'
echo "rss: ${start_rss} KiB at the start, ${end_rss} KiB at the end ($((end_rss - start_rss)) KiB)"
