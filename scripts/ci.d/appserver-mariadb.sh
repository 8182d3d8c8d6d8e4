#!/usr/bin/env bash
# Runs the application server's MariaDB tests against a private MariaDB server
# (started here in a temporary folder, configured as a deployment:
# lower_case_table_names=1, NO_BACKSLASH_ESCAPES). Skipped when no MariaDB
# server program is installed or the tests are not built.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
build="${QUVEX_BUILD_DIR:-$here/build}"
tests="$build/tests/backend/tests_backend"
mariadbd=$(command -v mariadbd || command -v mysqld || ls /usr/sbin/mariadbd 2>/dev/null || true)
if [ -z "$mariadbd" ] || ! command -v mariadb-install-db >/dev/null || [ ! -x "$tests" ]; then
  echo "appserver-mariadb: no MariaDB server or no tests built, skipped"
  exit 0
fi
work=$(mktemp -d)
pid=""
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
mariadb-install-db --no-defaults --datadir="$work/data" --auth-root-authentication-method=normal >"$work/install.log" 2>&1
user_opt=()
[ "$(id -u)" = 0 ] && user_opt=(--user=root)
"$mariadbd" --no-defaults "${user_opt[@]}" --datadir="$work/data" --socket="$work/sock" --skip-networking \
  --lower-case-table-names=1 --sql-mode=NO_BACKSLASH_ESCAPES,STRICT_TRANS_TABLES \
  --character-set-server=utf8mb4 --collation-server=utf8mb4_general_ci >"$work/server.log" 2>&1 &
pid=$!
for _ in $(seq 1 60); do
  mariadb --no-defaults -S "$work/sock" -u root -e "select 1" >/dev/null 2>&1 && break
  sleep 0.5
done
mariadb --no-defaults -S "$work/sock" -u root -e "create database quvex character set utf8mb4"
QT_QPA_PLATFORM=offscreen QVX_TEST_MARIADB="socket=$work/sock;user=root;database=quvex" \
  timeout 300 "$tests" --gtest_filter='MariaDb*:SqlScript*'
