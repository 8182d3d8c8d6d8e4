#!/usr/bin/env bash
# Writes the client's first config.ini into a program folder that has none:
# the local server's address and relay port, the display options, and every
# list screen's column section (so the screen settings list the columns).
#   first-config.sh HOME PORT RELAY_PORT
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
home=$1 port=$2 relay=$3
[ -f "$home/config.ini" ] && exit 0
mkdir -p "$home"
sed -e '/^;/d' -e "s/@PORT@/$port/" -e "s/@RELAY@/$relay/" -e 's/$/\r/' "$here/config.ini.in" \
  | iconv -f UTF-8 -t CP949 >"$home/config.ini.part"
mv "$home/config.ini.part" "$home/config.ini"
