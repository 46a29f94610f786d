# SPDX-License-Identifier: MIT
# make play   installs what is missing, builds, and starts the game
# make test   installs what is missing, builds, and runs every test

BUILD_DIR ?= build
JOBS ?= 2
CMAKE_FLAGS ?=

PACKAGES = cmake make g++ pkg-config gzip \
	qt6-base-dev qt6-base-private-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools \
	libgl-dev libpulse-dev libxcb1-dev fonts-dejavu-core xvfb xauth desktop-file-utils appstream \
	pulseaudio pulseaudio-utils
# The sound tests play against PipeWire's PulseAudio server as well; the
# windows test runs under a real window manager.
TEST_TOOLS = pipewire pipewire-pulse wireplumber dbus-daemon openbox x11-utils xdotool
# Building the Debian package also needs these.
PACKAGE_TOOLS = dpkg-dev lintian
# Taking the README's screenshot also needs these.
SCREENSHOT_TOOLS = xdotool imagemagick
# The benchmarks watch pixels reach an X server and drive the game's menus.
BENCH_TOOLS = libxcb-damage0-dev libxcb-xtest0-dev xdotool

.PHONY: all deps configure build play test test-sanitize bench package screenshot clean

all: build

deps:
	@sh scripts/install-deps.sh $(PACKAGES)

configure: deps
	cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j$(JOBS)

play: build
	cd $(BUILD_DIR)/runtime && ./vell

test: build
	@sh scripts/install-deps.sh $(TEST_TOOLS)
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# Every test again on a build with AddressSanitizer and UndefinedBehaviorSanitizer;
# any report fails the test that met it.
test-sanitize: deps
	@sh scripts/install-deps.sh $(TEST_TOOLS)
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELL_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build build-asan -j$(JOBS)
	cd build-asan && QT_QPA_PLATFORM=offscreen \
		ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --output-on-failure -j$(JOBS)

# Start-up to the first pixels on Xvfb, the steps of a whole match at time
# scale 1 (as the machine is, and with every core busy), peak memory and
# idle cost; records the figures in docs/PERFORMANCE.md. Takes about
# fifteen minutes. Not part of CI.
bench:
	@sh scripts/install-deps.sh $(PACKAGES) $(BENCH_TOOLS)
	$(MAKE) build
	cmake --build $(BUILD_DIR) -j$(JOBS) --target benchmarks
	sh bench/run.sh $(BUILD_DIR) docs/PERFORMANCE.md

# A .deb in the Debian games layout, built apart from the everyday build.
package:
	@sh scripts/install-deps.sh $(PACKAGES) $(PACKAGE_TOOLS)
	cmake -S . -B build-deb -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
		-DVELL_GAMES_LAYOUT=ON -DBUILD_TESTING=OFF
	cmake --build build-deb -j$(JOBS)
	cd build-deb && cpack
	lintian --fail-on error,warning build-deb/package/*.deb

# The README's picture of a match in progress.
screenshot: build
	@sh scripts/install-deps.sh $(SCREENSHOT_TOOLS)
	sh scripts/screenshot.sh $(BUILD_DIR)/runtime docs/screenshot.png

clean:
	rm -rf $(BUILD_DIR) build-deb build-asan
