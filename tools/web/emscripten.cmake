# Chain-loaded by Qt's own toolchain file for the WebAssembly build: Debian's
# emscripten, whose programs CTest runs in headless Chromium.
execute_process(COMMAND em-config EMSCRIPTEN_ROOT
    OUTPUT_VARIABLE korindo_emscripten_root OUTPUT_STRIP_TRAILING_WHITESPACE)
include(${korindo_emscripten_root}/cmake/Modules/Platform/Emscripten.cmake)

find_program(KORINDO_NODE NAMES node nodejs REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${KORINDO_NODE} ${CMAKE_CURRENT_LIST_DIR}/run-program.mjs
    CACHE STRING "Runs the WebAssembly build's programs in headless Chromium" FORCE)

# Debian's Qt 6.8 source turns off the automatic finding of Qt's plugins, which
# suits its shared packages; a static Qt links a program's platform plugin
# only when it is found.
set(QT_SKIP_AUTO_PLUGIN_INCLUSION OFF CACHE BOOL "Find the plugins of the static Qt for the page")
