# The release packages: brimzo-<version>-windows-x64.zip and -x86.zip in build/.../packages,
# each the program, its skins, sounds and help page and a README for players, the same bytes
# from the same sources. Built with the Windows programs; on their own: --target packages.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(BRIMZO_PACKAGES ${CMAKE_BINARY_DIR}/packages)
file(MAKE_DIRECTORY ${BRIMZO_PACKAGES})
set(package_files)
foreach(arch ${BRIMZO_WINDOWS_ARCHES})
    if(arch STREQUAL "x86_64")
        set(name x64)
    else()
        set(name x86)
    endif()
    set(zip ${BRIMZO_PACKAGES}/brimzo-${PROJECT_VERSION}-windows-${name}.zip)
    set(package_command ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/scripts/make_package.py
        ${CMAKE_BINARY_DIR}/windows-${arch}/dist ${PROJECT_SOURCE_DIR}/docs/README.txt)
    add_custom_command(OUTPUT ${zip} COMMAND ${package_command} ${zip}
        DEPENDS windows_${arch} ${CMAKE_BINARY_DIR}/windows-${arch}/dist/brimzo.exe
                ${PROJECT_SOURCE_DIR}/docs/README.txt
                ${PROJECT_SOURCE_DIR}/scripts/make_package.py
        COMMENT "Packing ${zip}")
    list(APPEND package_files ${zip})
    set(BRIMZO_PACKAGE_${arch} ${zip})
    set(BRIMZO_PACKAGE_COMMAND_${arch} ${package_command})
endforeach()
add_custom_target(packages ALL DEPENDS ${package_files})

if(BRIMZO_TESTS)
    foreach(arch ${BRIMZO_WINDOWS_ARCHES})
        add_test(NAME release_${arch}
                 COMMAND ${CMAKE_COMMAND} -DEXE=${CMAKE_BINARY_DIR}/windows-${arch}/dist/brimzo.exe
                         -DPREFIX=${arch}-w64-mingw32 -P ${PROJECT_SOURCE_DIR}/cmake/CheckRelease.cmake)
        # packed again, the same bytes
        string(REPLACE ".zip" "-again.zip" again ${BRIMZO_PACKAGE_${arch}})
        add_test(NAME package_${arch}_reproducible
                 COMMAND sh -c "\"$@\" && cmp ${BRIMZO_PACKAGE_${arch}} ${again}" pack
                         ${BRIMZO_PACKAGE_COMMAND_${arch}} ${again})
    endforeach()
endif()
