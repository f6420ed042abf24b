# One CTest entry per GoogleTest program. Under a cross build CMake runs the
# program through CMAKE_CROSSCOMPILING_EMULATOR (Wine), so the same call
# serves the native and the Windows suites.
find_package(GTest REQUIRED)

function(vorla_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  vorla_own_code(${name})
  add_test(NAME ${name} COMMAND ${name})
endfunction()
