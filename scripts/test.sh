#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test, then the extra
# checks under scripts/ci.d (sanitizer builds, bounded fuzz runs, MariaDB).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
"$here/scripts/build.sh"
build="${QUVEX_BUILD_DIR:-$here/build}"
export QT_QPA_PLATFORM=offscreen
(cd "$build" && ctest --output-on-failure -j"$(nproc)" --timeout 600)
for step in "$here"/scripts/ci.d/*.sh; do
  [ -e "$step" ] || continue
  echo "== $(basename "$step")"
  bash "$step"
done
