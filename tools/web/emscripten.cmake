# Chain-loaded by Qt's own toolchain file for the WebAssembly build: Debian's
# emscripten, whose programs CTest runs in headless Chromium.
execute_process(COMMAND em-config EMSCRIPTEN_ROOT
    OUTPUT_VARIABLE korindo_emscripten_root OUTPUT_STRIP_TRAILING_WHITESPACE)
include(${korindo_emscripten_root}/cmake/Modules/Platform/Emscripten.cmake)

find_program(KORINDO_NODE NAMES node nodejs REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${KORINDO_NODE} ${CMAKE_CURRENT_LIST_DIR}/run-program.mjs
    CACHE STRING "Runs the WebAssembly build's programs in headless Chromium" FORCE)
