# The rules alone: the deal, the path, the shapes, the whole move, the computer player and game
# records, which link with nothing else.
set(BRIMZO_RULES_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/../game/cellset.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../game/daily.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../game/deal.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../game/move.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../game/path.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../game/player.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../game/record.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../game/shapes.cpp
)
# The rest of the platform-neutral core, shared by every build of the project: the turn,
# animations, pacing, settings, saved game, leader tables, the mouse, the keys and the display
# mode.
set(BRIMZO_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/../game/turn.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../dialogs/rules.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../shell/assist.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../shell/demo.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../shell/display.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../shell/focus.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../shell/input.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../shell/keys.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../shell/session.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../shell/share.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../render/animate.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../render/sound.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../store/profile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../store/daily.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../store/gamecode.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../store/leaders.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../store/savegame.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../store/settings.cpp
)
# The pixels: the skin sheet and the drawing primitives; the sheet decoded from a PNG file by
# libpng everywhere but in the browser, which decodes its own pictures.
set(BRIMZO_RENDER_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/../render/draw.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../render/skin.cpp
)
set(BRIMZO_PNG_SKIN_SOURCES ${CMAKE_CURRENT_LIST_DIR}/../render/skin_png.cpp)
# What a platform without profile calls of its own links beside the core: profile files as
# text in memory, and plain files opened the POSIX way (the tests, the tools, the browser).
set(BRIMZO_HOSTED_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/../store/profile_memory.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../shell/plain_file_posix.cpp
)
# Pixel buffers in plain memory: the browser and the tools (the tests count theirs).
set(BRIMZO_MEMORY_PIXEL_SOURCES ${CMAKE_CURRENT_LIST_DIR}/../shell/pixels_in_memory.cpp)
