# Installing like a Linux game: the program and its data folder stay together in lib/vextrallis (the
# program finds data/ beside its own file), bin/vextrallis links to it, and the desktop entry and the
# theme icons make it appear in the menus. `cpack -G DEB` turns the same install into a Debian package.
include(GNUInstallDirs)
set(VX_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/vextrallis)
if(CMAKE_INSTALL_LIBDIR MATCHES "/")
  # Debian's multiarch lib folder is for libraries; the game's private folder sits directly under lib.
  set(VX_INSTALL_DIR lib/vextrallis)
endif()
install(TARGETS vextrallis RUNTIME DESTINATION ${VX_INSTALL_DIR})
install(DIRECTORY ${CMAKE_BINARY_DIR}/data DESTINATION ${VX_INSTALL_DIR})
# A relative link, so the installed tree can be moved or staged for packaging as a whole.
install(CODE "
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(CREATE_LINK ../${VX_INSTALL_DIR}/vextrallis
       \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/vextrallis\" SYMBOLIC)
  message(STATUS \"Installing: \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/vextrallis\")")
install(FILES ${CMAKE_CURRENT_LIST_DIR}/vextrallis.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)

set(CPACK_PACKAGE_NAME vextrallis)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Vextrallis developers <vextrallis@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small single-player 2D arcade shooter")
set(CPACK_PACKAGE_DESCRIPTION
    "Your ship flies over a scrolling perspective grid; enemies fly in from the right and fire slow bullets,\nand the colour-cycling trail behind the ship eats them for points. Keyboard, mouse or game pad.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_STRIP_FILES ON)
# The runtime libraries come from the program's own links, so the list follows the build.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
