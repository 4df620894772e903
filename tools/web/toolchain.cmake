# The toolchain of the page preset: the static Qt for WebAssembly that
# tools/web/build-qt.sh builds (KORINDO_QT_WASM, or its cache in
# ~/.cache/korindo), which chain-loads Debian 13's emscripten.
if(DEFINED ENV{KORINDO_QT_WASM})
    set(korindo_qt_wasm $ENV{KORINDO_QT_WASM})
else()
    set(korindo_qt_wasm $ENV{HOME}/.cache/korindo/qt6.8-wasm)
endif()
set(QT_CHAINLOAD_TOOLCHAIN_FILE ${CMAKE_CURRENT_LIST_DIR}/emscripten.cmake)
include(${korindo_qt_wasm}/lib/cmake/Qt6/qt.toolchain.cmake)
