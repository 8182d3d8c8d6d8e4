#!/usr/bin/env bash
# Everything that needs MariaDB, against ONE private server started here in a
# temporary folder (configured as a deployment: lower_case_table_names=1,
# NO_BACKSLASH_ESCAPES; durability relaxed, it is thrown away afterwards):
#  1. backend/schema.sql and backend/demo.sql load, and a few of the screens'
#     joined selects answer as they should;
#  2. the server's test suites on MariaDB (the .../MariaDB variants and the
#     MariaDb* tests of tests_backend; each test makes a database of its own);
#  3. the inspection tool's .../MariaDB variants (tests_tool).
# Skipped with a message when no MariaDB server is installed (.ci/run installs
# one). Bounded in time.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
build="${QUVEX_BUILD_DIR:-$here/build}"
tests="$build/tests/backend/tests_backend"
mariadbd=$(command -v mariadbd || command -v mysqld || ls /usr/sbin/mariadbd 2>/dev/null || true)
if [ -z "$mariadbd" ] || ! command -v mariadb-install-db >/dev/null || ! command -v mariadb >/dev/null; then
  echo "mariadb: no MariaDB server installed (package mariadb-server), MariaDB checks skipped"
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
  --character-set-server=utf8mb4 --collation-server=utf8mb4_general_ci \
  --innodb-flush-log-at-trx-commit=0 --innodb-doublewrite=0 --innodb-file-per-table=0 \
  --innodb-flush-method=nosync --max-connections=500 >"$work/server.log" 2>&1 &
pid=$!
sql() { mariadb --no-defaults -S "$work/sock" -u root --batch --skip-column-names "$@"; }
for _ in $(seq 1 120); do
  sql -e "select 1" >/dev/null 2>&1 && break
  sleep 0.5
done
if ! sql -e "select 1" >/dev/null 2>&1; then
  echo "mariadb: the private MariaDB server did not start"
  cat "$work/server.log"
  exit 1
fi
sql -e "create database quvex character set utf8mb4"

# 1. The schema and the demo rows, read back as the screens read them.
sql quvex < "$here/backend/schema.sql"
sql quvex < "$here/backend/demo.sql"
fail=0
check() { # check <expected> <sql>
  local got
  got=$(sql quvex -e "$2" | tr '\t\n' '  ' | sed 's/ $//')
  if [ "$got" != "$1" ]; then echo "mariadb: expected [$1] got [$got] for: $2"; fail=1; fi
}
check 37 "select count(*) from information_schema.tables where table_schema = 'quvex'"
check "MAKER 0 작성자" "select users.userid, users.authorcode, authority.authorcontents from users, authority where users.authorcode = authority.authorcode and users.pwd = '1111' and users.userid = 'MAKER'"
check 2 "select count(*) from users where authorcode in (1, 2)"
check "IBK0300" "select RECVID from BANK where BankId = '03'"
sql quvex -e "insert into giche(SendDate,SendTime,Service,SeqNo,SendID,RecvID,FirmID,BankID,USERID,CFMID,SendFlag,MoBankNo,PassWd,Boki,Gubun,Price,Sign,Remain,TRANS_BankID,BankNo,Fee,CmsCode,Name,TaProcNo,TaErrFee,TaErrPrice,TaErrMoney,Dummy,sr_flag,up_gubuncode,COMMON_DUMMY) values('20260415','101500','DY1',501,'QVX0000001','IBK0300','HB0301','03','MAKER','APPR2','1','12301234567890','','','30','0000000150000','','','20','1002345678901','','','홍길동','','','','','','4','0101100','')"
sql quvex -e "update giche set errcode = '0012' where seqno = 501"
check "기업은행 우리은행 해지된 계좌" "SELECT bank.BANKNAME AS MOBANKNAME, allbank.BANKNAME AS TRANSBANKNAME, if(giche.errcode = error.errcode, error.errcontents, giche.errcode) as errcontents from allbank, bank, giche left join error on giche.BANKID = error.BANKID AND giche.ERRCODE = error.ERRCODE WHERE giche.BANKID = bank.BANKID and giche.mobankno = bank.mobankno AND giche.TRANS_BANKID = allbank.BANKID and giche.seqno >= 501 and giche.seqno <= 501"
check "홍길동 010-1234-5678" "select name, concat(TelNo_1 ,\"-\", TelNo_2 ,\"-\", TelNo_3) as PhoneNo from daesang where name = '홍길동'"
[ "$fail" = 0 ] && echo "mariadb: schema and demo data load and answer on MariaDB"

# 2. The server's suites on MariaDB.
if [ ! -x "$tests" ]; then
  echo "mariadb: $tests not built, the server's MariaDB tests skipped"
  exit "$fail"
fi
QT_QPA_PLATFORM=offscreen QVX_TEST_MARIADB="socket=$work/sock;user=root;database=quvex" \
  timeout 300 "$tests" --gtest_filter='*/MariaDB:MariaDb*:SqlScript*' --gtest_brief=1 || fail=1
tool_tests="$build/tests/tool/tests_tool"
if [ -x "$tool_tests" ]; then
  QT_QPA_PLATFORM=offscreen QVX_TEST_MARIADB="socket=$work/sock;user=root;database=quvex" \
    timeout 300 "$tool_tests" --gtest_filter='*/MariaDB' --gtest_brief=1 || fail=1
else
  echo "mariadb: $tool_tests not built, the inspection tool's MariaDB tests skipped"
fi
left=$(sql -e "select count(*) from information_schema.schemata where schema_name like 'qvxtest%'")
[ "$left" = 0 ] || echo "mariadb: note: $left test databases were left behind"
exit "$fail"
