# brimzo.exe, cross-built with mingw-w64: libpng and zlib linked statically, a static C++
# runtime, so the program needs no DLL beside it. BRIMZO_THIRD_PARTY holds the mingw libpng
# (scripts/build-libpng-mingw.sh); BRIMZO_ASSET_DIR the skins, sounds, icon and cursor made by
# the native tools.
set(BRIMZO_ARCH ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)
set(PNG_LIBRARY ${BRIMZO_THIRD_PARTY}/${BRIMZO_ARCH}/lib/libpng16.a)
set(PNG_PNG_INCLUDE_DIR ${BRIMZO_THIRD_PARTY}/${BRIMZO_ARCH}/include)
set(ZLIB_LIBRARY /usr/${BRIMZO_ARCH}/lib/libz.a)
set(ZLIB_INCLUDE_DIR /usr/${BRIMZO_ARCH}/include)
find_package(PNG REQUIRED)

add_executable(brimzo WIN32
    ${BRIMZO_RULES_SOURCES}
    ${BRIMZO_CORE_SOURCES}
    ${BRIMZO_RENDER_SOURCES}
    ${BRIMZO_PNG_SKIN_SOURCES}
    shell/main.cpp
    shell/platform_windows.cpp
    shell/share_windows.cpp
    dialogs/dialogs.cpp
    dialogs/brimzo.rc
)
configure_file(cmake/version.h.in ${CMAKE_BINARY_DIR}/version.h)
target_include_directories(brimzo PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${BRIMZO_ASSET_DIR}
                                          ${CMAKE_BINARY_DIR})
target_link_libraries(brimzo PRIVATE PNG::PNG winmm comdlg32 shell32 gdi32 user32)
# released stripped: the symbols are of no use to a player
target_link_options(brimzo PRIVATE -static -static-libgcc -static-libstdc++ -s)
set_source_files_properties(dialogs/brimzo.rc PROPERTIES
    OBJECT_DEPENDS
    "${BRIMZO_ASSET_DIR}/brimzo.ico;${BRIMZO_ASSET_DIR}/hand.cur;${CMAKE_CURRENT_SOURCE_DIR}/dialogs/brimzo.manifest")
brimzo_warnings(brimzo)

# The folder to zip: the program beside its skins, its sounds and the help page it opens.
set(BRIMZO_DIST ${CMAKE_BINARY_DIR}/dist)
add_custom_command(TARGET brimzo POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${BRIMZO_DIST}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:brimzo> ${BRIMZO_DIST}/
    COMMAND ${CMAKE_COMMAND} -E copy
            ${BRIMZO_ASSET_DIR}/brimzo.png ${BRIMZO_ASSET_DIR}/meadow.png
            ${BRIMZO_ASSET_DIR}/jump.wav ${BRIMZO_ASSET_DIR}/cantmove.wav
            ${BRIMZO_ASSET_DIR}/move.wav ${BRIMZO_ASSET_DIR}/destroy.wav
            ${CMAKE_CURRENT_SOURCE_DIR}/web/help.html ${BRIMZO_DIST}/)

# The floor that Wine sets for starting a window: the game's kind of window painting one
# colour, built as the game is (scripts/startup_time.py compares the two). Not shipped.
add_executable(startup_floor WIN32 bench/startup_floor.cpp)
target_link_options(startup_floor PRIVATE -static -static-libgcc -static-libstdc++ -s)
brimzo_warnings(startup_floor)
