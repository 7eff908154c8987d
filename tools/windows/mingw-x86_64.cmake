# Cross build for 64-bit Windows with Debian's MinGW-w64 compilers, the posix thread flavour (std::thread
# and std::mutex need it).
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=tools/windows/mingw-x86_64.cmake -DVX_WIN_PREFIX=DIR[;DIR]
# VX_WIN_PREFIX names the install prefixes of the Windows builds of GLFW and OpenAL Soft (scripts/windows
# makes them); without the cache entry it is taken from the environment variable of the same name, whose
# folders are separated by ':'. Libraries, headers, CMake packages and pkg-config files are looked up
# only in the MinGW sysroot and those prefixes; programs only on the build machine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VX_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VX_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VX_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${VX_MINGW}-windres)
# ar, ranlib, strip and objdump are found by the compiler's x86_64-w64-mingw32- prefix.

# The toolchain file is read again for every try_compile project, which sees no cache entries of ours
# unless they are listed here.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VX_WIN_PREFIX)
if(NOT DEFINED VX_WIN_PREFIX AND DEFINED ENV{VX_WIN_PREFIX})
  string(REPLACE ":" ";" VX_WIN_PREFIX "$ENV{VX_WIN_PREFIX}")
endif()
set(VX_WIN_PREFIX "${VX_WIN_PREFIX}" CACHE STRING "Install prefixes of the Windows builds of GLFW and OpenAL Soft")

set(CMAKE_FIND_ROOT_PATH /usr/${VX_MINGW} ${VX_WIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The build machine's pkg-config, reading only the prefixes' .pc files: the host's own (PipeWire, Pulse,
# the Linux GLFW) must never reach a Windows link line. The .pc files hold absolute paths, so no sysroot.
set(vx_pc_dirs)
foreach(p IN LISTS VX_WIN_PREFIX)
  list(APPEND vx_pc_dirs ${p}/lib/pkgconfig ${p}/share/pkgconfig)
endforeach()
string(JOIN ":" vx_pc_libdir ${vx_pc_dirs})
if(vx_pc_libdir STREQUAL "")
  # An empty PKG_CONFIG_LIBDIR would mean pkg-config's built-in folders; a folder that does not exist
  # means none.
  set(vx_pc_libdir /nonexistent)
endif()
set(ENV{PKG_CONFIG_LIBDIR} "${vx_pc_libdir}")
set(ENV{PKG_CONFIG_PATH} "")
unset(ENV{PKG_CONFIG_SYSROOT_DIR})

# ctest and try_run run the programs under Wine; OpenAL32.dll is found in the prefixes' bin folders.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run)
foreach(p IN LISTS VX_WIN_PREFIX)
  list(APPEND CMAKE_CROSSCOMPILING_EMULATOR --path ${p}/bin)
endforeach()
