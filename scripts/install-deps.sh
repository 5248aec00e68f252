#!/usr/bin/env bash
# Installs the Debian packages that yzo needs to build, test and run, when missing.
set -euo pipefail
packages=(
  build-essential cmake pkg-config clang clang-format clang-tidy
  libgtest-dev libbenchmark-dev
  libwxgtk3.2-dev libgtk-3-dev libspeechd-dev
  xvfb xauth xdotool dbus dbus-x11 at-spi2-core python3 python3-pyatspi orca
  dpkg-dev appstream desktop-file-utils shared-mime-info libglib2.0-bin
  poppler-utils gcovr hledger
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
