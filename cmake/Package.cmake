# Installing (the magazine and its manual page, nothing of the tests) and the
# Debian package made from that install by `cpack -G DEB`.
include(GNUInstallDirs)
install(TARGETS rodi RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
configure_file(${PROJECT_SOURCE_DIR}/docs/rodi.1.in ${CMAKE_BINARY_DIR}/rodi.1 @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/rodi.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_PACKAGE_NAME rodi)
set(CPACK_PACKAGE_VENDOR "the rodi lair")
set(CPACK_PACKAGE_CONTACT "the rodi lair <rodi@lair.rodi.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION "One issue of a BBS-era disk magazine: ANSI art screens, a gallery,
articles, tutorials and tracker music, shown full screen in an 80x25 terminal.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY rodi)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# The player library travels inside the magazine, so shlibdeps cannot see its
# libraries in the package: its own dependencies are added at packaging time.
set(CPACK_RODI_MAGAZINE ${CMAKE_BINARY_DIR}/rodi)
set(CPACK_RODI_PLAYER_LIBRARY ${CMAKE_BINARY_DIR}/content/bassmodl.so)
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/PlayerDepends.cmake)
include(CPack)
