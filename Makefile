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
# build the asset generator too, which nothing else builds.
TEST_FLAGS  := -DKORINDO_WERROR=ON

.PHONY: all deps build run test test-plain test-sanitized screenshots bench fuzz package clean

all: build

deps:
	@tools/install-deps.sh

build: deps
	@test -f $(BUILD)/build.ninja || cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	    echo "There is no display to show the windows on; 'make screenshots' renders them to PNG files instead."; \
	    exit 1; \
	fi
	cd $(BUILD)/data && ../korindo

test: test-plain test-sanitized

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

bench: deps
	@tools/install-deps.sh libbenchmark-dev
	@test -f $(BUILD)/build.ninja || cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) --target korindo_bench
	$(BUILD)/bench/korindo_bench --benchmark_color=false

fuzz: deps
	@tools/install-deps.sh clang libclang-rt-14-dev
	@test -f $(FUZZ_BUILD)/build.ninja || cmake -S . -B $(FUZZ_BUILD) -G Ninja \
	    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DKORINDO_FUZZ=ON
	cmake --build $(FUZZ_BUILD) --target fuzz_numericinput
	mkdir -p $(FUZZ_BUILD)/corpus
	$(FUZZ_BUILD)/tests/fuzz/fuzz_numericinput -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    $(FUZZ_BUILD)/corpus tests/fuzz/seeds

package: build
	@tools/install-deps.sh dpkg-dev
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
