# 32-bit Windows binaries.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(TESSERA_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
