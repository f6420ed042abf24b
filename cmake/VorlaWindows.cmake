# The Windows form of the product: one DLL file named VORLA.vst3 that exports only the
# three module entry points and carries the panel images as resources, plus a copy in
# the VST3 bundle layout that hosts scan (VorlaBundle.cmake):
#   <build>/VORLA.vst3                                     the single-file module
#   <build>/bundle/VORLA.vst3/Contents/x86_64-win/VORLA.vst3
enable_language(RC)

set(VORLA_RESOURCE_SCRIPT ${PROJECT_SOURCE_DIR}/resources/img/VORLA.rc)

# Compiles the panel images into the target as its "PNG" resources.
function(vorla_windows_images target)
  get_filename_component(images ${VORLA_RESOURCE_SCRIPT} DIRECTORY)
  file(GLOB pngs ${images}/*.png)
  # The script names its images by file name only; windres does not track them.
  set_source_files_properties(${VORLA_RESOURCE_SCRIPT} PROPERTIES
      COMPILE_OPTIONS "-I${images}" OBJECT_DEPENDS "${pngs}")
  target_sources(${target} PRIVATE ${VORLA_RESOURCE_SCRIPT})
endfunction()

function(vorla_windows_module target)
  vorla_windows_images(${target})
  target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/VORLA.def)
  set_target_properties(${target} PROPERTIES
      OUTPUT_NAME VORLA PREFIX "" SUFFIX ".vst3"
      LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}
      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E make_directory ${VORLA_BUNDLE_BINARIES}
      COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${target}> ${VORLA_BUNDLE_BINARIES}/
      VERBATIM)
endfunction()
