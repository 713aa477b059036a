# Cross-building for Windows, x86_64.
set(BRIMZO_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
