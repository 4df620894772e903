# Everything a fresh Debian 12 machine needs, in two commands:
#   make run    installs what is missing, builds, starts the program
#   make test   installs what is missing, builds, runs every test headless
#              (a second time under AddressSanitizer and UndefinedBehaviorSanitizer)

BUILD       := build
ASAN_BUILD  := build-asan
FUZZ_BUILD  := build-fuzz
FUZZ_SECONDS ?= 60
CMAKE_FLAGS := -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
# The test builds, which CI runs, treat every compiler warning as an error and
# build and check the Debian package; the other targets that share build/ set
# both back, so that they never inherit them from its cache.
TEST_FLAGS  := -DKORINDO_WERROR=ON -DKORINDO_PACKAGE_CHECKS=ON
DEV_FLAGS   := -DKORINDO_WERROR=OFF -DKORINDO_PACKAGE_CHECKS=OFF

WIN_BUILD   := build-win64
# The static Qt for Windows, built once by tools/windows/build-qt.sh.
QT_WIN64    := $(or $(KORINDO_QT_WIN64),$(HOME)/.cache/korindo/qt6.8-win64)
# MinGW-w64 and the Qt host tools come from the Debian 13 root; Wine and the
# installer's tools from this machine.
WIN_DEPS    := debootstrap wine wine64 nsis zip \
               dpkg-dev patch xvfb xdotool imagemagick

.PHONY: all deps build run test test-plain test-sanitized format-check format screenshots bench \
        verify-walk fuzz package clean \
        windows windows-configure test-windows bench-windows \
        web web-configure test-web stress-web bench-web

all: build

deps:
	@tools/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) $(DEV_FLAGS) > /dev/null
	cmake --build $(BUILD)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	    echo "There is no display to show the windows on; 'make screenshots' renders them to PNG files instead."; \
	    exit 1; \
	fi
	cd $(BUILD)/data && ../korindo

test: format-check test-plain test-sanitized

# The C++ sources as .clang-format lays them out; 'make format' lays them out so.
SOURCES = $(shell git ls-files '*.cpp' '*.h' 2>/dev/null || find app calculators help tests tools bench -name '*.cpp' -o -name '*.h')
format-check:
	@tools/install-deps.sh clang-format
	@clang-format --dry-run -Werror $(SOURCES)
	@echo "format-check: $(words $(SOURCES)) files laid out as .clang-format says"

format:
	clang-format -i $(SOURCES)

# The asset generator is no part of 'all'; the test build builds it so that
# it keeps compiling.
test-plain: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) $(TEST_FLAGS)
	cmake --build $(BUILD) --target all korindo_assetgen
	ctest --test-dir $(BUILD) --output-on-failure

test-sanitized: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORINDO_SANITIZE=ON $(TEST_FLAGS)
	cmake --build $(ASAN_BUILD)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure

screenshots: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/korindo_screenshots $(BUILD)/screenshots
	@echo "Pictures of every window are in $(BUILD)/screenshots."

# Configured every time: a build folder configured before Google Benchmark
# was installed has no korindo_bench target until cmake looks again.
bench: deps
	@tools/install-deps.sh libbenchmark-dev
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) $(DEV_FLAGS)
	cmake --build $(BUILD) --target korindo_bench
	$(BUILD)/bench/korindo_bench

# The walk that skips passes against the plain walk over many more walks than
# 'make test' runs; prints the count of differences.
VERIFY_WALKS ?= 100000
verify-walk: build
	KORINDO_WALKS=$(VERIFY_WALKS) KORINDO_WALK_PASSES=20000 $(BUILD)/tests/tst_walkcomparison

# Each target runs FUZZ_SECONDS. The numeric fields take texts of up to
# 120 000 characters (maxFieldLength), so their target gets inputs past that.
FIELD_MAX_LEN := 120016

fuzz: deps
	@tools/install-deps.sh clang libclang-rt-14-dev
	@test -f $(FUZZ_BUILD)/build.ninja || cmake -S . -B $(FUZZ_BUILD) -G Ninja \
	    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DKORINDO_FUZZ=ON
	cmake --build $(FUZZ_BUILD) --target fuzz_numericinput fuzz_principletext fuzz_cursorfile \
	    fuzz_calculationlink
	mkdir -p $(FUZZ_BUILD)/corpus $(FUZZ_BUILD)/corpus-principletext $(FUZZ_BUILD)/corpus-cursorfile \
	    $(FUZZ_BUILD)/corpus-calculationlink
	$(FUZZ_BUILD)/tests/fuzz/fuzz_numericinput -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -max_len=$(FIELD_MAX_LEN) $(FUZZ_BUILD)/corpus tests/fuzz/seeds
	$(FUZZ_BUILD)/tests/fuzz/fuzz_principletext -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    $(FUZZ_BUILD)/corpus-principletext tests/fuzz/seeds-principletext
	$(FUZZ_BUILD)/tests/fuzz/fuzz_cursorfile -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    $(FUZZ_BUILD)/corpus-cursorfile tests/fuzz/seeds-cursorfile
	$(FUZZ_BUILD)/tests/fuzz/fuzz_calculationlink -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    $(FUZZ_BUILD)/corpus-calculationlink tests/fuzz/seeds-calculationlink

