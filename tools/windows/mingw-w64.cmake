# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (POSIX threads, for std::thread and
# std::mutex). Qt's own qt-cmake chains this file through QT_CHAINLOAD_TOOLCHAIN_FILE.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${TOOLCHAIN_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TOOLCHAIN_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX} $ENV{YOHEKI_WIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The GCC runtime stays shared (libstdc++-6, libgcc_s_seh-1, libwinpthread-1), as Qt's own MinGW
# builds have it: Qt's DLLs and the programs pass C++ objects and exceptions across DLL borders.
