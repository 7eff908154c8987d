# The Windows build's own rules, read by the top-level CMakeLists.txt when cross-building with
# tools/windows/mingw-x86_64.cmake. The data folder and the icon come from a Linux build (VX_HOST_BUILD):
# the data generator runs where it was built, never cross-built.
set(VX_HOST_BUILD "${CMAKE_SOURCE_DIR}/build" CACHE PATH
    "A Linux build folder holding the generated data/ and windows/vextrallis.ico")
if(NOT EXISTS "${VX_HOST_BUILD}/data/ships.png" OR NOT EXISTS "${VX_HOST_BUILD}/windows/vextrallis.ico")
  message(FATAL_ERROR "VX_HOST_BUILD (${VX_HOST_BUILD}) holds no generated data/ and windows/vextrallis.ico; "
                      "build the Linux game first (scripts/setup)")
endif()

# Debian's stb headers, and nothing else of the build machine's /usr/include: they are found as <stb/...>
# through a folder of our own that holds only a link to them.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/stb-include)
file(CREATE_LINK /usr/include/stb ${CMAKE_BINARY_DIR}/stb-include/stb SYMBOLIC)
add_library(PkgConfig::STB INTERFACE IMPORTED)
set_target_properties(PkgConfig::STB PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${CMAKE_BINARY_DIR}/stb-include
                      INTERFACE_SYSTEM_INCLUDE_DIRECTORIES ${CMAKE_BINARY_DIR}/stb-include)
# Their implementations, which Debian's libstb holds for the Linux build.
add_library(vx_stb STATIC ${CMAKE_CURRENT_LIST_DIR}/stb_image.c ${CMAKE_CURRENT_LIST_DIR}/stb_vorbis.c)
target_include_directories(vx_stb SYSTEM PRIVATE ${CMAKE_BINARY_DIR}/stb-include)
target_compile_options(vx_stb PRIVATE -w)  # third-party code, compiled as its authors ship it
set_property(TARGET PkgConfig::STB APPEND PROPERTY INTERFACE_LINK_LIBRARIES vx_stb)

# The static GLFW needs the GDI; the host needs the shell (ShellExecuteW), WinSock and the multimedia timer.
set_property(TARGET PkgConfig::GLFW3 APPEND PROPERTY INTERFACE_LINK_LIBRARIES gdi32 user32 shell32 ws2_32)

# Every program carries its C, C++ and thread runtimes inside (-static), so it imports only the system's
# DLLs and OpenAL32.dll; the build id names the build to the journal.
add_link_options(-static -Wl,--build-id)
