# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (posix threads).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(korindo_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${korindo_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${korindo_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${korindo_mingw}-windres)
# The gcc- wrappers load the LTO plugin, so archives of LTO objects link.
set(CMAKE_AR ${korindo_mingw}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${korindo_mingw}-gcc-ranlib-posix CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${korindo_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One exe that needs no MinGW DLL: libgcc, libstdc++ and winpthread linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Tests of the Windows build run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)

# Debian's Qt 6.8 source turns off the automatic finding of Qt's plugins, which
# suits its shared packages; a static Qt links a program's plugins (the
# platform, the style, the picture formats) only when they are found.
set(QT_SKIP_AUTO_PLUGIN_INCLUSION OFF CACHE BOOL "Find the plugins of the static Qt for Windows")
