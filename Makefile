# Quorvex / Tessaly: build, run and test from a fresh Debian machine.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

# Every Debian package the build, the programs and the tests need.
DEPS := build-essential cmake ninja-build ccache pkg-config \
        libgtest-dev libgmock-dev libbenchmark-dev \
        qt6-base-dev qt6-svg-dev libgl-dev fonts-dejavu-core fonts-liberation \
        giza-dev libx11-dev libcups2-dev libxlsxwriter-dev libminizip-dev libfreexl-dev \
        ghostscript poppler-utils xvfb xauth x11-utils librsvg2-bin \
        desktop-file-utils appstream
# What `make package` needs besides: CPack's file-type probe, and the package checker.
PACKAGE_DEPS := file lintian
PREFIX ?= /usr/local

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps package-deps configure build test run run-linear install package bench sanitize clean

all: build

# $(call install-missing,PACKAGES): installs those of the Debian PACKAGES that are not installed yet.
define install-missing
	@missing=$$(for p in $(1); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get update -qq && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $$missing; \
	fi
endef

deps:
	$(call install-missing,$(DEPS))

package-deps:
	$(call install-missing,$(PACKAGE_DEPS))

configure: deps
	@[ -f $(BUILD_DIR)/build.ninja ] || cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Starts the non-linear edition; the linear edition is `make run-linear`.
run: build
	@if [ -x $(BUILD_DIR)/bin/quorvex32 ]; then $(BUILD_DIR)/bin/quorvex32; \
	else echo "The front end is not built yet; the engine tests run instead."; \
	  cd $(BUILD_DIR) && ctest --output-on-failure; fi

run-linear: build
	$(BUILD_DIR)/bin/tessaly32

# Installs into $(DESTDIR)$(PREFIX): the programs, their libraries and files in lib/quorvex/, the
# commands in bin/, menu entries, icons and manual pages under share/.
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"

# The Debian package, $(BUILD_DIR)/quorvex_<version>_<architecture>.deb.
package: build package-deps
	cd $(BUILD_DIR) && cpack

bench: deps
	@[ -f build-bench/build.ninja ] || cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build build-bench -j $(JOBS)
	@for declaration in bench/*.cmake; do \
	  name=$$(basename $$declaration .cmake); \
	  echo "== $$name"; \
	  build-bench/bin/$$name --benchmark_repetitions=5 --benchmark_report_aggregates_only=true || exit 1; \
	done

# The library tests under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps
	@[ -f build-asan/build.ninja ] || cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSANITIZE=ON -DBUILD_BENCHMARKS=OFF
	cmake --build build-asan -j $(JOBS)
	cd build-asan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD_DIR) build-bench build-asan
