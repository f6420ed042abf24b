# The plug-in as hosts find it: a VST3 bundle folder
#   VORLA.vst3/Contents/<architecture>/           the module (plugin/)
#   VORLA.vst3/Contents/Resources/Snapshots/      editor pictures, from build steps
#   VORLA.vst3/Contents/Resources/moduleinfo.json the module's description, written last
# The Linux build makes the bundle in the build folder itself; the Windows build makes
# the single-file module there and copies it into bundle/.
if(WIN32)
  set(VORLA_BUNDLE_DIR ${CMAKE_BINARY_DIR}/bundle/VORLA.vst3)
  set(VORLA_BUNDLE_BINARIES ${VORLA_BUNDLE_DIR}/Contents/x86_64-win)
  # Installed into the folder hosts scan, e.g. C:/Program Files/Common Files/VST3.
  set(VORLA_INSTALL_DIR .)
else()
  set(VORLA_BUNDLE_DIR ${CMAKE_BINARY_DIR}/VORLA.vst3)
  set(VORLA_BUNDLE_BINARIES ${VORLA_BUNDLE_DIR}/Contents/x86_64-linux)
  # <prefix>/lib/vst3 is where Linux hosts look under /usr, /usr/local and ~/.local.
  set(VORLA_INSTALL_DIR lib/vst3)
endif()
set(VORLA_BUNDLE_RESOURCES ${VORLA_BUNDLE_DIR}/Contents/Resources)

# A target that puts files into the bundle's Resources folder (a snapshot, say)
# registers here, so that the description lists what it made.
function(vorla_bundle_resources target)
  set_property(GLOBAL APPEND PROPERTY VORLA_BUNDLE_RESOURCE_TARGETS ${target})
endfunction()

# Called once every target is defined: describes the finished bundle in
# moduleinfo.json by loading the built module and asking its factory (under Wine in
# the cross build), and installs the bundle. `vorla_bundle` is the whole bundle.
function(vorla_bundle_finish)
  get_property(resource_targets GLOBAL PROPERTY VORLA_BUNDLE_RESOURCE_TARGETS)
  set(description ${VORLA_BUNDLE_RESOURCES}/moduleinfo.json)
  add_custom_command(OUTPUT ${description}
    COMMAND vorla-moduleinfo ${VORLA_BUNDLE_DIR}
    DEPENDS VORLA vorla-moduleinfo ${resource_targets}
    COMMENT "Describing the plug-in in ${description}"
    VERBATIM)
  add_custom_target(vorla_bundle ALL DEPENDS ${description})
  install(DIRECTORY ${VORLA_BUNDLE_DIR} DESTINATION ${VORLA_INSTALL_DIR} USE_SOURCE_PERMISSIONS)
endfunction()
