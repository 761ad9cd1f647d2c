# Cross-building the game for 64-bit Windows with Debian's MinGW-w64 tools.
# The libraries built for Windows by scripts/build-windows-libs.sh live under
# KOLVETRA_WINDOWS_PREFIX and are the only place searched for them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KOLVETRA_MINGW x86_64-w64-mingw32)
# The posix flavour: std::thread needs it.
set(CMAKE_C_COMPILER ${KOLVETRA_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KOLVETRA_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${KOLVETRA_MINGW}-windres)
# pkg-config sees only the Windows libraries.
set(ENV{PKG_CONFIG_LIBDIR} ${KOLVETRA_WINDOWS_PREFIX}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")

list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KOLVETRA_WINDOWS_PREFIX)
set(CMAKE_FIND_ROOT_PATH /usr/${KOLVETRA_MINGW} ${KOLVETRA_WINDOWS_PREFIX})
set(CMAKE_PREFIX_PATH ${KOLVETRA_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
