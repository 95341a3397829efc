#!/usr/bin/env bash
# Checks what `make install` and `make package` give (make test-packaging runs
# `make package` first):
#   - make install DESTDIR=... puts exactly the expected files in place, under
#     the default PREFIX and under another; the desktop entry and the AppStream
#     data validate; the manual pages render without warnings; the installed
#     velqor opens its window under Xvfb and velqor-record shows the version;
#     make uninstall leaves no file behind;
#   - the .deb: its control data (dependencies as dpkg-shlibdeps finds them,
#     section, maintainer, version) and exactly the expected files; the program
#     unpacked from it opens its window; lintian reports no error;
#   - the Windows zip: exactly its five files, the texts with CRLF line ends,
#     the exe's version resource, and the exe through the Wine smoke test;
#   - the web zip: exactly its files (the page, its scripts for a file and for
#     http with its WebAssembly, the CJK faces, manifest, icons and service
#     worker, the licences), and the page unpacked from it through the browser
#     checks in headless Chromium.
# Everything happens in a scratch folder that is removed afterwards.
set -euo pipefail
cd "$(dirname "$0")/.."

started=$(date +%s)
fail() {
  echo "test-packaging: FAILED: $*" >&2
  exit 1
}
step() { echo "test-packaging: $* ($(($(date +%s) - started)) s)"; }

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)
[ -n "$version" ] || fail "no project version in build/CMakeCache.txt; run make package first"
arch=$(dpkg --print-architecture)
deb=dist/velqor_${version}_${arch}.deb
winzip=dist/velqor-${version}-windows-x64.zip
webzip=dist/velqor-${version}-web.zip
for f in "$deb" "$winzip" "$webzip"; do
  [ -f "$f" ] || fail "$f is missing; run make package first"
done

scratch=$(mktemp -d /tmp/velqor-packaging.XXXXXX)
trap 'rm -rf "$scratch"' EXIT

# The files of an installation under PREFIX ($1), manual pages ending in $2.
installed_files() {
  local p=$1 man=$2 size
  printf '%s\n' "$p/bin/velqor" "$p/bin/velqor-record" \
    "$p/share/applications/org.velqor.Velqor.desktop" \
    "$p/share/metainfo/org.velqor.Velqor.metainfo.xml" \
    "$p/share/icons/hicolor/scalable/apps/org.velqor.Velqor.svg" \
    "$p/share/man/man1/velqor.1$man" "$p/share/man/man1/velqor-record.1$man" \
    "$p/share/doc/velqor/README.md" "$p/share/doc/velqor/LICENSE" \
    "$p/share/doc/velqor/THIRD-PARTY-NOTICES" "$p/share/doc/velqor/lesson.md"
  for size in 16 24 32 48 64 128 256; do
    echo "$p/share/icons/hicolor/${size}x${size}/apps/org.velqor.Velqor.png"
  done
}
# Every file and link under a folder, as absolute paths below it.
files_under() { (cd "$1" && find . \( -type f -o -type l \) | sed 's/^\.//' | LC_ALL=C sort); }
same_list() { # same_list WHAT EXPECTED ACTUAL
  diff <(LC_ALL=C sort <<<"$2") <(echo "$3") >"$scratch/diff" ||
    fail "$1: expected (<) and found (>) differ:"$'\n'"$(cat "$scratch/diff")"
}

# Starts a program in Xvfb and waits up to 30 s for its window; then ends it
# with SIGTERM (as a session ending would) and wants exit code 0.
opens_window() {
  local what=$1 exe=$2
  xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    "$1" & pid=$!
    for _ in $(seq 300); do
      xdotool search --name "^VELQOR: NEGATIVE FREQUENCY\$" >/dev/null 2>&1 && break
      kill -0 $pid 2>/dev/null || { echo "it ended before its window appeared" >&2; exit 1; }
      sleep 0.1
    done
    xdotool search --name "^VELQOR: NEGATIVE FREQUENCY\$" >/dev/null 2>&1 ||
      { kill $pid; echo "no window after 30 s" >&2; exit 1; }
    kill -TERM $pid
    wait $pid' _ "$exe" || fail "$what: $exe did not open its window and close cleanly"
  step "$what opens its window"
}

