#!/usr/bin/env bash
# Sets up the machine, builds, creates the demo database on first use, starts
# QVXServer (application server and relay) on it in the background and runs
# the client against it. The server stops when the client ends.
#   QVX_PORT        application server port (default 50211)
#   QVX_RELAY_PORT  relay port (default 20001)
#   QUVEX_HOME      program folder of the client and home of the demo database (default run/)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
build="${QUVEX_BUILD_DIR:-$here/build}"
# Only the two programs this starts (and what they link); a second run with
# nothing changed builds and links nothing.
[ -f "$build/build.ninja" ] || cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target QVXServer QUVEX_CLIENT
home="${QUVEX_HOME:-$here/run}"
port="${QVX_PORT:-50211}"
relay="${QVX_RELAY_PORT:-20001}"
mkdir -p "$home"
db="$home/qvx-demo.sqlite"
server_bin="$build/apps/server/QVXServer"
[ -f "$db" ] || "$server_bin" --db "$db" --init-demo

server_args=(--db "$db" --port "$port")
if "$server_bin" --help 2>/dev/null | grep -q -- '--relay-port'; then
  server_args+=(--relay-port "$relay")
fi
"$server_bin" "${server_args[@]}" >"$home/qvxserver.log" 2>&1 &
server_pid=$!
trap 'kill "$server_pid" 2>/dev/null || true' EXIT

# Wait until the application server takes connections.
for _ in $(seq 1 100); do
  if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then break; fi
  if ! kill -0 "$server_pid" 2>/dev/null; then
    echo "run: QVXServer did not start:" >&2; cat "$home/qvxserver.log" >&2; exit 1
  fi
  sleep 0.1
done

# The client's settings: the local server, general transfers, both transfer kinds.
if [ ! -f "$home/config.ini" ]; then
  printf '[Network]\r\nIP Address=127.0.0.1:%s\r\nRecvPort=%s\r\n[INIT]\r\nPROGRAM_FLAG=1\r\nKIND=0\r\n[ICHE]\r\nSUNAB=1\r\nJIGUB=1\r\n[DISPLAY]\r\nMAX=0\r\n[FILESAVE]\r\nFILESAVE_FLAG=1\r\n' \
    "$port" "$relay" >"$home/config.ini"
fi

echo "run: demo users MAKER/1111 (maker), APPR1/2222, APPR2/3333 (approvers), ADMIN/9999, JURU/4444 (liquor-trade)"
"$build/apps/client/QUVEX_CLIENT" --home "$home"
