# The two commands of the README:
#   make run    builds build/velqor and starts it
#   make test   builds everything and runs every test
# Both install the Debian packages they need first.

JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: run build test deps-run deps-test test-native test-sanitize bench clean

run: build
	./build/velqor

build: deps-run
	cmake -S . -B build $(CMAKE_FLAGS) >/dev/null
	cmake --build build -j $(JOBS) --target velqor

deps-run:
	@scripts/install-deps.sh run

deps-test:
	@scripts/install-deps.sh test

# Every suite, in order; each is also a target of its own.
TEST_PARTS := test-native test-sanitize

test: $(TEST_PARTS)
	@echo "make test: all suites passed ($(TEST_PARTS))"

test-native: deps-test
	cmake -S . -B build $(CMAKE_FLAGS) >/dev/null
	cmake --build build -j $(JOBS)
	cd build && ctest --output-on-failure -j $(JOBS)

# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps-test
	cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVELQOR_SANITIZE=ON -DVELQOR_BENCH=OFF >/dev/null
	cmake --build build-sanitize -j $(JOBS)
	cd build-sanitize && ctest --output-on-failure -j $(JOBS) -LE slow

bench: deps-test
	cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build build -j $(JOBS)
	for b in build/bench/*_bench; do $$b; done

# The Windows build: build-windows/velqor.exe, cross-compiled with MinGW-w64.
.PHONY: windows test-windows
windows:
	@scripts/install-deps.sh windows
	cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release -DVELQOR_BENCH=OFF >/dev/null
	cmake --build build-windows -j $(JOBS) --target velqor

# The program's tests and a smoke test of velqor.exe on Wine's GDI, in Xvfb.
test-windows:
	JOBS=$(JOBS) scripts/test-windows.sh

clean:
	rm -rf build build-sanitize build-windows build-web
