# A normal Linux install under the prefix, and the Debian package built from it:
#   bin/tolvan, bin/tolvan-cli and their man pages, share/applications/tolvan.desktop, the icon in the hicolor
#   theme, the ".TLV" file type for shared-mime-info, and the help pages.
include(GNUInstallDirs)

set(_desktop ${CMAKE_CURRENT_SOURCE_DIR}/resources/desktop)
install(TARGETS tolvan tolvan-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${_desktop}/tolvan.1 ${_desktop}/tolvan-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${_desktop}/tolvan.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_desktop}/tolvan.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${_desktop}/tolvan-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME tolvan.xml)
install(DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/resources/help/ DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tolvan/help)

set(CPACK_PACKAGE_NAME tolvan)
set(CPACK_PACKAGE_VENDOR "Tolvan")
# The project has no public address or homepage yet: none is made up.
set(CPACK_PACKAGE_CONTACT "Tolvan developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Design calculator for loudspeaker systems")
set(CPACK_PACKAGE_DESCRIPTION "Boxes, response graphs, crossovers, inductors and compensating networks, with printed reports.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY tolvan)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The libraries come from dpkg-shlibdeps; Qt's platform plugins and the
# fonts the pages are laid out with are loaded at run time, so they are
# named here.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")
include(CPack)
