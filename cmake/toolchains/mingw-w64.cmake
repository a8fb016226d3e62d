# Cross-builds the Windows program on Debian with MinGW-w64, POSIX threads
# (std::thread and std::mutex work without a hand-written shim). Included by
# mingw-w64-x86_64.cmake and mingw-w64-i686.cmake, which set
# CMAKE_SYSTEM_PROCESSOR and QUORVELA_MINGW_TRIPLET.
# Everything from the compiler's runtime is linked statically, so the .exe
# needs no DLL beyond those Windows itself ships.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${QUORVELA_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUORVELA_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QUORVELA_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUORVELA_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# -static also takes libwinpthread from its archive.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Tests and helpers run through Wine (scripts/wine-run.sh), which picks the
# 32- or 64-bit Wine by the program.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../../scripts/wine-run.sh)
