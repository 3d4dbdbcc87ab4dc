# Thin wrapper over CMake. `make test` and `make demo` install what they need first.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)

# Debian packages the build and the tests need: the toolchain, GoogleTest, SQLite, and Qt 6
# Widgets with its window-system plugins (xcb and offscreen), its German translations and a
# font for windows drawn without a display. Qt's CMake files look for the keyboard library's
# headers (XKB) on every configure and say so when they are missing.
PACKAGES = cmake ninja-build g++ libgtest-dev libgmock-dev libsqlite3-dev \
           qt6-base-dev qt6-qpa-plugins qt6-translations-l10n libgl-dev libxkbcommon-dev \
           fonts-dejavu-core

# What the end-to-end suite (tests/e2e) needs beside them: an X server of its own, a window
# manager, the input and window tools and the screenshot tool.
TEST_PACKAGES = xvfb openbox xdotool x11-utils x11-xserver-utils imagemagick

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps test-deps configure build test test-asan clean demo bench fuzz packages

all: build

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update && $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; \
	fi

test-deps: deps
	@$(MAKE) --no-print-directory packages PACKAGES_MORE="$(TEST_PACKAGES)"

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: test-deps build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 120

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer (Debug). Leaks
# that Qt's, fontconfig's or libdbus's own code keeps for the process's lifetime are suppressed
# (cmake/lsan.supp); our code never is.
test-asan: test-deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMIRAVAL_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/cmake/lsan.supp:print_suppressions=0 \
	  ctest --output-on-failure -j $(JOBS) --timeout 300

# The benchmarks (bench/README.md): each path beside its floor, as a ratio against its target.
BENCH_BUILD ?= build-bench
bench: deps
	@$(MAKE) --no-print-directory packages PACKAGES_MORE="libbenchmark-dev"
	cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMIRAVAL_BENCH=ON
	cmake --build $(BENCH_BUILD) -j $(JOBS) --target miraval_bench
	$(BENCH_BUILD)/bin/miraval_bench $(BENCH_ARGS)

# The fuzz targets (fuzz/README.md), each run for FUZZ_SECONDS in parallel; fails on any
# crash, leak or time-out and leaves the reproducer in $(FUZZ_BUILD)/fuzz-artifacts/.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS = record_line container device_blob ini code_page_1252 comma_text event_line \
               command_line project_store grp_adr_text template_import safety_copy ets_import paste \
               ets_events person_edits
fuzz: deps
	@$(MAKE) --no-print-directory packages PACKAGES_MORE="clang"
	@# The runtime of clang's own version: libFuzzer and the sanitizers.
	@$(MAKE) --no-print-directory packages \
	  PACKAGES_MORE="libclang-rt-$$(clang --version | sed -n 's/.*clang version \([0-9]*\).*/\1/p' | head -1)-dev"
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMIRAVAL_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_all make-ets-project
	@rm -rf $(FUZZ_BUILD)/fuzz-work && mkdir -p $(FUZZ_BUILD)/fuzz-artifacts $(FUZZ_BUILD)/fuzz-work/store-seed
	@$(FUZZ_BUILD)/bin/make-ets-project demo $(FUZZ_BUILD)/fuzz-work/store-seed/demo.db
	@# Each target in the background; the shell waits for every one by its process id (a
	@# `jobs` list taken in a subshell would be empty) and fails if any failed.
	@failed=""; pids=""; for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_BUILD)/fuzz-work/$$t; \
	  seeds="fuzz/corpus/$$t"; [ $$t = project_store ] && seeds="$$seeds $(FUZZ_BUILD)/fuzz-work/store-seed"; \
	  ( ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    $(FUZZ_BUILD)/bin/fuzz_$$t $(FUZZ_BUILD)/fuzz-work/$$t $$seeds -max_total_time=$(FUZZ_SECONDS) \
	      -timeout=30 -rss_limit_mb=4096 -artifact_prefix=$(FUZZ_BUILD)/fuzz-artifacts/$$t- \
	      > $(FUZZ_BUILD)/fuzz-work/$$t.log 2>&1 \
	    && echo "fuzz $$t: clean, $$(grep -o 'Done [0-9]* runs' $(FUZZ_BUILD)/fuzz-work/$$t.log)" \
	    || { echo "fuzz $$t: FAILED (log $(FUZZ_BUILD)/fuzz-work/$$t.log)"; tail -30 $(FUZZ_BUILD)/fuzz-work/$$t.log; exit 1; } ) & \
	  pids="$$pids $$!"; \
	done; \
	for pid in $$pids; do wait $$pid || failed=1; done; \
	[ -z "$$failed" ] || { echo "make fuzz: a target failed; reproducers in $(FUZZ_BUILD)/fuzz-artifacts/"; exit 1; }

# Installs the Debian packages named in PACKAGES_MORE that are missing.
packages:
	@missing=""; for p in $(PACKAGES_MORE); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update && $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; \
	fi

# The editor on the demo project, as ETS would start it. The demo's project store lives in
# $(DEMO_DIR) and keeps what the editor stored there; it is made from examples/ when missing.
# With a display the editor opens its window and ends when the user returns to ETS. Without
# one (none named, or the editor cannot open the one named: it then ends with exit code 1 and
# its line naming QT_QPA_PLATFORM=offscreen) it runs on Qt's offscreen platform through a
# short script and saves a picture of each window it opened. The script leaves as an
# installer does: it returns to ETS keeping the data (the line ReturnToEts does what "Zurück
# zur Ets", Ctrl+Q, does; offscreen every box takes its first button, "Ja" to each close
# question), then ETS stops the editor; so the next start finds the device closed properly.
DEMO_DIR ?= $(BUILD)/demo
DEMO_EVENT = EditParameters 1
DEMO_SCRIPT = ReturnToEts\nUserSvStop\n

# Only what the demo runs is built: the program and the store generator.
demo: configure
	cmake --build $(BUILD) -j $(JOBS) --target miraval make-ets-project
	@mkdir -p $(DEMO_DIR)
	@[ -f $(DEMO_DIR)/demo.db ] || $(BUILD)/bin/make-ets-project demo $(DEMO_DIR)/demo.db
	@# The editor's standard error is kept until it ends, to tell a display it could not open
	@# from any other end.
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  $(BUILD)/bin/miraval 244_ID --ets-project $(DEMO_DIR)/demo.db --event "$(DEMO_EVENT)" \
	    </dev/null 2>$(DEMO_DIR)/stderr.txt; ende=$$?; \
	  if [ $$ende -ne 1 ] || ! grep -q 'QT_QPA_PLATFORM=offscreen' $(DEMO_DIR)/stderr.txt; then \
	    cat $(DEMO_DIR)/stderr.txt >&2; rm -f $(DEMO_DIR)/stderr.txt; exit $$ende; \
	  fi; \
	  cat $(DEMO_DIR)/stderr.txt; rm -f $(DEMO_DIR)/stderr.txt; \
	fi; \
	rm -f $(DEMO_DIR)/*.png; \
	echo "No display: the editor runs offscreen on the script '$(DEMO_EVENT)', 'ReturnToEts', 'UserSvStop'."; \
	printf '$(DEMO_SCRIPT)' | QT_QPA_PLATFORM=offscreen MIRAVAL_SCREENSHOTS=$(DEMO_DIR) \
	  $(BUILD)/bin/miraval 244_ID --ets-project $(DEMO_DIR)/demo.db --event "$(DEMO_EVENT)"; \
	echo "Pictures of the editor's windows: $$(ls $(DEMO_DIR)/*.png)"

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD)
