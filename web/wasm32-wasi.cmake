# Cross-compiling for the browser: clang-22 with the wasm32-wasi libc++
# (Debian's libc++-22-dev-wasm32 and wasi-libc), linked by wasm-ld.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(CMAKE_CXX_COMPILER clang++-22)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
# No wasm executable can run while configuring.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
