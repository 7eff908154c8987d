# The game as a Windows desktop program: no console window, the game's icon, version information and
# application manifest in its resources, and the data folder copied beside it from the Linux build.
set(VX_WINDOWS_ICON ${VX_HOST_BUILD}/windows/vextrallis.ico)
set(VX_WINDOWS_MANIFEST ${CMAKE_BINARY_DIR}/vextrallis.manifest)
configure_file(${CMAKE_CURRENT_LIST_DIR}/vextrallis.manifest.in ${VX_WINDOWS_MANIFEST} @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/vextrallis.rc.in ${CMAKE_BINARY_DIR}/vextrallis.rc @ONLY)
target_sources(vextrallis PRIVATE ${CMAKE_BINARY_DIR}/vextrallis.rc)
set_target_properties(vextrallis PROPERTIES WIN32_EXECUTABLE ON)
# The process's entry is main (host/main.cpp), also as a desktop program.
target_link_options(vextrallis PRIVATE -mwindows)

add_custom_target(vx_data ALL
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${VX_HOST_BUILD}/data ${CMAKE_BINARY_DIR}/data
  COMMENT "Copying the data folder from ${VX_HOST_BUILD}"
  VERBATIM)
add_dependencies(vextrallis vx_data)

# OpenAL32.dll beside the programs, so the game and the tests start from the build folder too.
find_file(VX_OPENAL_DLL OpenAL32.dll PATH_SUFFIXES bin REQUIRED)
add_custom_target(vx_openal_dll ALL
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${VX_OPENAL_DLL} ${CMAKE_BINARY_DIR}/OpenAL32.dll VERBATIM)
