# tarvo_add_test(NAME name SOURCES ... LIBS ...): one GoogleTest program; each of its cases is a
# CTest test of its own ("ctest -R Suite.Case"), listed when ctest runs, so building costs nothing
# more. Widget code aborts without a display, so every case runs on the offscreen platform.
include(GoogleTest)
function(tarvo_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main tarvo_warnings)
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  # A case that waits for ever (a modal window nobody closes) fails instead of stalling the run.
  gtest_discover_tests(${T_NAME} DISCOVERY_MODE PRE_TEST TEST_PREFIX "${T_NAME}."
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 600)
endfunction()
