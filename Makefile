# The README's commands. Every target installs what is missing first.
BUILD ?= build
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)

.PHONY: all deps configure build test run bench package install clean format web web-test

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

# The page (build/web/index.html, opens from disk): the engine compiled to WebAssembly
# in its own build tree, no Qt needed.
WEB_BUILD = $(BUILD)/wasm

web:
	@ORVANE_WEB_DEPS=1 scripts/install-deps
	@emcmake cmake -S web -B $(WEB_BUILD) -G Ninja -DORVANE_WEB_OUTPUT=$(abspath $(BUILD))/web \
	  -DORVANE_NATIVE_BIN=$(abspath $(BUILD))/bin >/dev/null
	@cmake --build $(WEB_BUILD) -j $(JOBS)

# The page against the native build: the same numbers and the same output, and the
# page driven in headless Chromium (puppeteer-core comes from npm into the build tree).
# The tests need the native tree's programs too.
web-test: web
	@$(MAKE) --no-print-directory build
	@cd $(WEB_BUILD) && ctest --output-on-failure

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)
