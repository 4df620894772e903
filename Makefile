# Everything a fresh Debian 12 machine needs, in two commands:
#   make run    installs what is missing, builds, starts the program
#   make test   installs what is missing, builds, runs every test headless
#              (a second time under AddressSanitizer and UndefinedBehaviorSanitizer)
#
# Every build is a CMake preset (CMakePresets.json), and every target here is
# a line or two over a preset or a script in tools/. Only the targets that run
# or test something install packages (tools/install-deps.sh); the ones that
# only build do not.

SETUP       := tools/install-deps.sh
# The Windows and page builds run in a Debian 13 root (tools/web/debian13.sh),
# against static Qt builds that the first run makes in these caches.
IN_DEBIAN13 := tools/web/debian13.sh
export KORINDO_QT_WIN64 := $(or $(KORINDO_QT_WIN64),$(HOME)/.cache/korindo/qt6.8-win64)
export KORINDO_QT_WASM  := $(or $(KORINDO_QT_WASM),$(HOME)/.cache/korindo/qt6.8-wasm)
NPM_CI      := npm ci --prefix tools/web --no-audit --no-fund --silent
# The page test on @playwright/test, a project for each profile: PAGE_TEST_ARGS=--project=390 runs one.
PAGE_TEST   := tools/web/node_modules/.bin/playwright test -c tools/web/playwright.config.mjs $(PAGE_TEST_ARGS)
# The suites of the cross builds run side by side, one for each core: each
# spends most of its time starting Wine or a browser.
TEST_JOBS   ?= -j $(shell nproc 2>/dev/null || echo 2)
FUZZ_SECONDS ?= 60
VERIFY_WALKS ?= 100000
STRESS_RUNS ?= 10
SOURCES = $(shell git ls-files '*.cpp' '*.h' 2>/dev/null || find app calculators help tests tools bench -name '*.cpp' -o -name '*.h')

.PHONY: all build run test test-plain test-sanitized format-check format screenshots bench \
        verify-walk fuzz package clean windows windows-configure test-windows bench-windows \
        web web-configure test-web stress-web bench-web

all: build

build:
	cmake --preset desktop > /dev/null
	cmake --build --preset desktop

run:
	@$(SETUP) desktop
	@$(MAKE) --no-print-directory build
	@tools/run.sh build

test:
	@$(SETUP) test
	@$(MAKE) --no-print-directory format-check test-plain test-sanitized

# The sources as .clang-format lays them out; 'make format' lays them out so.
format-check:
	@clang-format --dry-run -Werror $(SOURCES)
	@echo "format-check: $(words $(SOURCES)) files laid out as .clang-format says"

format:
	clang-format -i $(SOURCES)

test-plain:
	cmake --preset desktop-checked
	cmake --build --preset desktop-checked
	ctest --preset desktop-checked

test-sanitized:
	cmake --preset sanitized
	cmake --build --preset sanitized
	ctest --preset sanitized

screenshots: build
	QT_QPA_PLATFORM=offscreen build/korindo_screenshots build/screenshots
	@echo "Pictures of every window are in build/screenshots."

# Configured every time: a build folder configured before Google Benchmark
# was installed has no korindo_bench target until cmake looks again.
bench:
	@$(SETUP) bench
	cmake --preset desktop > /dev/null
	cmake --build --preset desktop --target korindo_bench
	build/bench/korindo_bench

# The walk that skips passes against the plain walk over many more walks than
# 'make test' runs; prints the count of differences.
verify-walk: build
	KORINDO_WALKS=$(VERIFY_WALKS) KORINDO_WALK_PASSES=20000 build/tests/tst_walkcomparison

fuzz:
	@$(SETUP) fuzz
	cmake --preset fuzz > /dev/null
	cmake --build --preset fuzz
	tools/fuzz.sh build-fuzz $(FUZZ_SECONDS)

package: build
	tools/check-package.sh build build

# Windows: korindo.exe, the installer and the zip, in build-win64/downloads/.
windows-configure:
	$(IN_DEBIAN13) tools/windows/build-qt.sh
	$(IN_DEBIAN13) cmake --preset windows > /dev/null

windows: windows-configure
	$(IN_DEBIAN13) cmake --build --preset windows --target korindo
	tools/windows/make-downloads.sh build-win64 $(KORINDO_QT_WIN64)

# Every test suite of the Windows build under Wine, then the installer as a
# user meets it: installed, started, every window opened, uninstalled. The
# program and the suites are built in one go, so that no core waits on
# another's last link.
test-windows:
	@$(SETUP) windows
	@$(MAKE) --no-print-directory windows-configure
	$(IN_DEBIAN13) cmake --build --preset windows
	tools/windows/make-downloads.sh build-win64 $(KORINDO_QT_WIN64)
	ctest --preset windows $(TEST_JOBS)
	tools/windows/test-installer.sh build-win64

# Start-up time of korindo.exe under Wine against a bare Qt dialog.
bench-windows:
	@$(SETUP) windows
	@$(MAKE) --no-print-directory windows
	$(IN_DEBIAN13) cmake --build --preset windows --target korindo_baredialog
	tools/windows/startup-bench.sh build-win64

# The page: build-wasm/index.html with korindo.js and korindo.wasm.
web-configure:
	$(IN_DEBIAN13) tools/web/build-qt.sh
	$(IN_DEBIAN13) cmake --preset page > /dev/null

web: web-configure
	$(IN_DEBIAN13) cmake --build --preset page --target korindo korindo_page
	@echo "The page is build-wasm/index.html; serve the folder, for example with"
	@echo "  python3 -m http.server -b 127.0.0.1 -d build-wasm 8000"

# The test suites in headless Chromium, then the page as a user meets it.
# The page and the suites are built in one go, as for Windows.
test-web:
	@$(SETUP) web
	@$(MAKE) --no-print-directory web-configure
	$(NPM_CI)
	$(IN_DEBIAN13) cmake --build --preset page
	ctest --preset page $(TEST_JOBS)
	KORINDO_PAGE_BUILD=build-wasm $(PAGE_TEST)

# The page's download and first frame against a bare Qt dialog, built twice.
bench-web:
	@$(SETUP) web
	@$(MAKE) --no-print-directory web
	$(NPM_CI)
	$(IN_DEBIAN13) cmake --build --preset page --target korindo_baredialog korindo_baredialog_stock
	node tools/web/bench-page.mjs build-wasm

# Every browser suite STRESS_RUNS times with two busy loops beside it; fails
# on any run that does not pass, a hang above all. Not part of 'make test-web'.
stress-web:
	@$(SETUP) web
	@$(MAKE) --no-print-directory web
	$(NPM_CI)
	$(IN_DEBIAN13) cmake --build --preset page
	tools/web/stress.sh build-wasm $(STRESS_RUNS)

clean:
	rm -rf build build-asan build-fuzz build-win64 build-wasm
