# make        build everything into build/ (programs in build/bin/)
# make run    install what is missing, build, launch the game
# make test   install what is missing, build, run every test (also under the sanitizers)
# make bench  build and run the benchmarks, ending with a summary
# make package  build the Debian package
# make web    build the browser edition, build-web/noboria.html (needs no Qt)
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja

.PHONY: all deps build run test test-fast bench package clean web

all: build

deps:
	@tools/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@tools/run-game.sh $(BUILD)/bin/noboria

$(ASAN_BUILD)/build.ninja:
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DNOBORIA_SANITIZE=ON -DNOBORIA_BENCH=OFF

test: build web $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS) -LE e2e

# The normal build's tests only, for a quick check while working.
test-fast: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	@bench/run-all.sh $(BUILD)

# One self-contained HTML file and its trace launcher, cross-compiled to
# WebAssembly without Qt; see web/CMakeLists.txt.
WEB_BUILD ?= build-web
web:
	@tools/install-deps.sh web
	@test -f $(WEB_BUILD)/build.ninja || cmake -S web -B $(WEB_BUILD) $(CMAKE_GEN)
	cmake --build $(WEB_BUILD) -j $(JOBS)

package: build
	cd $(BUILD) && cpack -G DEB

# The browser tests' tools (puppeteer-core), from the committed lock file;
# they drive Debian's browsers and never download one.
node_modules: package-lock.json
	PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund
	@touch $@
# The browser tests and benchmarks need the page too.
test test-fast bench: node_modules web

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
