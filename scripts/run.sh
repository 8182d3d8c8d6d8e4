#!/usr/bin/env bash
# Sets up the machine, builds, creates the demo database on first use and runs
# QVXServer on it, then the client against it.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
"$here/scripts/build.sh"
build="${QUVEX_BUILD_DIR:-$here/build}"
home="${QUVEX_HOME:-$here/run}"
mkdir -p "$home"
db="$home/qvx-demo.sqlite"
[ -f "$db" ] || "$build/apps/server/QVXServer" --db "$db" --init-demo
exec "$build/apps/server/QVXServer" --db "$db"
