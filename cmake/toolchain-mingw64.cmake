# 64-bit Windows binaries.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TESSERA_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
