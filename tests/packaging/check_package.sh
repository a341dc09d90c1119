#!/usr/bin/env bash
# Builds the Debian package from the build tree given and checks what a teacher installs: the files, the
# relations, a licence for every file, and each icon at its size on a see-through ground, crisp: no colours but
# the drawing's six and see-through, as a resampled, blurred picture would have.
set -euo pipefail
build=$1 out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack -G DEB -B "$out" --config "$build/CPackConfig.cmake" >"$out/cpack.log" || { cat "$out/cpack.log"; exit 1; }
deb=$(ls "$out"/noboria_*.deb)
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' | sort >"$out/files"
sizes="16 22 24 32 48 64 128 256"
want="/usr/bin/noboria /usr/share/applications/org.example.Noboria.desktop /usr/share/doc/noboria/copyright
  /usr/share/doc/noboria/changelog.gz /usr/share/man/man6/noboria.6.gz /usr/share/metainfo/org.example.Noboria.metainfo.xml
  $(for n in $sizes; do echo /usr/share/icons/hicolor/${n}x$n/apps/noboria.png; done)"
for f in $want; do grep -qx "$f" "$out/files" || { echo "missing from the package: $f"; exit 1; }; done
lintian --fail-on error,warning "$deb" 2>/dev/null || { lintian "$deb"; exit 1; }  # Debian's own checks
dpkg-deb -f "$deb" Recommends | grep -qw qt6-wayland || { echo "does not recommend qt6-wayland"; exit 1; }
dpkg-deb -f "$deb" Depends | grep -qw fonts-ipafont-gothic || { echo "does not depend on the font"; exit 1; }
dpkg-deb -x "$deb" "$out/root"
/usr/bin/python3 - "$out/root" "$out/files" <<'PY'
import sys, debian.copyright as dc
root, files = sys.argv[1:]
c = dc.Copyright(open(f"{root}/usr/share/doc/noboria/copyright"), strict=True)
for f in (l.strip().lstrip("/") for l in open(files) if not l.strip().endswith("/")):
    assert c.find_files_paragraph(f).license.synopsis in ("MIT", "CC0-1.0"), f
named = {p.license.synopsis for p in c.all_license_paragraphs()}
assert {"LGPL-3", "LGPL-2.1+", "IPA-1"} <= named, named
PY
for n in $sizes; do
  got=$(/usr/bin/convert "$out/root/usr/share/icons/hicolor/${n}x$n/apps/noboria.png" -format '%wx%h %[fx:p{0,0}.a] %k' info:)
  [ "${got% *}" = "${n}x$n 0" ] && [ "${got##* }" -le 7 ] || { echo "the ${n}x$n icon is $got (size, corner alpha, colours)"; exit 1; }
done
echo "package ok: $(wc -l <"$out/files") entries"
