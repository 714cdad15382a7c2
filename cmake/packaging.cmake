# A Debian package of the editor and genpatch. dpkg-shlibdeps finds the Qt 6
# runtime packages it depends on.
set(ZORBEL_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/zorbel)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${ZORBEL_DOC_DIR})
set(ZORBEL_CHANGELOG ${PROJECT_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${ZORBEL_CHANGELOG}
                   COMMAND gzip -9 -n -c ${PROJECT_SOURCE_DIR}/packaging/changelog > ${ZORBEL_CHANGELOG}
                   DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog VERBATIM)
set(ZORBEL_MANPAGES)
foreach(page zorbel genpatch zorbel-cli)
    set(compressed ${PROJECT_BINARY_DIR}/${page}.1.gz)
    add_custom_command(OUTPUT ${compressed}
                       COMMAND gzip -9 -n -c ${PROJECT_SOURCE_DIR}/packaging/${page}.1 > ${compressed}
                       DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${page}.1 VERBATIM)
    list(APPEND ZORBEL_MANPAGES ${compressed})
endforeach()
add_custom_target(zorbel_changelog ALL DEPENDS ${ZORBEL_CHANGELOG} ${ZORBEL_MANPAGES})
install(FILES ${ZORBEL_CHANGELOG} DESTINATION ${ZORBEL_DOC_DIR})
install(FILES ${ZORBEL_MANPAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorbel)
set(CPACK_PACKAGE_VERSION 1.2.0)
set(CPACK_PACKAGE_VENDOR "The Zorbel developers")
set(CPACK_PACKAGE_CONTACT "Zorbel developers <developers@zorbel.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the built-in tables of the WarCraft II executable")
set(CPACK_PACKAGE_DESCRIPTION
    "Zorbel opens a copy of the game's executable and edits its unit properties,\nsound table, spells, command-bar buttons and campaign victory conditions,\nand makes patches from a clean and an edited copy with genpatch.")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
