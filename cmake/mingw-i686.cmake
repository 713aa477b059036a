# Cross-building for Windows, i686.
set(BRIMZO_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
