# 32-bit Windows (x86), cross-built with MinGW-w64: the bench PCs that still
# run a 32-bit Windows 7 or 10.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(QUORVELA_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
