# make          build everything into build/ (programs in build/bin/); installs nothing
# make run      install what the game needs, build it, launch it
# make test     install what the tests need, build everything, run every test (also under the sanitizers)
# make bench    as make test, then the benchmarks, ending with a summary
# make package  build the Debian package
# make web      build the browser edition, build-web/noboria.html (needs no Qt)
# make clean    remove the build folders
# Only run, test, bench, package, web and deps install Debian packages
# (tools/install-deps.sh), each once, only those it lacks.
# Variables: BUILD, ASAN_BUILD, WEB_BUILD (the build folders), JOBS, and
# WASM_CLANG, the page's compiler (e.g. clang++-22; by default the newest
# clang 18 or later whose wasm32 libc++ is installed or installable).
BUILD      ?= build
ASAN_BUILD ?= build-asan
WEB_BUILD  ?= build-web
WASM_CLANG ?=
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja

.PHONY: all packages deps configure build run asan test test-fast bench package clean web

all: build

# The package groups this command's goals need: the tests' group holds all.
groups := $(sort $(foreach goal,$(MAKECMDGOALS),\
  $(or $(filter run web package,$(goal)),$(if $(filter test test-fast bench deps node_modules,$(goal)),test))))
packages:
ifneq ($(groups),)
	@NOBORIA_WASM_CLANG=$(WASM_CLANG) tools/install-deps.sh $(groups)
endif
deps: packages

# Configured on every command (well under a second when nothing changed), so
# that the settings follow the variables above; the tests must all be there
# when they are to run.
require_tests := $(if $(filter test,$(groups)),-DNOBORIA_REQUIRE_TESTS=ON)
configure: | packages
	@cmake -S . -B $(BUILD) $(CMAKE_GEN) $(if $(wildcard $(BUILD)/CMakeCache.txt),,-DCMAKE_BUILD_TYPE=RelWithDebInfo) \
	  -DNOBORIA_WEB_BUILD=$(abspath $(WEB_BUILD)) $(require_tests) >/dev/null

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: configure
	cmake --build $(BUILD) -j $(JOBS) --target noboria
	@tools/run-game.sh $(BUILD)/bin/noboria

asan: | packages
	@cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DNOBORIA_SANITIZE=ON -DNOBORIA_BENCH=OFF \
	  -DNOBORIA_REQUIRE_TESTS=ON >/dev/null
	cmake --build $(ASAN_BUILD) -j $(JOBS)

test: build web asan node_modules
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS) -LE e2e

# The normal build's tests only, for a quick check while working.
test-fast: build web node_modules
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build web node_modules
	@NOBORIA_WEB_BUILD=$(abspath $(WEB_BUILD)) bench/run-all.sh $(BUILD)

# One self-contained HTML file and its trace launcher, cross-compiled to
# WebAssembly without Qt; see web/CMakeLists.txt.
web: | packages
	@cmake -S web -B $(WEB_BUILD) $(CMAKE_GEN) $(if $(WASM_CLANG),-DNOBORIA_WASM_CLANG=$(WASM_CLANG)) >/dev/null
	cmake --build $(WEB_BUILD) -j $(JOBS)

package: build
	cd $(BUILD) && cpack -G DEB

# The browser tests' tools (puppeteer-core), from the committed lock file;
# they drive Debian's browsers and never download one.
node_modules: package-lock.json | packages
	PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund
	@touch $@

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(WEB_BUILD)
