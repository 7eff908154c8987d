# Installing like a Linux game. The program and its data folder stay together in lib/games/vextrallis
# (the program finds data/ beside its own file). The launcher is a link to it: in /usr/games for the
# system's own prefix (Debian's place for games, used by the package), in <prefix>/bin for any other
# (a home folder or /usr/local, where bin is on the PATH). The desktop entry names the launcher by its
# full path, so the menu starts the game even where that bin folder is not on the menu's PATH yet.
# The metainfo lists the game in software centres; the manual page, the licence and the changelog go
# where Debian keeps them. `cpack -G DEB` turns the same install into a Debian package.
include(GNUInstallDirs)
set(VX_INSTALL_DIR lib/games/vextrallis)
set(VX_APP_ID org.vextrallis.Vextrallis)
set(vx_install_src ${CMAKE_CURRENT_LIST_DIR})

install(TARGETS vextrallis RUNTIME DESTINATION ${VX_INSTALL_DIR})
install(DIRECTORY ${CMAKE_BINARY_DIR}/data DESTINATION ${VX_INSTALL_DIR})
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${vx_install_src}/${VX_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${vx_install_src}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vextrallis)

# Debian keeps manual pages and changelogs compressed, made reproducible (no name, no time stamp).
set(vx_gz ${CMAKE_BINARY_DIR}/install-gz)
add_custom_command(
  OUTPUT ${vx_gz}/vextrallis.6.gz ${vx_gz}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${vx_gz}
  COMMAND gzip -9n -c ${vx_install_src}/vextrallis.6 > ${vx_gz}/vextrallis.6.gz
  COMMAND gzip -9n -c ${vx_install_src}/changelog > ${vx_gz}/changelog.gz
  DEPENDS ${vx_install_src}/vextrallis.6 ${vx_install_src}/changelog
  VERBATIM)
add_custom_target(vx_install_docs ALL DEPENDS ${vx_gz}/vextrallis.6.gz ${vx_gz}/changelog.gz)
install(FILES ${vx_gz}/vextrallis.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${vx_gz}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vextrallis)

# Decided when installing, since the prefix is only known then: the launcher's folder, the link (relative,
# so a staged tree can be moved or packed as a whole), and the desktop entry naming it.
install(CODE "
  if(CMAKE_INSTALL_PREFIX STREQUAL \"/usr\")
    set(vx_launcher_dir games)
  else()
    set(vx_launcher_dir ${CMAKE_INSTALL_BINDIR})
  endif()
  set(vx_root \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
  file(MAKE_DIRECTORY \"\${vx_root}/\${vx_launcher_dir}\")
  file(CREATE_LINK ../${VX_INSTALL_DIR}/vextrallis \"\${vx_root}/\${vx_launcher_dir}/vextrallis\" SYMBOLIC)
  message(STATUS \"Installing: \${vx_root}/\${vx_launcher_dir}/vextrallis\")
  # A path with blanks or quoting characters is quoted as the desktop entry format asks.
  set(vx_exec \"\${CMAKE_INSTALL_PREFIX}/\${vx_launcher_dir}/vextrallis\")
  if(vx_exec MATCHES \"[ \\t\\\"`$\\\\\\\\]\")
    string(REGEX REPLACE \"([\\\"`$\\\\\\\\])\" \"\\\\\\\\\\\\1\" vx_exec \"\${vx_exec}\")
    set(vx_exec \"\\\"\${vx_exec}\\\"\")
  endif()
  set(VX_LAUNCHER \"\${vx_exec}\")
  configure_file(${vx_install_src}/${VX_APP_ID}.desktop.in
                 \"\${vx_root}/${CMAKE_INSTALL_DATADIR}/applications/${VX_APP_ID}.desktop\" @ONLY)
  message(STATUS \"Installing: \${vx_root}/${CMAKE_INSTALL_DATADIR}/applications/${VX_APP_ID}.desktop\")")

set(CPACK_PACKAGE_NAME vextrallis)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Vextrallis developers <developers@vextrallis.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small single-player 2D arcade shooter")
set(CPACK_PACKAGE_DESCRIPTION
    "Your ship flies over a scrolling perspective grid; enemies fly in from the\nright and fire slow bullets, and the colour-cycling trail behind the ship\neats them for points. Keyboard, mouse or game pad.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://vextrallis.org/)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
# The runtime libraries come from the program's own links, so the list follows the build.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)

# Everything the install above takes from the build folder, so the play set-up builds exactly what a
# later `cmake --install` needs without building the tests.
add_custom_target(vx_installable)
add_dependencies(vx_installable vextrallis vx_icons vx_install_docs)
