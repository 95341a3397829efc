#!/usr/bin/env bash
# Installs the Debian packages that a make target needs, when any is missing.
# Usage: scripts/install-deps.sh run|test|windows|web|record|fuzz|install|package
set -euo pipefail

want=(cmake make g++ pkg-config libsdl2-dev libstb-dev fonts-dejavu-core fonts-noto-cjk
      python3-fonttools)
clang_runtime=false # the sanitizers and libFuzzer of the installed clang
for part in "$@"; do
  case "$part" in
  run) ;;
  test) want+=(libgtest-dev libgmock-dev libbenchmark-dev clang libgif-dev libpng-dev libavcodec-dev libavformat-dev libavutil-dev imagemagick xvfb xdotool libx11-dev libxtst-dev gettext)
    clang_runtime=true ;;
  windows) want+=(g++-mingw-w64-x86-64-posix googletest wine wine64 xvfb xdotool imagemagick librsvg2-bin) ;;
  web) want+=(emscripten chromium nodejs librsvg2-bin) ;;
  record) want+=(libgif-dev libpng-dev libavcodec-dev libavformat-dev libavutil-dev) ;;
  fuzz) want+=(clang); clang_runtime=true ;;
  install) want+=(libgif-dev libpng-dev libavcodec-dev libavformat-dev libavutil-dev librsvg2-bin help2man) ;;
  package) want+=(libgif-dev libpng-dev libavcodec-dev libavformat-dev libavutil-dev librsvg2-bin help2man dpkg-dev file lintian desktop-file-utils appstream xvfb xdotool unzip) ;;
  *) echo "install-deps: unknown part '$part'" >&2; exit 2 ;;
  esac
done

# Installs those of the given packages that are missing.
install_missing() {
  local missing=() p
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      # nodejs may come from elsewhere (NodeSource); a working node is enough.
      if [ "$p" = nodejs ] && command -v node >/dev/null && command -v npm >/dev/null; then continue; fi
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0

  local line="apt-get install -y ${missing[*]}" sudo
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
}

install_missing "${want[@]}"

# The runtime goes with the clang that `clang` runs (installed just above):
# libclang-rt-14-dev on Debian 12, libclang-rt-18-dev on Ubuntu 24.04.
if $clang_runtime; then
  major=$(clang -dumpversion | cut -d. -f1)
  install_missing "libclang-rt-$major-dev"
fi
