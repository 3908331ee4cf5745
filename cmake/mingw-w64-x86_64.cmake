# Cross-builds the command line for 64-bit Windows with Debian's MinGW-w64 (the -posix compilers,
# whose runtime has std::thread and friends). The runtime is linked statically, so tavrel.exe
# needs no DLL beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_prefix x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_prefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_prefix}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_prefix}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Test programs run through Wine's 64-bit loader when ctest runs them on this machine, in a Wine
# folder of the build's own (made on the first run, which takes a while), quietly and without
# asking to install Wine's .NET or browser engine, so it works with no display and as root.
find_program(TAVREL_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(TAVREL_WINE64 NAMES wine64)
if(TAVREL_WINE64)
    set(CMAKE_CROSSCOMPILING_EMULATOR env "WINEPREFIX=${CMAKE_BINARY_DIR}/wine" WINEDEBUG=-all
        "WINEDLLOVERRIDES=mscoree,mshtml=" "${TAVREL_WINE64}")
endif()
