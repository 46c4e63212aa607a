#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build, the tests and the
# program need and this machine lacks. Safe to run any number of times.
set -euo pipefail

paquetes=(
  cmake g++ make ninja-build
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-tools
  wine wine64
  xvfb xauth x11-utils openbox
  fonts-liberation
  imagemagick
)

faltan=()
for p in "${paquetes[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltan+=("$p")
done

if ((${#faltan[@]})); then
  echo "setup: installing ${faltan[*]}"
  sudo_=""
  [ "$(id -u)" -eq 0 ] || sudo_="sudo"
  $sudo_ apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_ apt-get install -y -qq --no-install-recommends "${faltan[@]}" >/dev/null
fi
