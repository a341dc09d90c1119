#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the game need, only
# those that are missing. As root it uses apt-get; otherwise sudo if present;
# otherwise it prints the one command to run and stops.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgtest-dev libbenchmark-dev
  xvfb xauth xdotool xclip imagemagick python3 python3-xlib
  fonts-ipafont-gothic dpkg-dev file
  libcanberra-dev libcanberra0 libcanberra-pulse pulseaudio pulseaudio-utils
  appstream desktop-file-utils python3-debian lintian
  qt6-wayland weston at-spi2-core dbus dbus-daemon python3-pyatspi gir1.2-atspi-2.0
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = "installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

line="apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  sudo=""
elif command -v sudo >/dev/null 2>&1; then
  sudo="sudo"
else
  echo "Some packages are missing. Run this as root, then try again:" >&2
  echo "  $line" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -q
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
