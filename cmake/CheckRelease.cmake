# cmake -DEXE=<brimzo.exe> -DPREFIX=<mingw triple> -P CheckRelease.cmake
# What Windows and a player see of the released program: a manifest, a version, the About
# dialog's icon at its size in the template, and no symbols.
execute_process(COMMAND ${PREFIX}-windres -J coff -i ${EXE} -O rc OUTPUT_VARIABLE resources
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${EXE}: its resources cannot be read")
endif()
foreach(wanted "1 24 /\\* RT_MANIFEST \\*/" "VALUE \"ProductName\", \"Brimzo!\""
               "VALUE \"ProductVersion\", \"1.0.0\"" "asInvoker"
               "CONTROL 111, 65535, \"STATIC\", 0x50000003, 8, 8, 20, 20")
    if(NOT resources MATCHES "${wanted}")
        message(FATAL_ERROR "${EXE}: no ${wanted} among its resources")
    endif()
endforeach()
execute_process(COMMAND ${PREFIX}-objdump -t ${EXE} OUTPUT_VARIABLE symbols)
if(NOT symbols MATCHES "no symbols")
    message(FATAL_ERROR "${EXE} is not stripped")
endif()
