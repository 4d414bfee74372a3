# The README's commands. Every target installs what is missing first.
BUILD ?= build
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)

.PHONY: all deps configure build test run bench package install clean format

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

run: build
	@scripts/run

bench: build
	@bench/run $(BUILD)

# The Debian package, $(BUILD)/orvane_VERSION_ARCH.deb.
package: build
	@cmake --build $(BUILD) --target package

# PREFIX=/opt/orvane make install (default /usr/local).
install: build
	@cmake --install $(BUILD) --prefix "$${PREFIX:-/usr/local}"

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)
