#!/usr/bin/env bash
# Builds the Debian package from a build tree and checks it as a system would: what it holds,
# what it depends on, and that the desktop, software-centre and manual files are valid.
# Usage: deb_contents_test.sh BUILD_DIR
set -uo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    echo "FAIL: cpack could not make the package"
    exit 1
fi
deb=$(ls "$work"/strikon_*_*.deb 2>/dev/null)
[[ -f $deb ]] || { echo "FAIL: no strikon_<version>_<arch>.deb in $work"; exit 1; }

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for path in \
    ./usr/bin/strikon \
    ./usr/bin/strikon-render \
    ./usr/share/applications/example.velmora.Strikon.desktop \
    ./usr/share/metainfo/example.velmora.Strikon.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/strikon.svg \
    ./usr/share/icons/hicolor/16x16/apps/strikon.png \
    ./usr/share/icons/hicolor/48x48/apps/strikon.png \
    ./usr/share/icons/hicolor/256x256/apps/strikon.png \
    ./usr/share/man/man1/strikon.1.gz \
    ./usr/share/man/man1/strikon-render.1.gz \
    ./usr/share/bash-completion/completions/strikon-render \
    ./usr/share/doc/strikon/README.md \
    ./usr/share/doc/strikon/changelog.gz \
    ./usr/share/doc/strikon/copyright; do
    grep -qxF "$path" <<<"$contents" || fail "the package lacks $path"
done

depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6gui6 libqt6svg6 libqt6printsupport6 libjpeg62-turbo libzip4 libzint2.11 \
    fonts-liberation2; do
    grep -qE "(^|, )$library( |,|$)" <<<"$depends" || fail "Depends lacks $library: $depends"
done

root=$work/root
dpkg-deb -x "$deb" "$root"
desktop=$root/usr/share/applications/example.velmora.Strikon.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate refused the desktop entry"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[[ -f $root/usr/share/icons/hicolor/64x64/apps/$icon.png ]] ||
    fail "the desktop entry's icon \"$icon\" is not among the hicolor icons"
# Every PNG is a picture of its folder's size, not a copy of one size.
for png in "$root"/usr/share/icons/hicolor/*x*/apps/strikon.png; do
    size=$(basename "$(dirname "$(dirname "$png")")")
    read -r w h < <(od -An -j16 -N8 --endian=big -tu4 "$png")
    [[ ${w}x${h} == "$size" ]] || fail "$png is ${w}x${h}"
done
appstreamcli validate --no-net "$root/usr/share/metainfo/example.velmora.Strikon.metainfo.xml" \
    >"$work/appstream.log" 2>&1 || { cat "$work/appstream.log"; fail "appstreamcli refused the metainfo"; }

for page in "$root"/usr/share/man/man1/*.1.gz; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    [[ -z $warnings ]] || fail "$(basename "$page") formats with warnings: $warnings"
done

((failures == 0)) || exit 1
echo "the package $(basename "$deb") holds what it should"
