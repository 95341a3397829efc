#!/usr/bin/env bash
# Browser checks of the WebAssembly build (build-web/, made by `make web`, or
# the folder given, such as the unpacked web zip): installs emscripten,
# Chromium and node when missing, the pinned npm packages of tests/web when
# missing or changed, and runs tests/web/web_test.mjs against Debian's Chromium
# with a fresh profile that is removed afterwards.
#
# Usage: scripts/test-web.sh [DIR]
set -euo pipefail
given=${1:-}
[ -z "$given" ] || given=$(cd "$given" && pwd)
cd "$(dirname "$0")/.."
site=${given:-$PWD/build-web}

scripts/install-deps.sh web
if ! grep -qs 'id="velqor-wasm"' "$site/index.html" || [ ! -f "$site/player.js" ]; then
  echo "test-web: no index.html with the program inside and player.js in $site; run make web first" >&2
  exit 1
fi

# Never let a tool fetch a browser of its own: the checks use /usr/bin/chromium.
export PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1
# npm ci again whenever the lockfile differs from the one last installed.
stamp=tests/web/node_modules/.velqor-package-lock.json
if ! cmp -s tests/web/package-lock.json "$stamp"; then
  (cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
  cp tests/web/package-lock.json "$stamp"
fi

profile=$(mktemp -d "${TMPDIR:-/tmp}/velqor-web-profile.XXXXXX")
trap 'rm -rf "$profile"' EXIT
VELQOR_WEB_PROFILE=$profile VELQOR_WEB_DIR=$site node tests/web/web_test.mjs
