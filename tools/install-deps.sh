#!/usr/bin/env bash
# Installs the Debian packages that a make command needs, only those missing,
# with at most one apt-get update.
# Usage: tools/install-deps.sh [--dry-run] [GROUP...]
#   run      build and run the desktop game (make run)
#   package  the same, and build its Debian package (make package)
#   web      build the browser edition, no Qt (make web)
#   test     everything the tests and benchmarks need, all of the above too
#            (make test, make bench; the default)
# As root it uses apt-get, otherwise sudo; without sudo it prints the one
# command to run and stops. Without apt it names the packages and stops.
# --dry-run only says what it would install. NOBORIA_SKIP_DEPS=1 skips it all
# (packages installed by other means).
# The page's compiler: NOBORIA_WASM_CLANG=clang++-NN, or else the newest
# clang 18 or later whose wasm32 libc++ Debian has installed or can install.
set -euo pipefail

dry_run=false
groups=()
for arg in "$@"; do
  case $arg in
    --dry-run) dry_run=true ;;
    run | package | web | test) groups+=("$arg") ;;
    *) echo "usage: $0 [--dry-run] [run|package|web|test]..." >&2; exit 2 ;;
  esac
done
[ ${#groups[@]} -gt 0 ] || groups=(test)
[ "${NOBORIA_SKIP_DEPS:-}" = 1 ] && exit 0
wants() { [[ " ${groups[*]} " == *" $1 "* ]] || [[ " ${groups[*]} " == *" test "* ]]; }

have_apt=false
command -v apt-get >/dev/null 2>&1 && command -v apt-cache >/dev/null 2>&1 &&
  command -v dpkg-query >/dev/null 2>&1 && have_apt=true

if [ "$(id -u)" -eq 0 ]; then
  sudo=""
elif command -v sudo >/dev/null 2>&1; then
  sudo="sudo"
else
  sudo="none"
fi
updated=false
update() {
  $dry_run && { echo "would run: apt-get update"; return; }
  $sudo apt-get update -q
  updated=true
}

# The newest NN >= 18 whose libc++-NN-dev-wasm32 is installed or installable.
newest_wasm_clang() {
  apt-cache policy 'libc++-*-dev-wasm32' 2>/dev/null | awk '
    /^[^ ]/ { split($1, part, "-"); nn = part[2] + 0 }
    /^ +Candidate:/ && $2 != "(none)" && nn >= 18 && nn > best { best = nn }
    END { if (best) print best }'
}

packages=()
if wants run || wants package; then
  packages+=(build-essential cmake ninja-build pkg-config qt6-base-dev
             libcanberra-dev libcanberra0 libcanberra-pulse fonts-ipafont-gothic)
fi
wants package && packages+=(dpkg-dev file)

if wants web; then
  if [ -n "${NOBORIA_WASM_CLANG:-}" ]; then
    nn=${NOBORIA_WASM_CLANG##*-}
    [[ $nn =~ ^[0-9]+$ ]] || { echo "NOBORIA_WASM_CLANG=$NOBORIA_WASM_CLANG: expected clang++-NN" >&2; exit 2; }
  elif $have_apt; then
    nn=$(newest_wasm_clang)
    if [ -z "$nn" ] && [ "$sudo" != none ]; then  # no package lists yet
      update
      nn=$(newest_wasm_clang)
    fi
    if [ -z "$nn" ] && $updated; then
      echo "No clang 18 or later with a wasm32 libc++ (libc++-NN-dev-wasm32) in the package sources." >&2
      exit 1
    fi
  fi
  nn=${nn:-22}  # where nothing can be asked: the one Debian 12 has
  packages+=(cmake ninja-build "clang-$nn" "lld-$nn" "libc++-$nn-dev-wasm32" "libc++abi-$nn-dev-wasm32"
             "libclang-rt-$nn-dev-wasm32" wasi-libc binaryen python3-fonttools python3-brotli fonts-ipafont-gothic)
fi

if wants test; then
  packages+=(
    libgtest-dev libbenchmark-dev
    xvfb xauth xdotool xclip imagemagick python3 python3-xlib
    pulseaudio pulseaudio-utils qt6-wayland weston
    appstream desktop-file-utils python3-debian lintian
    at-spi2-core dbus dbus-daemon python3-pyatspi gir1.2-atspi-2.0 orca speech-dispatcher openbox
    chromium firefox-esr webkit2gtk-driver nodejs
  )
  # Node from another source may bring its own npm, which Debian's would conflict with.
  command -v npm >/dev/null 2>&1 || packages+=(npm)
fi
mapfile -t packages < <(printf '%s\n' "${packages[@]}" | awk '!seen[$0]++')
$dry_run && echo "${groups[*]} needs: ${packages[*]}"

if ! $have_apt; then
  echo "This system has no apt-get or dpkg, so nothing was installed. For ${groups[*]}, these" >&2
  echo "Debian packages are needed (or your system's own of the same):" >&2
  echo "  ${packages[*]}" >&2
  wants web && echo "(clang-$nn: any clang 18 or later with its wasm32 libc++, named by make WASM_CLANG=clang++-NN)" >&2
  echo "Once they are there, run make again with NOBORIA_SKIP_DEPS=1." >&2
  exit 1
fi

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = "installed" ] || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  $dry_run && echo "nothing to install for: ${groups[*]}"
  exit 0
fi

if $dry_run; then
  echo "would install: ${missing[*]}"
  exit 0
fi
line="apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends ${missing[*]}"
if [ "$sudo" = none ]; then
  echo "Some packages are missing. Run this as root, then try again:" >&2
  echo "  $line" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
$updated || update
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
