#!/usr/bin/env bash
# The server's promise under crashes: the client's send flows (numbered
# requests, liquor, transfers released by an approver, the automatic send
# with colliding message numbers) against a real QVXServer that is killed
# (SIGKILL, now and then SIGTERM) at random moments and started again. Fails
# on a batch answered 1 and not processed whole, a batch processed half or
# answered twice, a batch dropped before registering that was processed, or a
# message number handed out twice. Bounded in time (CRASH_CYCLE_SECONDS, 150
# by default); the seed is printed and can be given back (CRASH_CYCLE_SEED).
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
build="${QUVEX_BUILD_DIR:-$here/build}"
driver="$build/tests/backend/crash_cycle/crash_cycle"
server="$build/apps/server/QVXServer"
if [ ! -x "$driver" ] || [ ! -x "$server" ]; then
  cmake --build "$build" --target crash_cycle QVXServer
fi
seed_opt=()
[ -n "${CRASH_CYCLE_SEED:-}" ] && seed_opt=(--seed "$CRASH_CYCLE_SEED")
QT_QPA_PLATFORM=offscreen timeout 600 "$driver" --server "$server" --seconds "${CRASH_CYCLE_SECONDS:-150}" "${seed_opt[@]}"
