# TXD Tinplate: `make run` starts the editor on a sample dictionary, `make test` runs every test,
# `make package` makes the Debian package in build-package/.
BUILD_DIR := build
TEST_DIR := build-test
SAMPLE := $(BUILD_DIR)/sample/sample.txd
JOBS := 2
FUZZ_DIR := build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := dictionary working_bitmap bitmap targa dds import picture archive_directory
# Inputs up to 1 MiB; a second per input, 2 GiB of memory and no single allocation beyond
# the largest decoded picture (256 MiB) plus headroom count as findings.
FUZZ_FLAGS := -max_len=1048576 -timeout=1 -rss_limit_mb=2048 -malloc_limit_mb=600 \
	-print_final_stats=1

.PHONY: run test build deps bench package fuzz clean

deps:
	@sh tools/install-deps.sh

build: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release -DTINPLATE_BUILD_TESTS=OFF
	cmake --build $(BUILD_DIR) -j$(JOBS)

run: build
	@mkdir -p $(dir $(SAMPLE))
	$(BUILD_DIR)/tools/txdgen $(SAMPLE)
	@if [ -z "$${DISPLAY:-}$${WAYLAND_DISPLAY:-}" ]; then \
	    echo "No display: set DISPLAY (X11) or WAYLAND_DISPLAY to start the editor."; \
	    echo "The editor is built: $(BUILD_DIR)/app/txd-tinplate $(SAMPLE)"; exit 1; fi
	$(BUILD_DIR)/app/txd-tinplate $(SAMPLE)

test: deps
	cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=Debug -DTINPLATE_SANITIZE=ON
	cmake --build $(TEST_DIR) -j$(JOBS)
	cd $(TEST_DIR) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp ctest --output-on-failure -j$(JOBS)

bench: deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTINPLATE_BUILD_BENCH=ON \
	    -DTINPLATE_BUILD_TESTS=OFF -DTINPLATE_BUILD_APP=ON
	cmake --build build-bench -j$(JOBS) --target pixelops_bench squish_decode rebuild_chain editor_open txdtool txdgen
	build-bench/bench/pixelops_bench
	sh bench/end-to-end.sh build-bench
	sh bench/archive.sh build-bench
	sh bench/folder-scan.sh build-bench

# Debian's hardening flags where dpkg-buildflags is present.
package: export DEB_BUILD_MAINT_OPTIONS = hardening=+all
package: deps
	cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
	    -DTINPLATE_BUILD_TESTS=OFF \
	    -DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CPPFLAGS 2>/dev/null) $$(dpkg-buildflags --get CXXFLAGS 2>/dev/null)" \
	    -DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS 2>/dev/null)" \
	    -DCMAKE_SHARED_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS 2>/dev/null)"
	cmake --build build-package -j$(JOBS)
	cd build-package && cpack -G DEB

# Each target runs FUZZ_SECONDS on a working copy of its corpus and past findings; new
# findings land in build-fuzz/findings/TARGET/ (copy them to fuzz/regressions/TARGET/).
fuzz:
	@sh tools/install-deps.sh clang libclang-rt-dev
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DTINPLATE_FUZZ=ON -DTINPLATE_BUILD_TESTS=OFF -DTINPLATE_BUILD_APP=ON
	cmake --build $(FUZZ_DIR) -j$(JOBS) $(addprefix --target fuzz_,$(FUZZ_TARGETS))
	@status=0; for target in $(FUZZ_TARGETS); do \
	    mkdir -p $(FUZZ_DIR)/corpus/$$target $(FUZZ_DIR)/findings/$$target; \
	    echo "== fuzz_$$target for $(FUZZ_SECONDS) s"; \
	    $(FUZZ_DIR)/fuzz/fuzz_$$target $(FUZZ_FLAGS) -max_total_time=$(FUZZ_SECONDS) \
	        -artifact_prefix=$(FUZZ_DIR)/findings/$$target/ $(FUZZ_DIR)/corpus/$$target \
	        $$(ls -d fuzz/corpus/$$target fuzz/regressions/$$target 2>/dev/null) || status=1; \
	done; exit $$status

clean:
	rm -rf $(BUILD_DIR) $(TEST_DIR) build-bench build-package $(FUZZ_DIR)
