# The browser edition: build-web/noboria.html, one self-contained file made of
# the page (web/), the simulation and the window's handlers (sim/), the
# Qt-free painters (view/) and the pictures (assets/), compiled to WebAssembly
# with clang for wasm32-wasi, plus the launcher build-web/noboria-trace-web.
# Needs clang-22, lld-22, the wasm32 libc++, binaryen and fonttools; no Qt.
# Run from the repository root: make -f web/web.mk

WEB_OUT  ?= build-web
WEB_CXX  ?= $(shell command -v ccache >/dev/null 2>&1 && echo ccache) clang++-22
WEB_PY   ?= /usr/bin/python3
WEB_FONT ?= /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf

# wasm-opt (binaryen) runs by itself at link time when installed. Debug
# sections go, names stay: --strip-all breaks the optimised module.
WEB_CXXFLAGS := --target=wasm32-wasi -std=c++20 -O2 \
  -Wall -Wextra -Werror -Wno-deprecated -Wno-bitwise-instead-of-logical -I. -I$(WEB_OUT)/gen -MMD -MP
WEB_LDFLAGS := --target=wasm32-wasi -mexec-model=reactor -O2 -Wno-deprecated -Wl,--strip-debug

WEB_SRC := $(wildcard sim/*.cpp) $(wildcard view/*_painter.cpp) view/xpm.cpp web/wasm_api.cpp
WEB_OBJ := $(patsubst %.cpp,$(WEB_OUT)/obj/%.o,$(WEB_SRC)) $(WEB_OUT)/obj/gen/pictures_xpm.o
WEB_XPM := $(sort $(wildcard assets/sprites/*.xpm) $(wildcard assets/pictures/*.xpm))
WEB_PAGE := web/noboria.html web/noboria.css web/noboria.js web/fold.py

.PHONY: web
web: $(WEB_OUT)/noboria.html $(WEB_OUT)/noboria-trace-web

$(WEB_OUT)/gen/pictures_xpm.cpp: $(WEB_XPM) web/xpm_table.py
	@mkdir -p $(@D)
	$(WEB_PY) web/xpm_table.py $@ $(WEB_XPM)

$(WEB_OUT)/obj/gen/pictures_xpm.o: $(WEB_OUT)/gen/pictures_xpm.cpp
	@mkdir -p $(@D)
	$(WEB_CXX) $(WEB_CXXFLAGS) -c $< -o $@

$(WEB_OUT)/obj/%.o: %.cpp
	@mkdir -p $(@D)
	$(WEB_CXX) $(WEB_CXXFLAGS) -c $< -o $@

$(WEB_OUT)/noboria.wasm: $(WEB_OBJ)
	clang++-22 $(WEB_LDFLAGS) $(WEB_OBJ) -o $@

$(WEB_OUT)/noboria.html: $(WEB_OUT)/noboria.wasm $(WEB_PAGE) $(WEB_FONT)
	$(WEB_PY) web/fold.py --template web/noboria.html --css web/noboria.css --js web/noboria.js \
	  --wasm $< --font $(WEB_FONT) --chars $(wildcard sim/*.cpp) web/wasm_api.cpp --out $@

# Runs a trace script against the page (tools/noboria-trace-web.mjs drives it
# in a headless browser); paths are found from where the launcher lies.
$(WEB_OUT)/noboria-trace-web: web/web.mk
	@mkdir -p $(@D)
	@root=$$(realpath --relative-to=$(WEB_OUT) .); \
	printf '%s\n' '#!/bin/sh' \
	  '# noboria-trace-web RANDOM_FILE < SCRIPT: noboria-trace, run against the browser page.' \
	  'here=$$(dirname "$$(readlink -f "$$0")")' \
	  "exec node \"\$$here/$$root/tools/noboria-trace-web.mjs\" --page \"\$$here/noboria.html\" \"\$$@\"" > $@
	@chmod +x $@

-include $(WEB_OBJ:.o=.d)
