#!/usr/bin/env bash
# Start-up benchmark: how long velmo takes from exec to the month view's first paint
# (velmo --quit-after-first-paint) against a bare Qt window that paints a 7 x 6 grid of
# Japanese text and quits after its first paint (bench_minimal_window). The two run
# interleaved, in alternating order, on a start folder holding 30 years of month files
# (generated here, CP932 with CR LF as in tests/data/make_sample_home.py). Prints each
# median and the ratio velmo / minimal.
#
# Usage: tools/bench_startup.sh [build-folder] [rounds]    (default: build-release 20)
#   BENCH_PLATFORM=xvfb       X11 under one Xvfb server started by xvfb-run (default; the
#                             closer to a desktop: a real window system round trip)
#   BENCH_PLATFORM=offscreen  Qt's offscreen platform, no X server at all
# Build the programs in Release first: VELMO_BUILD_TYPE=Release scripts/setup.sh build-release
set -euo pipefail
cd "$(dirname "$0")/.."

build="${1:-build-release}"
rounds="${2:-20}"
platform="${BENCH_PLATFORM:-xvfb}"
velmo="$build/app/velmo"
minimal="$build/tools/bench_minimal_window"
for program in "$velmo" "$minimal"; do
  [ -x "$program" ] || { echo "missing $program: build $build first" >&2; exit 1; }
done

case "$platform" in
  xvfb)
    if [ -z "${BENCH_INSIDE_XVFB:-}" ]; then
      exec env BENCH_INSIDE_XVFB=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
    fi
    export QT_QPA_PLATFORM=xcb ;;
  offscreen)
    export QT_QPA_PLATFORM=offscreen ;;
  *)
    echo "BENCH_PLATFORM must be xvfb or offscreen" >&2; exit 1 ;;
esac

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# Both programs see the same private home, so neither touches the user's files.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
export XDG_STATE_HOME="$work/home/.local/state" XDG_CACHE_HOME="$work/home/.cache"
export XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
start="$work/start"

python3 - "$start" <<'PY'
import datetime, pathlib, random, sys

start = pathlib.Path(sys.argv[1])
seed = pathlib.Path("resources/seed")

def write_lines(path, lines):
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes("".join(line + "\r\n" for line in lines).encode("cp932"))

def entry(day, position, text, colour=""):
    return "%2d,%d,,%s,%s,,,,," % (day, position, text.replace(",", "，"), colour)

texts = ["<B>週次定例</B> 10:00", "09:30 資料作成", "13:00 来客（山田様）", "出張, 大阪",
         "18:00 ジム", "月次報告", "歯医者 18:30", "<S>飲み会</S> 中止"]
colours = ["", "", "clRed", "clBlue", "$00008000"]
random.seed(1)
today = datetime.date.today()
year, month = today.year, today.month
# 30 years of months up to this one: the months ahead of today have no file yet.
for _ in range(30 * 12):
    lines = []
    for day in range(1, 29):
        for position in range(1, random.randint(1, 4) + 1):
            lines.append(entry(day, position, random.choice(texts), random.choice(colours)))
    lines.append(entry(77, 1, "月メモ：締め切りに注意"))
    write_lines(start / "Data" / "Files1" / ("Ca%04d%02d.myc" % (year, month)), lines)
    year, month = (year, month - 1) if month > 1 else (year - 1, 12)

periods = ["***** FromTo予定 [Data\\Files1\\]"]
for i in range(60):
    begin = today - datetime.timedelta(days=40 * i)
    end = begin + datetime.timedelta(days=i % 6 + 1)
    periods.append("%4d,%2d,%2d,A,%4d,%2d,%2d,E,%4d,%2d,%2d,1,clBlue,期間予定%d,BENCH-PC,,,,,"
                   % (begin.year, begin.month, begin.day, end.year, end.month, end.day,
                      begin.year, begin.month, begin.day, i))
write_lines(start / "Data" / "Files1" / "CaFromTo.myc", periods)
for folder in ("Files2", "Files3"):
    (start / "Data" / folder).mkdir(parents=True, exist_ok=True)
write_lines(start / "Data" / "Sday.myc", ["9,10,創立記念日", "4,1,入社式"])
for name in ("Hday.dat", "CaSima.dat", "ReadMe.txt"):
    write_lines(start / name, (seed / name).read_text(encoding="utf-8").splitlines())
write_lines(start / "localfol.myc", ["[Set]", "Folder=%s/" % start, "First=0"])
write_lines(start / "Torka.ini", ["[Header]", "Version=Ver9.1.1", "[Settei]", "cbTukiMemo=1"])
PY

# Milliseconds one run takes from exec to its end; stops the benchmark when it fails.
run_ms() {
  local before after
  before=$EPOCHREALTIME
  if ! "$@" >/dev/null 2>"$work/stderr"; then
    echo "failed: $*" >&2
    cat "$work/stderr" >&2
    exit 1
  fi
  after=$EPOCHREALTIME
  echo "$before $after" | awk '{ printf "%.1f\n", ($2 - $1) * 1000 }'
}

velmo_run=("$velmo" --start-folder "$start" --quit-after-first-paint)
minimal_run=("$minimal")
# One untimed run each: caches filled, the first start's own writes (log, backups) done.
run_ms "${velmo_run[@]}" >/dev/null
run_ms "${minimal_run[@]}" >/dev/null

: >"$work/velmo.ms"
: >"$work/minimal.ms"
for ((round = 0; round < rounds; ++round)); do
  if ((round % 2 == 0)); then
    run_ms "${velmo_run[@]}" >>"$work/velmo.ms"
    run_ms "${minimal_run[@]}" >>"$work/minimal.ms"
  else
    run_ms "${minimal_run[@]}" >>"$work/minimal.ms"
    run_ms "${velmo_run[@]}" >>"$work/velmo.ms"
  fi
done

median() { sort -n "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
velmo_median="$(median "$work/velmo.ms")"
minimal_median="$(median "$work/minimal.ms")"
echo "platform: $QT_QPA_PLATFORM ($platform), rounds: $rounds, build: $build"
echo "velmo   median: $velmo_median ms"
echo "minimal median: $minimal_median ms"
awk -v v="$velmo_median" -v m="$minimal_median" 'BEGIN { printf "ratio velmo/minimal: %.2f\n", v / m }'
