# TXD Tinplate: `make run` starts the editor on a sample dictionary, `make test` runs every test,
# `make package` makes the Debian package in build-package/.
BUILD_DIR := build
TEST_DIR := build-test
SAMPLE := $(BUILD_DIR)/sample/sample.txd
JOBS := 2

.PHONY: run test build deps bench package clean

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
	    -DTINPLATE_BUILD_TESTS=OFF -DTINPLATE_BUILD_APP=OFF
	cmake --build build-bench -j$(JOBS) --target pixelops_bench squish_decode rebuild_chain txdtool txdgen
	build-bench/bench/pixelops_bench
	sh bench/end-to-end.sh build-bench

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

clean:
	rm -rf $(BUILD_DIR) $(TEST_DIR) build-bench build-package
