# The two commands of the README:
#   make run    builds build/velqor and starts it
#   make test   builds everything and runs every test
# Both install the Debian packages they need first.

# Each build directory is one of the presets of CMakePresets.json (native,
# sanitize, windows, web, fuzz); CMAKE_FLAGS adds to the native build's
# configuration. Where the environment says CI (CI=true), warnings are errors.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=

# The test parts, and everything else, run one after another even under
# make -j: each builds with $(JOBS) jobs of its own, and two of them at once
# would share build directories and a machine's cores.
.NOTPARALLEL:

.PHONY: run build test deps-run deps-test test-native test-sanitize bench clean

run: build
	./build/velqor

build: deps-run
	cmake --preset native $(CMAKE_FLAGS)
	cmake --build --preset native -j $(JOBS) --target velqor

deps-run:
	@scripts/install-deps.sh run

deps-test:
	@scripts/install-deps.sh test

# Every suite, in order; each is also a target of its own.
TEST_PARTS := test-native test-sanitize test-windows test-fuzz test-web test-packaging

test: $(TEST_PARTS)
	@echo "make test: all suites passed ($(TEST_PARTS))"

test-native: deps-test
	cmake --preset native $(CMAKE_FLAGS)
	cmake --build --preset native -j $(JOBS)
	ctest --preset native -j $(JOBS)

# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps-test
	cmake --preset sanitize
	cmake --build --preset sanitize -j $(JOBS)
	ctest --preset sanitize -j $(JOBS)

bench: deps-test
	cmake --preset native $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Release
	cmake --build --preset native -j $(JOBS)
	for b in build/bench/*_bench; do $$b; done

# The Windows build: build-windows/velqor.exe, cross-compiled with MinGW-w64.
.PHONY: windows test-windows
windows:
	@scripts/install-deps.sh windows
	cmake --preset windows
	cmake --build --preset windows -j $(JOBS) --target velqor

# The program's tests and a smoke test of velqor.exe on Wine's GDI, in Xvfb.
test-windows:
	JOBS=$(JOBS) scripts/test-windows.sh

# The translations' template (po/velqor.pot) from the texts marked N_ in the
# code, and every catalogue (po/*.po) merged with it.
.PHONY: pot
pot:
	scripts/catalogues.sh pot

# The browser build: build-web/index.html, the page with the program inside
# (its WebAssembly as base64), and player.js, its controls; the CJK faces
# (fonts/) and the page's texts in each language (texts/); made with Debian's
# emscripten (whose tools need Debian's node modules when node comes from
# elsewhere), with the web app manifest, the service worker and the icons that
# make the page installable and offline.
.PHONY: web test-web
WEB_ENV := NODE_PATH=/usr/share/nodejs$(if $(NODE_PATH),:$(NODE_PATH))
web:
	@scripts/install-deps.sh web
	$(WEB_ENV) emcmake cmake --preset web
	$(WEB_ENV) cmake --build --preset web -j $(JOBS)
	rm -rf build-web && mkdir build-web
	cp build-web-cmake/index.html build-web-cmake/player.js build-web-cmake/manifest.webmanifest \
	   build-web-cmake/sw.js build-web-cmake/icon.svg build-web-cmake/icon-192.png \
	   build-web-cmake/icon-512.png build-web/
	cp -r build-web-cmake/fonts build-web-cmake/texts build-web/

# The browser checks: build-web/ in headless Chromium.
test-web: web
	scripts/test-web.sh

# velqor-record, and docs/velqor.gif and docs/lesson.gif made again with it (the
# commands in the README).
.PHONY: record
record:
	@scripts/install-deps.sh record
	cmake --preset native $(CMAKE_FLAGS)
	cmake --build --preset native -j $(JOBS) --target velqor-record
	./build/tools/record/velqor-record --out docs/velqor.gif
	./build/tools/record/velqor-record --lesson full --every 4 --out docs/lesson.gif

# The soak for a million ticks (a lecture is about 150,000), printing its
# figures; make test runs 200,000 of them.
.PHONY: soak
SOAK_TICKS ?= 1000000
soak: deps-test
	cmake --preset native $(CMAKE_FLAGS)
	cmake --build --preset native -j $(JOBS) --target velqor_soak
	./build/tests/soak/velqor_soak --ticks $(SOAK_TICKS)

# The fuzz targets under libFuzzer, built with clang in build-fuzz, one after
# the other: make fuzz runs each for FUZZ_SECONDS, make test for 30 seconds.
.PHONY: fuzz test-fuzz
FUZZ_SECONDS ?= 300
fuzz:
	JOBS=$(JOBS) tests/fuzz/run.sh $(FUZZ_SECONDS)

test-fuzz:
	JOBS=$(JOBS) tests/fuzz/run.sh 30

# Installing, from build/ (the build of make run):
#   make install [PREFIX=/usr/local] [DESTDIR=]   the programs, menu entry, icons,
#                    AppStream data, manual pages, README and licences
#   make uninstall [DESTDIR=]   removes exactly the files the last install wrote
# Shipping: make package puts in dist/ the .deb (from build/), the Windows zip
# (from build-windows/) and the web zip (from build-web-cmake/), all made by
# CPack; make test-packaging checks all three and make install.
.PHONY: install uninstall package test-packaging
PREFIX ?= /usr/local
install:
	@scripts/install-deps.sh install
	cmake --preset native $(CMAKE_FLAGS) -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	cmake --build --preset native -j $(JOBS) --target velqor_shipped
	DESTDIR="$(DESTDIR)" cmake --install build

uninstall:
	DESTDIR="$(DESTDIR)" cmake -DBUILD_DIR=build -P cmake/uninstall.cmake

package: windows web
	@scripts/install-deps.sh package
	rm -rf dist
	cmake --preset native $(CMAKE_FLAGS)
	cmake --build --preset native -j $(JOBS) --target velqor_shipped
	cd build && cpack
	cd build-windows && cpack
	cd build-web-cmake && cpack
	@ls -l dist

test-packaging: package
	scripts/test-packaging.sh

clean:
	rm -rf build build-sanitize build-windows build-web build-web-cmake build-fuzz dist
