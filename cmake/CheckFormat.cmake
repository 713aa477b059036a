# Fails when any C++ file of the project differs from what .clang-format makes of it.
file(GLOB_RECURSE sources
     ${SOURCE_DIR}/shell/*.cpp ${SOURCE_DIR}/shell/*.h
     ${SOURCE_DIR}/game/*.cpp ${SOURCE_DIR}/game/*.h
     ${SOURCE_DIR}/render/*.cpp ${SOURCE_DIR}/render/*.h
     ${SOURCE_DIR}/store/*.cpp ${SOURCE_DIR}/store/*.h
     ${SOURCE_DIR}/dialogs/*.cpp ${SOURCE_DIR}/dialogs/*.h
     ${SOURCE_DIR}/tests/*.cpp ${SOURCE_DIR}/tests/*.h
     ${SOURCE_DIR}/tools/*.cpp ${SOURCE_DIR}/tools/*.h
     ${SOURCE_DIR}/bench/*.cpp ${SOURCE_DIR}/bench/*.h
     ${SOURCE_DIR}/web/*.cpp ${SOURCE_DIR}/web/*.h)
execute_process(COMMAND ${CLANG_FORMAT} --dry-run -Werror ${sources} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "clang-format: files above need formatting")
endif()
