# The VST 3 SDK as Debian's juce-modules-source-data ships it, compiled in place
# into the static library vst3sdk. Its sources never enter our tree, and they are
# built without our warning flags so their warnings cannot break the build.
set(VST3_SDK_DIR /usr/share/juce/modules/juce_audio_processors/format_types/VST3_SDK
    CACHE PATH "Root of the packaged VST 3 SDK")
if(NOT EXISTS ${VST3_SDK_DIR}/pluginterfaces/base/funknown.h)
  message(FATAL_ERROR "VST 3 SDK not found in ${VST3_SDK_DIR} (scripts/setup installs it)")
endif()

file(GLOB VST3_SDK_SOURCES CONFIGURE_DEPENDS
  ${VST3_SDK_DIR}/pluginterfaces/base/*.cpp
  ${VST3_SDK_DIR}/base/source/*.cpp
  ${VST3_SDK_DIR}/base/thread/source/*.cpp
  ${VST3_SDK_DIR}/public.sdk/source/common/*.cpp
  ${VST3_SDK_DIR}/public.sdk/source/vst/*.cpp
  ${VST3_SDK_DIR}/public.sdk/source/vst/hosting/*.cpp)

add_library(vst3sdk STATIC ${VST3_SDK_SOURCES})
target_include_directories(vst3sdk SYSTEM PUBLIC ${VST3_SDK_DIR})
# RELEASE keeps the SDK's debug tracing out of every build type.
target_compile_definitions(vst3sdk PUBLIC RELEASE=1)
target_compile_options(vst3sdk PRIVATE -w)
if(NOT WIN32)
  target_link_libraries(vst3sdk PUBLIC ${CMAKE_DL_LIBS} pthread)
endif()
