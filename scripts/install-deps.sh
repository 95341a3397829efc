#!/usr/bin/env bash
# Installs the Debian packages that a make target needs, when any is missing.
# Usage: scripts/install-deps.sh run|test|windows|web|record|fuzz|install|package
set -euo pipefail

want=(cmake make g++ pkg-config libsdl2-dev libstb-dev fonts-dejavu-core python3-fonttools)
for part in "$@"; do
  case "$part" in
  run) ;;
  test) want+=(libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev libgif-dev libpng-dev imagemagick xvfb xdotool) ;;
  windows) want+=(g++-mingw-w64-x86-64-posix googletest wine wine64 xvfb xdotool imagemagick librsvg2-bin) ;;
  web) want+=(emscripten chromium nodejs) ;;
  record) want+=(libgif-dev libpng-dev) ;;
  fuzz) want+=(clang libclang-rt-14-dev) ;;
  install) want+=(libgif-dev libpng-dev librsvg2-bin help2man) ;;
  package) want+=(libgif-dev libpng-dev librsvg2-bin help2man dpkg-dev file lintian desktop-file-utils appstream xvfb xdotool unzip) ;;
  *) echo "install-deps: unknown part '$part'" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${want[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    # nodejs may come from elsewhere (NodeSource); a working node is enough.
    if [ "$p" = nodejs ] && command -v node >/dev/null && command -v npm >/dev/null; then continue; fi
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

line="apt-get install -y ${missing[*]}"
if [ "$(id -u)" = 0 ]; then
  sudo=""
elif command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
  sudo="sudo"
else
  echo "Missing packages: ${missing[*]}" >&2
  echo "Install them with:  sudo apt-get update && sudo $line" >&2
  exit 1
fi
echo "Installing: ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${missing[@]}" >/dev/null