# The AppStream release and the recorder say the version the packages are named by.
checks_version() {
  local root=$1 prefix=$2
  grep -q "<release version=\"$version\"" "$root$prefix/share/metainfo/org.velqor.Velqor.metainfo.xml" ||
    fail "the AppStream data has no release $version"
  [ "$("$root$prefix/bin/velqor-record" --version | head -n 1)" = "velqor-record $version" ] ||
    fail "velqor-record --version does not say $version"
}

# --- make install and make uninstall -----------------------------------------
# The default PREFIX last, so that build/ is left with it.
for prefix in /opt/velqor /usr/local; do
  dest=$scratch/install$(tr / - <<<"$prefix")
  make --no-print-directory install PREFIX="$prefix" DESTDIR="$dest" >"$scratch/install.log" 2>&1 ||
    fail "make install PREFIX=$prefix: $(tail -n 5 "$scratch/install.log")"
  same_list "make install PREFIX=$prefix" "$(installed_files "$prefix" "")" "$(files_under "$dest")"
  step "make install PREFIX=$prefix DESTDIR=... wrote exactly the expected files"

  if [ "$prefix" = /usr/local ]; then
    desktop-file-validate --no-hints "$dest$prefix/share/applications/org.velqor.Velqor.desktop" ||
      fail "desktop-file-validate"
    appstreamcli validate --no-net "$dest$prefix/share/metainfo/org.velqor.Velqor.metainfo.xml" \
      >"$scratch/appstream.log" 2>&1 || fail "appstreamcli validate: $(cat "$scratch/appstream.log")"
    for page in velqor velqor-record; do
      warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z \
        "$dest$prefix/share/man/man1/$page.1" 2>&1 >/dev/null)
      [ -z "$warnings" ] || fail "$page.1 renders with warnings: $warnings"
    done
    # The recorder's page comes from its --help: every option is in it.
    for option in $("$dest$prefix/bin/velqor-record" --help | grep -o -- '--[a-z]\+' | sort -u); do
      man -l "$dest$prefix/share/man/man1/velqor-record.1" 2>/dev/null | grep -q -- "$option" ||
        fail "velqor-record.1 does not mention $option"
    done
    checks_version "$dest" "$prefix"
    step "desktop entry, AppStream data and manual pages valid"
    opens_window "the installed velqor" "$dest$prefix/bin/velqor"
  fi

  make --no-print-directory uninstall DESTDIR="$dest" >"$scratch/uninstall.log" 2>&1 ||
    fail "make uninstall: $(tail -n 5 "$scratch/uninstall.log")"
  left=$(files_under "$dest")
  [ -z "$left" ] || fail "make uninstall left: $left"
  [ ! -e "$dest$prefix/share/doc/velqor" ] || fail "make uninstall left share/doc/velqor"
  step "make uninstall removed every file"
done

# --- the .deb -----------------------------------------------------------------
dpkg-deb --info "$deb" >"$scratch/info"
field() { sed -n "s/^ $1: //p" "$scratch/info"; }
[ "$(field Package)" = velqor ] || fail ".deb: Package is not velqor"
[ "$(field Version)" = "$version" ] || fail ".deb: Version is not $version"
[ "$(field Section)" = education ] || fail ".deb: Section is not education"
[ "$(field Architecture)" = "$arch" ] || fail ".deb: Architecture is not $arch"
[ -n "$(field Maintainer)" ] || fail ".deb: no Maintainer"
[ -n "$(field Description)" ] || fail ".deb: no Description"
depends=$(field Depends)
# The packages named in Depends, alternatives included, one a line.
depends_on=$(tr ',|' '\n\n' <<<"$depends" | awk 'NF {print $1}')

dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's/^\.//' | LC_ALL=C sort >"$scratch/contents"
same_list ".deb contents" "$(installed_files /usr .gz; printf '%s\n' /usr/share/doc/velqor/copyright \
  /usr/share/doc/velqor/changelog.gz)" "$(cat "$scratch/contents")"

