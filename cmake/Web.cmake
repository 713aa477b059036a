# The browser version: the core compiled to WebAssembly behind web/, and the page around it, in
# one folder (dist) that any static web server can publish. BRIMZO_ASSET_DIR holds the skins,
# sounds, icons and cursor made by the native tools; the page decodes the skins itself, so no
# image library goes into the WebAssembly. The files gather under their plain names in stage,
# and scripts/web_dist.py makes dist from them, most of them named by their content.
set(BRIMZO_STAGE ${CMAKE_BINARY_DIR}/stage)
set(BRIMZO_DIST ${CMAKE_BINARY_DIR}/dist)
add_executable(brimzo_web
    ${BRIMZO_RULES_SOURCES}
    ${BRIMZO_CORE_SOURCES}
    ${BRIMZO_RENDER_SOURCES}
    ${BRIMZO_HOSTED_SOURCES}
    ${BRIMZO_MEMORY_PIXEL_SOURCES}
    web/main_web.cpp
    web/platform_web.cpp
    web/dialogs_web.cpp
    web/skin_web.cpp
)
target_include_directories(brimzo_web PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
# Asyncify lets the core's pauses and dialogs wait inside its calls; nothing waits through a
# function pointer, so indirect calls need no instrumenting. The page starts main itself, once
# the page is ready. No code is made from text at run time: the page's policy allows none. The
# game reads no file: the page hands it the skins and the settings.
target_link_options(brimzo_web PRIVATE
    -sASYNCIFY -sASYNCIFY_IGNORE_INDIRECT -sASYNCIFY_STACK_SIZE=65536
    -sALLOW_MEMORY_GROWTH -sENVIRONMENT=web -sDYNAMIC_EXECUTION=0 -sMODULARIZE
    -sEXPORT_NAME=createBrimzoCore -sINVOKE_RUN=0 -sFILESYSTEM=0 -sEXPORTED_RUNTIME_METHODS=callMain)
set_target_properties(brimzo_web PROPERTIES
    OUTPUT_NAME brimzo-core SUFFIX .js RUNTIME_OUTPUT_DIRECTORY ${BRIMZO_STAGE})
brimzo_warnings(brimzo_web)

# The computer player's choice timed in a browser, as a hint chooses it (bench/web_bench.mjs);
# built for the benchmark only, beside the page rather than in it.
add_executable(choice_bench EXCLUDE_FROM_ALL ${BRIMZO_RULES_SOURCES} bench/choice_web.cpp)
target_include_directories(choice_bench PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_options(choice_bench PRIVATE -sENVIRONMENT=web -sMODULARIZE
                    -sEXPORT_NAME=createChoiceBench -sFILESYSTEM=0)
set_target_properties(choice_bench PROPERTIES SUFFIX .js
                      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/choice)
add_custom_command(TARGET choice_bench POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/bench/choice_web.html
            ${CMAKE_BINARY_DIR}/choice/index.html)
brimzo_warnings(choice_bench)

# The page and the game's own files beside the program: the page's script is brimzo.js and
# the modules it imports.
set(BRIMZO_WEB_FILES)
foreach(file index.html brimzo.js main.js codepage.js dialogs.js files.js input.js queue.js
             screen.js share.js sound.js storage.js tabs.js transfer.js brimzo.css help.html
             help.css brimzo.webmanifest service-worker.js)
    list(APPEND BRIMZO_WEB_FILES ${CMAKE_CURRENT_SOURCE_DIR}/web/${file})
endforeach()
foreach(file jump.wav cantmove.wav move.wav destroy.wav brimzo.ico hand.cur icon-192.png
             icon-512.png icon-maskable.png)
    list(APPEND BRIMZO_WEB_FILES ${BRIMZO_ASSET_DIR}/${file})
endforeach()
set(copies)
foreach(source ${BRIMZO_WEB_FILES})
    get_filename_component(name ${source} NAME)
    add_custom_command(OUTPUT ${BRIMZO_STAGE}/${name}
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${BRIMZO_STAGE}/${name}
        DEPENDS ${source})
    list(APPEND copies ${BRIMZO_STAGE}/${name})
endforeach()
find_package(Python3 REQUIRED COMPONENTS Interpreter)
# The page's copies of the C++ tables (events, keys, storage states, commands) come from the
# headers themselves.
set(web_tables ${CMAKE_CURRENT_SOURCE_DIR}/scripts/web_tables.py)
set(shared_headers ${CMAKE_CURRENT_SOURCE_DIR}/web/web.h ${CMAKE_CURRENT_SOURCE_DIR}/shell/keys.h)
add_custom_command(OUTPUT ${BRIMZO_STAGE}/tables.js
    COMMAND ${Python3_EXECUTABLE} ${web_tables} ${BRIMZO_STAGE}/tables.js ${shared_headers}
    DEPENDS ${web_tables} ${shared_headers})
list(APPEND copies ${BRIMZO_STAGE}/tables.js)
# The skins as pictures the browser decodes, and the page's list of them.
find_program(CWEBP cwebp REQUIRED)
set(web_skins ${CMAKE_CURRENT_SOURCE_DIR}/scripts/web_skins.py)
set(sheets ${BRIMZO_ASSET_DIR}/brimzo.png ${BRIMZO_ASSET_DIR}/meadow.png)
add_custom_command(
    OUTPUT ${BRIMZO_STAGE}/skins.js ${BRIMZO_STAGE}/brimzo.webp ${BRIMZO_STAGE}/meadow.webp
    COMMAND ${Python3_EXECUTABLE} ${web_skins} ${BRIMZO_STAGE} ${sheets}
    DEPENDS ${web_skins} ${sheets})
list(APPEND copies ${BRIMZO_STAGE}/skins.js)
# The stage holds this build's files alone: one an earlier build left there would be published.
file(GLOB staged ${BRIMZO_STAGE}/*)
list(REMOVE_ITEM staged ${copies} ${BRIMZO_STAGE}/brimzo.webp ${BRIMZO_STAGE}/meadow.webp
     ${BRIMZO_STAGE}/brimzo-core.js ${BRIMZO_STAGE}/brimzo-core.wasm)
if(staged)
    file(REMOVE ${staged})
endif()
find_program(BROTLI brotli REQUIRED) # web_dist.py's compressed copies
set(web_dist ${CMAKE_CURRENT_SOURCE_DIR}/scripts/web_dist.py)
add_custom_command(OUTPUT ${BRIMZO_DIST}/index.html
    COMMAND ${Python3_EXECUTABLE} ${web_dist} ${BRIMZO_STAGE} ${BRIMZO_DIST}
    DEPENDS ${copies} brimzo_web ${web_dist}
    COMMENT "Naming the browser version's files by their content")
add_custom_target(brimzo_page ALL DEPENDS ${BRIMZO_DIST}/index.html)
