# Cross build for 64-bit Windows with Debian's mingw-w64 (posix threads) compilers.
# Test programs run under Wine through CMAKE_CROSSCOMPILING_EMULATOR.
#   -DVORLA_WINDOWS_DEPS=<prefix>  where scripts/setup-windows installed libpng and GoogleTest
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VORLA_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VORLA_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VORLA_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${VORLA_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VORLA_MINGW} ${VORLA_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(ZLIB_USE_STATIC_LIBS ON)
# pkg-config must not offer the build machine's own libraries to the cross build.
set(ENV{PKG_CONFIG_LIBDIR} /usr/${VORLA_MINGW}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")

# A module or program must run on a bare Windows installation, so the compiler's
# runtime (libgcc, libstdc++, winpthread) is linked in rather than imported.
foreach(kind EXE SHARED MODULE)
  set(CMAKE_${kind}_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
endforeach()

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