dpkg-deb -x "$deb" "$scratch/deb"
# Each library the programs need comes from a package the .deb depends on.
for exe in velqor velqor-record; do
  for soname in $(readelf -d "$scratch/deb/usr/bin/$exe" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
    owners=$(dpkg -S "*/$soname" 2>/dev/null | cut -d: -f1 | tr ',' '\n' | sed 's/ //g' | sort -u)
    [ -n "$owners" ] || fail "no installed package holds $soname, which $exe needs"
    found=""
    for owner in $owners; do
      grep -qxF "$owner" <<<"$depends_on" && found=$owner
    done
    [ -n "$found" ] || fail ".deb: $exe needs $soname (from $owners), but Depends is: $depends"
  done
done
step ".deb control data (Depends: $depends) and contents as expected"
checks_version "$scratch/deb" /usr
opens_window "velqor from the .deb" "$scratch/deb/usr/bin/velqor"

lintian --fail-on error "$deb" >"$scratch/lintian" 2>&1 || true
grep -v '^running with root privileges' "$scratch/lintian" | sed 's/^/  lintian: /' || true
! grep -q '^E:' "$scratch/lintian" || fail "lintian reports errors"
step "lintian: no errors ($(grep -c '^W:' "$scratch/lintian" || true) warnings)"

# --- the Windows zip ------------------------------------------------------------
same_list "Windows zip" "$(printf '%s\n' /LESSON.txt /LICENSE.txt /README.txt /THIRD-PARTY-NOTICES.txt \
  /velqor.exe)" \
  "$(unzip -Z1 "$winzip" | sed 's|^|/|' | LC_ALL=C sort)"
unzip -q "$winzip" -d "$scratch/windows"
for text in README LICENSE THIRD-PARTY-NOTICES LESSON; do
  f=$scratch/windows/$text.txt
  lines=$(wc -l <"$f")
  [ "$lines" -gt 10 ] && [ "$(grep -c $'\r$' "$f")" -eq "$lines" ] || fail "$text.txt: not every line ends in CRLF"
done
tr -d '\r' <"$scratch/windows/LICENSE.txt" | cmp -s - LICENSE || fail "LICENSE.txt is not LICENSE"
tr -d '\r' <"$scratch/windows/THIRD-PARTY-NOTICES.txt" | cmp -s - THIRD-PARTY-NOTICES ||
  fail "THIRD-PARTY-NOTICES.txt is not THIRD-PARTY-NOTICES"
strings -el "$scratch/windows/velqor.exe" | grep -A1 -x ProductVersion | grep -qx "$version" ||
  fail "velqor.exe's version resource does not say $version"
tr -d '\r' <"$scratch/windows/LESSON.txt" | cmp -s - docs/lesson.md ||
  fail "LESSON.txt is not docs/lesson.md"
step "Windows zip: five files, CRLF texts, version $version in the exe"
scripts/smoke-windows.sh "$scratch/windows/velqor.exe" >"$scratch/smoke.log" 2>&1 ||
  fail "the Wine smoke test of the zip's velqor.exe:"$'\n'"$(tail -n 20 "$scratch/smoke.log")"
step "the zip's velqor.exe passes the Wine smoke test"

# --- the web zip --------------------------------------------------------------
same_list "web zip" "$(printf '%s\n' /LESSON.txt /LICENSE.txt /THIRD-PARTY-NOTICES.txt /index.html \
  /player.js /manifest.webmanifest /sw.js /icon.svg /icon-192.png /icon-512.png /fonts/ \
  /fonts/NotoSansCJK-Bold-sc.js /fonts/NotoSansCJK-Bold-jp.js /fonts/NotoSansCJK-Bold-kr.js \
  /texts/ $(ls po/*.po | sed 's|po/\(.*\)\.po|/texts/\1.js|'))" \
  "$(unzip -Z1 "$webzip" | sed 's|^|/|' | LC_ALL=C sort)"
unzip -q "$webzip" -d "$scratch/web"
scripts/test-web.sh "$scratch/web" >"$scratch/web.log" 2>&1 ||
  fail "the browser checks of the unpacked web zip:"$'\n'"$(tail -n 30 "$scratch/web.log")"
step "the unpacked web zip passes the browser checks ($(grep -o 'web: .*' "$scratch/web.log" | tail -n 1))"

ls -l "$deb" "$winzip" "$webzip" | awk '{printf "test-packaging: %s %d bytes\n", $9, $5}'
echo "test-packaging: passed in $(($(date +%s) - started)) s"