package: build
	tools/check-package.sh build $(BUILD)

# Windows: korindo.exe, the installer and the zip, cross-built with MinGW-w64
# in the Debian 13 root, against a static Qt 6.8 that the first run builds into
# a cache (about 20 minutes).
windows: windows-configure
	$(IN_DEBIAN13) cmake --build $(WIN_BUILD) --target korindo
	tools/windows/make-downloads.sh $(WIN_BUILD) $(QT_WIN64)

windows-configure:
	@tools/install-deps.sh $(WIN_DEPS)
	$(IN_DEBIAN13) tools/windows/build-qt.sh
	$(IN_DEBIAN13) $(QT_WIN64)/bin/qt-cmake -S . -B $(WIN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	    -DQT_CHAINLOAD_TOOLCHAIN_FILE=$(CURDIR)/tools/windows/mingw-w64.cmake > /dev/null

# Every test suite of the Windows build under Wine, then the installer as a
# user meets it: installed, started, every window opened, uninstalled.
test-windows: windows
	$(IN_DEBIAN13) cmake --build $(WIN_BUILD)
	ctest --test-dir $(WIN_BUILD) --output-on-failure
	tools/windows/test-installer.sh $(WIN_BUILD)

# Start-up time of korindo.exe under Wine against a bare Qt dialog.
bench-windows: windows
	$(IN_DEBIAN13) cmake --build $(WIN_BUILD) --target korindo_baredialog
	tools/windows/startup-bench.sh $(WIN_BUILD)

# The browser: korindo.wasm with its page, cross-built with Debian 13's
# emscripten against a Qt for WebAssembly that the first run builds into a
# cache (about 15 minutes). Debian 12 cannot install that emscripten: the
# builds run in a Debian 13 root that the first run makes with debootstrap
# (tools/web/debian13.sh, a few minutes), the tree bound into it. The tests
# run here, in this machine's Chromium and Node.js.
WEB_BUILD   := build-wasm
export KORINDO_QT_WASM := $(or $(KORINDO_QT_WASM),$(HOME)/.cache/korindo/qt6.8-wasm)
QT_WASM     := $(KORINDO_QT_WASM)
IN_DEBIAN13 := tools/web/debian13.sh
# npm only where none is there: a Node.js from elsewhere brings its own, which
# Debian's npm package would conflict with.
WEB_DEPS    := debootstrap chromium $(if $(shell command -v npm 2>/dev/null),,nodejs npm)

web: web-configure
	$(IN_DEBIAN13) cmake --build $(WEB_BUILD) --target korindo korindo_page
	@echo "The page is $(WEB_BUILD)/index.html; serve the folder, for example with"
	@echo "  python3 -m http.server -b 127.0.0.1 -d $(WEB_BUILD) 8000"

web-configure:
	@tools/install-deps.sh $(WEB_DEPS)
	$(IN_DEBIAN13) tools/web/build-qt.sh
	$(IN_DEBIAN13) $(QT_WASM)/bin/qt-cmake -S . -B $(WEB_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
	    -DQT_CHAINLOAD_TOOLCHAIN_FILE=$(CURDIR)/tools/web/emscripten.cmake > /dev/null

# The test suites in headless Chromium, then the page as a user meets it.
test-web: web
	npm ci --prefix tools/web --no-audit --no-fund --silent
	$(IN_DEBIAN13) cmake --build $(WEB_BUILD)
	ctest --test-dir $(WEB_BUILD) --output-on-failure
	node tools/web/test-page.mjs $(WEB_BUILD)

# The page's download and first frame against a bare Qt dialog, with and
# without asyncify, measured in one run.
bench-web: web
	npm ci --prefix tools/web --no-audit --no-fund --silent
	$(IN_DEBIAN13) cmake --build $(WEB_BUILD) --target korindo_baredialog korindo_baredialog_stock
	node tools/web/bench-page.mjs $(WEB_BUILD)

# Every browser suite STRESS_RUNS times with two busy loops beside it; fails
# on any run that does not pass, a hang above all. Not part of 'make test-web'.
STRESS_RUNS ?= 10
stress-web: web
	npm ci --prefix tools/web --no-audit --no-fund --silent
	$(IN_DEBIAN13) cmake --build $(WEB_BUILD)
	tools/web/stress.sh $(WEB_BUILD) $(STRESS_RUNS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(WIN_BUILD) $(WEB_BUILD)
