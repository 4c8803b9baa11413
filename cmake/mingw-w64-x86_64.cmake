# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (posix thread
# model, so that std::thread and friends work) and runs the results under
# Wine. Everything is linked statically: the programs and tests need no MinGW
# DLLs beside them.
#
#   cmake --preset win64

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KESTRELWICK_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KESTRELWICK_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KESTRELWICK_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KESTRELWICK_MINGW_TRIPLE}-windres)

# Libraries, headers and packages come from the MinGW sysroot only, so the
# host's Qt and GoogleTest are never picked up; programs (the compilers, Wine)
# come from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${KESTRELWICK_MINGW_TRIPLE})
# A Qt built for Windows (scripts/build-qt-windows.sh) is searched as well;
# its host tools (moc, rcc, uic) are the machine's own.
if(KESTRELWICK_QT_WINDOWS_PREFIX)
    list(APPEND CMAKE_FIND_ROOT_PATH ${KESTRELWICK_QT_WINDOWS_PREFIX})
    set(QT_HOST_PATH /usr CACHE PATH "")
    set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "")
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KESTRELWICK_QT_WINDOWS_PREFIX)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Tests and test discovery run through Wine.
find_program(KESTRELWICK_WINE wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${KESTRELWICK_WINE})
