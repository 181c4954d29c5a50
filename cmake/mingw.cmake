# The mingw-w64 cross toolchain of every build. Its parameters, cache variables
# the presets give:
#   VEL_TARGET_ARCH    i686 (the release product) or x86_64
#   VEL_THREAD_MODEL   posix, which GoogleTest needs (the test build), or win32,
#                      smaller, for the release builds, which link no GoogleTest
set(VEL_TARGET_ARCH x86_64 CACHE STRING "i686 or x86_64")
set(VEL_THREAD_MODEL posix CACHE STRING "posix or win32: the compilers' thread model")
set_property(CACHE VEL_TARGET_ARCH PROPERTY STRINGS i686 x86_64)
set_property(CACHE VEL_THREAD_MODEL PROPERTY STRINGS posix win32)
# The checks CMake compiles read this file again: they need the same compilers.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VEL_TARGET_ARCH VEL_THREAD_MODEL)

set(_vel_triple ${VEL_TARGET_ARCH}-w64-mingw32)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${VEL_TARGET_ARCH})
set(CMAKE_C_COMPILER ${_vel_triple}-gcc-${VEL_THREAD_MODEL})
set(CMAKE_CXX_COMPILER ${_vel_triple}-g++-${VEL_THREAD_MODEL})
set(CMAKE_RC_COMPILER ${_vel_triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${_vel_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
unset(_vel_triple)
