# SPDX-License-Identifier: MIT
# make play   installs what is missing, builds, and starts the game
# make test   installs what is missing, builds, and runs every test

BUILD_DIR ?= build
JOBS ?= 2
CMAKE_FLAGS ?=

PACKAGES = cmake make g++ pkg-config \
	qt6-base-dev qt6-multimedia-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools \
	libgl-dev fonts-dejavu-core xvfb xauth

.PHONY: all deps configure build play test clean

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
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

clean:
	rm -rf $(BUILD_DIR)
