#!/usr/bin/env bash
# Builds the Debian package from a configured and built folder (default: build), checks what it
# holds and declares, unpacks it into a scratch folder and runs the unpacked tools there: the
# command-line key must find the unpacked demo flora by itself, as it does once installed.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

fail() {
  echo "check-package: $*" >&2
  exit 1
}

rm -f "$build"/kestrane_*.deb
log="$build/check-package.log"
(cd "$build" && cpack -G DEB) >"$log" 2>&1 || { cat "$log" >&2; fail "cpack failed"; }
debs=("$build"/kestrane_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single kestrane_*.deb in $build"
deb=${debs[0]}
echo "check-package: $deb"

# What it holds.
contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for path in \
  ./usr/bin/kestrane ./usr/bin/kestrane-cli ./usr/bin/kestrane-kb ./usr/bin/kestrane-wmf \
  ./usr/share/kestrane/flora/kestrane.ini ./usr/share/kestrane/flora/data/kestrane.sqlite \
  ./usr/share/kestrane/flora/help/guide.html \
  ./usr/share/applications/kestrane.desktop ./usr/share/icons/hicolor/scalable/apps/kestrane.svg \
  ./usr/share/mime/packages/kestrane.xml ./usr/share/metainfo/org.kestrane.Kestrane.metainfo.xml \
  ./usr/share/man/man1/kestrane.1.gz ./usr/share/man/man1/kestrane-cli.1.gz \
  ./usr/share/man/man1/kestrane-kb.1.gz ./usr/share/man/man1/kestrane-wmf.1.gz; do
  grep -qxF "$path" <<<"$contents" || fail "$path is missing from the package"
done
# Nothing outside /usr, and none of the build's own files.
if grep -v '^\./usr/' <<<"$contents" | grep -vxq '\./'; then fail "files outside /usr"; fi
if grep -Eq '/(tests?|bench)/|\.(a|o|cmake)$' <<<"$contents"; then fail "build files in the package"; fi

# What it declares: the libraries found by dpkg-shlibdeps and what is loaded at run time.
depends=$(dpkg-deb -f "$deb" Depends)
for need in libc6 libqt6core6 libqt6webenginecore6 libsqlite3-0 qt6-translations-l10n \
  libqt6webenginecore6-bin libqt6webengine6-data libqt6svg6 libqt6gui6; do
  grep -Eq "(^|, )$need( |,|$)" <<<"$depends" || fail "Depends lacks $need: $depends"
done
[ "$(dpkg-deb -f "$deb" Package)" = kestrane ] || fail "the package is not named kestrane"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
dpkg-deb -x "$deb" "$scratch"

# Stripped binaries: no debugging sections left.
for program in kestrane kestrane-cli kestrane-kb kestrane-wmf; do
  if readelf -S "$scratch/usr/bin/$program" | grep -q '\.debug_'; then fail "$program is not stripped"; fi
  "$scratch/usr/bin/$program" --version | grep -qx "$program $(dpkg-deb -f "$deb" Version | cut -d- -f1)" ||
    fail "$program --version does not print the package's version"
  zcat "$scratch/usr/share/man/man1/$program.1.gz" | grep -q '^\.SH DESCRIPTION' || fail "$program.1 has no description"
done
zcat "$scratch/usr/share/man/man1/kestrane-cli.1.gz" | grep -q '^\.SS rank' || fail "kestrane-cli.1 lacks its commands"

# The unpacked key on the unpacked flora, with no settings named: it finds them beside itself.
rang=$(env -u KESTRANE_MACHINE_SETTINGS HOME="$scratch" "$scratch/usr/bin/kestrane-cli" rank \
  --answer Leaf_Type=LT_BROAD --answer Composition=LC_PINNATE) || fail "the unpacked kestrane-cli failed"
[ -n "$rang" ] || fail "the unpacked kestrane-cli ranked nothing"
env -u KESTRANE_MACHINE_SETTINGS HOME="$scratch" "$scratch/usr/bin/kestrane-cli" info >/dev/null ||
  fail "the unpacked kestrane-cli info failed"

# The web key's engine, when the build had one: the unpacked kestrane-kb finds it by itself.
if grep -qxF ./usr/share/kestrane/web/kestrane.wasm <<<"$contents"; then
  env -u KESTRANE_WEB_ENGINE QT_QPA_PLATFORM=offscreen "$scratch/usr/bin/kestrane-kb" export-web \
    "$scratch/usr/share/kestrane/flora" "$scratch/web" >"$scratch/web.log" 2>&1 ||
    { cat "$scratch/web.log" >&2; fail "the unpacked kestrane-kb export-web failed"; }
  for f in index.html page.js sw.js manifest.webmanifest kestrane.wasm base.kbc; do
    [ -f "$scratch/web/$f" ] || fail "the unpacked export-web wrote no $f"
  done
else
  echo "check-package: this build has no web key's engine; the package goes without it"
fi

appstreamcli validate --no-net "$scratch/usr/share/metainfo/org.kestrane.Kestrane.metainfo.xml"
desktop-file-validate "$scratch/usr/share/applications/kestrane.desktop"
echo "check-package: $(basename "$deb") holds and runs what it should"
