# The toolchain of the windows preset: the static Qt for Windows that
# tools/windows/build-qt.sh builds (KORINDO_QT_WIN64, or its cache in
# ~/.cache/korindo), which chain-loads Debian 13's MinGW-w64.
if(DEFINED ENV{KORINDO_QT_WIN64})
    set(korindo_qt_win64 $ENV{KORINDO_QT_WIN64})
else()
    set(korindo_qt_win64 $ENV{HOME}/.cache/korindo/qt6.8-win64)
endif()
set(QT_CHAINLOAD_TOOLCHAIN_FILE ${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
include(${korindo_qt_win64}/lib/cmake/Qt6/qt.toolchain.cmake)
