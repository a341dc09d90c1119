# Cross-compiling for the browser: clang with the wasm32-wasi libc++ (Debian's
# libc++-NN-dev-wasm32 and wasi-libc), linked by wasm-ld. The compiler is
# NOBORIA_WASM_CLANG (clang++-NN), or else the newest clang 18 or later whose
# wasm32 libc++ is installed (tools/install-deps.sh web installs the newest).
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(NOBORIA_WASM_CLANG "" CACHE STRING "The page's compiler, clang++-NN; empty: the newest usable")

set(wasm_clang ${NOBORIA_WASM_CLANG})
if(NOT wasm_clang)
  set(newest 0)
  file(GLOB compilers /usr/bin/clang++-[0-9]*)
  foreach(compiler IN LISTS compilers)
    string(REGEX REPLACE ".*-" "" version ${compiler})
    if(version GREATER_EQUAL 18 AND version GREATER newest AND EXISTS /usr/lib/llvm-${version}/lib/wasm32-wasi/libc++.a)
      set(newest ${version})
    endif()
  endforeach()
  if(newest EQUAL 0)
    message(FATAL_ERROR "No clang 18 or later with its wasm32 libc++ is installed: "
                        "tools/install-deps.sh web installs one, or name one with -DNOBORIA_WASM_CLANG=clang++-NN")
  endif()
  set(wasm_clang clang++-${newest})
endif()
# CMake keeps the compiler a build folder was first configured with, silently.
find_program(wasm_clang_path ${wasm_clang} NO_CACHE)
if(DEFINED CACHE{NOBORIA_WASM_CLANG_USED} AND NOT NOBORIA_WASM_CLANG_USED STREQUAL wasm_clang_path)
  message(FATAL_ERROR "This folder was configured with ${NOBORIA_WASM_CLANG_USED}, not ${wasm_clang}: "
                      "configure it afresh (cmake --fresh, or make clean) to change")
endif()
set(NOBORIA_WASM_CLANG_USED ${wasm_clang_path} CACHE INTERNAL "The compiler this folder was configured with")
set(CMAKE_CXX_COMPILER ${wasm_clang})
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
# No wasm executable can run while configuring.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
