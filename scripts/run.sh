#!/usr/bin/env bash
# Sets up, builds and starts Velmo with the default start folder
# (~/.local/share/velmo/, created and filled on the first start).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build
exec build/app/velmo "$@"
