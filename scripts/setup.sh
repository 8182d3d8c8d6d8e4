#!/usr/bin/env bash
# Installs from Debian's packages whatever of the build and test needs is missing,
# and maps the forms' Korean font names onto the installed Nanum fonts.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

packages=(
  cmake ninja-build g++ pkg-config clang
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libgl-dev
  libsqlite3-dev libjpeg62-turbo-dev libxlsxwriter-dev libfreexl-dev libminizip-dev libmariadb-dev
  fonts-nanum fonts-nanum-coding fontconfig
  qt6-translations-l10n   # Qt's own dialogs (file, print, calendar) in Korean
  libgtest-dev libbenchmark-dev
  libgif-dev   # the picture tests' oracle and benchmark comparison; the client never links it
  xvfb xauth
  poppler-utils   # pdftotext: the report test reads the printed PDF's text back
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

# Font aliases for the current user (root included).
confdir="${XDG_CONFIG_HOME:-$HOME/.config}/fontconfig/conf.d"
mkdir -p "$confdir"
if ! cmp -s "$here/platform/fonts/90-quvex-gulimche.conf" "$confdir/90-quvex-gulimche.conf"; then
  cp "$here/platform/fonts/90-quvex-gulimche.conf" "$confdir/"
  fc-cache -f >/dev/null 2>&1 || true
fi
