#!/usr/bin/env bash
# Builds the Debian package of the build folder with CPack and checks it: the
# control fields, exactly the expected files (the programs, the whole data
# folder, the desktop entry, its icon, the metainfo, the man pages, the
# copyright and changelog), stripped programs, and a valid desktop entry and
# metainfo.
# usage: package_test.sh BUILD_DIR DATA_DIR VERSION
set -euo pipefail
build=$1 data=$2 version=$3
. "$(dirname "$0")/support/script_test.sh" lumivane-package

(cd "$build" && cpack -G DEB -B "$tmp" >"$tmp/cpack.log" 2>&1) || { cat "$tmp/cpack.log"; exit 1; }
deb=$tmp/lumivane_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { echo "FAIL: no $deb"; ls "$tmp"; exit 1; }

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = lumivane ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Section)" = games ] || fail "Section: $(field Section)"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
for lib in libsdl2-2.0-0 libgtk-3-0 libvorbisfile3 libpng16-16 libavcodec59; do
  field Depends | grep -q "$lib" || fail "Depends lacks $lib: $(field Depends)"
done

app=org.vantelquorix.Lumivane
module="usr/$(sed -n 's/^LUMIVANE_MODULE_DIR:INTERNAL=//p' "$build/CMakeCache.txt")/lumivane-video.so"
{
  printf '%s\n' usr/games/lumivane usr/games/lumivane-render "$module" \
    usr/share/applications/$app.desktop usr/share/metainfo/$app.metainfo.xml \
    usr/share/icons/hicolor/256x256/apps/lumivane.png \
    usr/share/man/man6/lumivane.6.gz usr/share/man/man6/lumivane-render.6.gz \
    usr/share/doc/lumivane/copyright usr/share/doc/lumivane/changelog.gz
  (cd "$data" && find . -type f ! -name .generated | sed 's|^\./|usr/share/lumivane/data/|')
} | sort >"$tmp/expected"
dpkg-deb -c "$deb" | grep -v '^d' | sed 's|.* \./||' | sort >"$tmp/contents"
diff "$tmp/expected" "$tmp/contents" >"$tmp/diff" || fail "contents (< missing, > unexpected):
$(cat "$tmp/diff")"

dpkg-deb -x "$deb" "$tmp/root"
for program in usr/games/lumivane usr/games/lumivane-render "$module"; do
  readelf -S "$tmp/root/$program" | grep -qE '\.symtab|\.debug_' && fail "$program is not stripped"
done
desktop-file-validate "$tmp/root/usr/share/applications/$app.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$tmp/root/usr/share/metainfo/$app.metainfo.xml" >"$tmp/appstream" ||
  fail "metainfo: $(cat "$tmp/appstream")"
grep -q "release version=\"$version\"" "$tmp/root/usr/share/metainfo/$app.metainfo.xml" ||
  fail "the metainfo does not name release $version"

end_test "package $(basename "$deb")"
