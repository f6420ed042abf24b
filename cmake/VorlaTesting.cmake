# One CTest entry per GoogleTest program. Under a cross build CMake runs the
# program through CMAKE_CROSSCOMPILING_EMULATOR (Wine), so the same call
# serves the native and the Windows suites.
find_package(GTest REQUIRED)

# VIRTUAL_DISPLAY runs a native program that opens X11 windows on an X server of
# its own (xvfb-run), whatever display the caller has. The server must not reset
# when a test closes its last connection: the next test could not connect meanwhile.
function(vorla_add_test name)
  cmake_parse_arguments(ARG "VIRTUAL_DISPLAY" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  vorla_own_code(${name})
  if(ARG_VIRTUAL_DISPLAY AND NOT CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" $<TARGET_FILE:${name}>)
  else()
    add_test(NAME ${name} COMMAND ${name})
  endif()
endfunction()
