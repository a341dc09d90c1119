#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the game need, only
# those that are missing. As root it uses apt-get; otherwise sudo if present;
# otherwise it prints the one command to run and stops.
# `install-deps.sh web` installs only what the browser edition's build needs
# (no Qt).
set -euo pipefail

# The browser edition: clang for wasm32-wasi with its libc++, the font
# subsetter, and the browsers and Node its tests drive.
web_packages=(
  make cmake ninja-build clang-22 lld-22 libc++-22-dev-wasm32 libc++abi-22-dev-wasm32 libclang-rt-22-dev-wasm32
  wasi-libc binaryen fonttools python3-fonttools python3-brotli fonts-ipafont-gothic
)
web_test_packages=(chromium firefox-esr webkit2gtk-driver nodejs)
# Node from another source may bring its own npm, which Debian's would conflict with.
command -v npm >/dev/null 2>&1 || web_test_packages+=(npm)

if [ "${1:-}" = "web" ]; then
  packages=("${web_packages[@]}")
else
  packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev libgtest-dev libbenchmark-dev
    xvfb xauth xdotool xclip imagemagick python3 python3-xlib
    fonts-ipafont-gothic dpkg-dev file
    libcanberra-dev libcanberra0 libcanberra-pulse pulseaudio pulseaudio-utils
    appstream desktop-file-utils python3-debian lintian
    qt6-wayland weston at-spi2-core dbus dbus-daemon python3-pyatspi gir1.2-atspi-2.0
    "${web_packages[@]}" "${web_test_packages[@]}"
  )
fi

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
