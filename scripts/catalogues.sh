#!/usr/bin/env bash
# The translations' files, kept in step with the texts the program shows.
#
#   scripts/catalogues.sh pot     po/velqor.pot from the marked texts, and each
#                                 po/*.po merged with it (make pot)
#   scripts/catalogues.sh check   the template is current, and every catalogue
#                                 is well formed and translates every text
set -euo pipefail
cd "$(dirname "$0")/.."

# The files whose texts are marked N_(...) for the catalogues: the program's,
# and the web page's own.
sources=(scenes/messages.h web/page_texts.cpp)
version=$(sed -n 's/^project(velqor VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

template() {
  xgettext --language=C++ --keyword=N_ --add-comments=TRANSLATORS: --add-location=file \
    --from-code=UTF-8 --package-name=velqor --package-version="$version" \
    --msgid-bugs-address=https://velqor.org/ -o "$1" "${sources[@]}"
}

# A template without its date, which changes at every run.
undated() { grep -v '^"POT-Creation-Date:' "$1"; }

case "${1:-}" in
pot)
  template po/velqor.pot
  for po in po/*.po; do
    msgmerge --quiet --update --backup=none --no-fuzzy-matching --add-location=file "$po" po/velqor.pot
  done
  echo "po/velqor.pot: $(grep -c '^msgid ' po/velqor.pot) entries (the header among them)"
  ;;
check)
  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"' EXIT
  template "$scratch/velqor.pot"
  if ! diff <(undated po/velqor.pot) <(undated "$scratch/velqor.pot") >"$scratch/diff"; then
    cat "$scratch/diff"
    echo "FAIL: po/velqor.pot is not the texts' template: run make pot" >&2
    exit 1
  fi
  failed=0
  for po in po/*.po; do
    # msgcmp: every text of the template is in the catalogue; msgfmt: the
    # file is well formed and none of its texts is untranslated or fuzzy.
    if ! msgcmp "$po" po/velqor.pot; then
      echo "FAIL: $po lacks texts of the template" >&2
      failed=1
    fi
    statistics=$(msgfmt --check --statistics -o /dev/null "$po" 2>&1) || {
      echo "$statistics"
      echo "FAIL: $po does not compile" >&2
      failed=1
      continue
    }
    case "$statistics" in
    *untranslated* | *fuzzy*)
      echo "FAIL: $po: $statistics" >&2
      failed=1
      ;;
    esac
  done
  [ "$failed" = 0 ] || exit 1
  echo "catalogues: the template is current; $(ls po/*.po | wc -l) catalogues, each complete"
  ;;
*)
  sed -n '2,7p' "$0" >&2
  exit 2
  ;;
esac
