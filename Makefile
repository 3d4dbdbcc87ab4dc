# Thin wrapper over CMake. `make test` and `make demo` install what they need first.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)

# Debian packages the build and the tests need: the toolchain, GoogleTest, SQLite, and Qt 6
# Widgets with its window-system plugins (xcb and offscreen), its German translations and a
# font for windows drawn without a display.
PACKAGES = cmake ninja-build g++ libgtest-dev libgmock-dev libsqlite3-dev \
           qt6-base-dev qt6-qpa-plugins qt6-translations-l10n libgl-dev fonts-dejavu-core

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build test test-asan clean demo

all: build

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update && $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; \
	fi

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 120

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMIRAVAL_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS) --timeout 300

# The editor on the demo project, as ETS would start it. The demo's project store lives in
# $(DEMO_DIR) and keeps what the editor stored there; it is made from examples/ when missing.
# With a display the editor opens its window and ends when the user returns to ETS; without
# one it runs on Qt's offscreen platform through a short event script and saves a picture of
# each window it opened.
DEMO_DIR ?= $(BUILD)/demo
DEMO_EVENT = EditParameters 1

demo: build
	@mkdir -p $(DEMO_DIR)
	@[ -f $(DEMO_DIR)/demo.db ] || $(BUILD)/bin/make-ets-project demo $(DEMO_DIR)/demo.db
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  $(BUILD)/bin/miraval 244_ID --ets-project $(DEMO_DIR)/demo.db --event "$(DEMO_EVENT)" </dev/null; \
	else \
	  rm -f $(DEMO_DIR)/*.png; \
	  echo "No display: the editor runs offscreen on the event script '$(DEMO_EVENT)', 'UserSvStop'."; \
	  QT_QPA_PLATFORM=offscreen MIRAVAL_SCREENSHOTS=$(DEMO_DIR) \
	    $(BUILD)/bin/miraval 244_ID --ets-project $(DEMO_DIR)/demo.db \
	    --event "$(DEMO_EVENT)" --event UserSvStop </dev/null; \
	  echo "Pictures of the editor's windows: $$(ls $(DEMO_DIR)/*.png)"; \
	fi

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
