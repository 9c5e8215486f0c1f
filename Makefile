# Set-up and everyday commands. `make run` and `make test` work on a fresh Debian 12 machine:
# both install what the project needs first (scripts/install-deps).
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 10
JOBS ?= 2
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test sanitize bench fuzz format clean help-shots package \
        check-package

all: build

deps:
	scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j$(JOBS)

run: build
	$(BUILD)/src/kivrun $(LOG)

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

# The core tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKIVRUN_SANITIZE=ON \
	      -DKIVRUN_BUILD_GUI=OFF -DKIVRUN_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j$(JOBS) -L core

# A short run of the fuzz targets from their seeds: long enough to catch a reader that falls
# over on the first odd input, short enough for CI. Longer runs are started by hand (see
# tests/fuzz/CMakeLists.txt). oldlog_fuzz builds the whole core and is left to those.
FUZZ_TARGETS ?= formats fit xml
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	      -DKIVRUN_FUZZ=ON -DKIVRUN_BUILD_GUI=OFF -DKIVRUN_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target $(FUZZ_TARGETS:%=%_fuzz)
	for t in $(FUZZ_TARGETS); do \
	  rm -rf $(FUZZ_BUILD)/found-$$t && mkdir -p $(FUZZ_BUILD)/found-$$t && \
	  dict=tests/fuzz/$$t.dict; [ -f $$dict ] && dict=-dict=$$dict || dict=; \
	  $(FUZZ_BUILD)/tests/fuzz/$${t}_fuzz $$dict -max_total_time=$(FUZZ_SECONDS) -timeout=10 \
	      -print_final_stats=1 -artifact_prefix=$(FUZZ_BUILD)/ \
	      $(FUZZ_BUILD)/found-$$t tests/fuzz/corpus/$$t || exit 1; \
	done

# The Debian package, build/kivrun_VERSION_ARCH.deb, and its checks.
package: build
	cmake --build $(BUILD) --target package

check-package: package
	packaging/check-package $(BUILD)

bench: build
	scripts/run-bench $(BUILD)

# The user guide's pictures, drawn from a sample log on the offscreen platform. Run it after
# changing a window and commit the pictures.
HELP_IMAGES ?= resources/help/images
help-shots: configure
	cmake --build $(BUILD) -j$(JOBS) --target kivrun-help-shots
	$(BUILD)/tools/helpshots/kivrun-help-shots $(HELP_IMAGES)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
