#!/usr/bin/env bash
# The include-direction check passes on the checkout and names every wrong include of
# a small tree built to break each rule once.
set -euo pipefail
check="$1/tools/check_layers.py"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT

python3 "$check" "$1" >/dev/null

add() { mkdir -p "$tree/$(dirname "$1")"; printf '%s\n' "${@:2}" > "$tree/$1"; }
add core/clock.h '#pragma once' '#include <chrono>'
add store/line_file.h '#pragma once' '#include "core/clock.h"'
add app/startup/seed.cpp '#include "platform/posix/names.h"' '#include "store/line_file.h"'
add platform/posix/names.h '#pragma once'
add dialogs/day_page.h '#pragma once' '#include <QWidget>'
python3 "$check" "$tree" >/dev/null

add calendar/rule_file.cpp '#include "store/line_file.h"'
add store/text.cpp '#include <QString>'
add monthview/qt_month_view.cpp '#include "dialogs/day_page.h"'
add monthview/grid.cpp '#include "monthview/qt_month_view.h"'
add extra/thing.cpp '#include "core/clock.h"'
if python3 "$check" "$tree" 2>"$tree/report"; then
  echo "wrong includes were not reported"; exit 1
fi
expect() {
  grep -qF -- "$1" "$tree/report" || { echo "missing: $1"; cat "$tree/report"; exit 1; }
}
expect 'calendar/rule_file.cpp:1: calendar includes "store/line_file.h" of store, which is not below it'
expect 'store/text.cpp:1: plain folder store includes Qt <QString>'
expect 'monthview/qt_month_view.cpp:1: monthview/qt includes "dialogs/day_page.h" of dialogs, which is not below it'
expect 'monthview/grid.cpp:1: monthview includes "monthview/qt_month_view.h" of monthview/qt, which is not below it'
expect "extra/thing.cpp: folder 'extra' has no layer"
expect '5 include(s) point the wrong way'
echo "ok"
