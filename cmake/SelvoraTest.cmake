# add_selvora_test(<name> SOURCES <files...> LIBS <targets...> [GUI])
#
# One QtTest executable registered with CTest. GUI tests run on the offscreen
# platform so they need no display.
function(add_selvora_test name)
    cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/common)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name})
    set(env "QT_QPA_PLATFORM=offscreen" "SELVORA_SHARED_DIR=${PROJECT_SOURCE_DIR}/../shared"
            "SELVORA_BIN_DIR=${CMAKE_BINARY_DIR}/bin")
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 300)
endfunction()
