find_package(GTest REQUIRED)
include(GoogleTest)

# korval_add_test(NAME SOURCES file... LIBS lib...)
# One GoogleTest executable per area; its cases are registered with CTest one by one.
# Tests find their fixtures through KORVAL_SOURCE_DIR.
function(korval_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE KORVAL_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
                                             KORVAL_BINARY_DIR="${PROJECT_BINARY_DIR}")
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/tests)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
                       WORKING_DIRECTORY ${PROJECT_BINARY_DIR}/tests
                       PROPERTIES TIMEOUT 120)
endfunction()
