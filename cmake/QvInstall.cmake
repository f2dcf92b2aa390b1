# Installation: the program and its data in one folder (it reads its overlays from beside
# itself), launchers on the PATH, and what the desktop needs to show it in its menu and to
# open clone files with it. cpack makes a Debian package of the same.
include(GNUInstallDirs)
set(QV_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/quorvex)
if(CMAKE_INSTALL_LIBDIR MATCHES "/")
  # A multiarch lib folder would only hide the program deeper; one plain folder will do.
  set(QV_INSTALL_DIR lib/quorvex)
endif()

install(TARGETS quorvex quorvex-cli RUNTIME DESTINATION ${QV_INSTALL_DIR})
install(DIRECTORY ${QV_BIN_DIR}/ DESTINATION ${QV_INSTALL_DIR}
  FILES_MATCHING PATTERN "*.OVL" PATTERN "*.qcl" REGEX "/(help|icons)/")
# The launchers: relative links, so the package and a private prefix both work.
install(CODE "
  foreach(program quorvex quorvex-cli)
    set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${program}\")
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(REMOVE \"\${link}\")
    file(CREATE_LINK \"../${QV_INSTALL_DIR}/\${program}\" \"\${link}\" SYMBOLIC)
    message(STATUS \"Installing: \${link}\")
  endforeach()")
set(qv_desktop ${PROJECT_SOURCE_DIR}/data/desktop)
install(FILES ${qv_desktop}/quorvex.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${qv_desktop}/quorvex-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
  RENAME quorvex.xml)
install(FILES ${qv_desktop}/quorvex.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${qv_desktop}/quorvex.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes
  RENAME application-x-quorvex-clone.svg)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvex)
set(CPACK_PACKAGE_VENDOR Tavo)
set(CPACK_PACKAGE_CONTACT "Quorvex developers <quorvex@tavo.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Programming tool for two-way radios")
set(CPACK_PACKAGE_DESCRIPTION "Reads a radio's memory over a serial or USB-serial cable, edits every setting in sheets, keeps images in clone files and writes them back. Includes quorvex-cli for reading, writing and checking from a terminal.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
# The libraries come from dpkg-shlibdeps; the plug-ins and the font are loaded at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils")
include(CPack)
