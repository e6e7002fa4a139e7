# Installation: the program, its desktop entry, its icon, the plans' MIME
# type, the AppStream metainfo and the man page in the XDG and FHS places, and
# a Debian package of the same (cpack -G DEB in the build folder), whose
# installation triggers the MIME, desktop and man databases to take them in.
include(GNUInstallDirs)

install(TARGETS quarvel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS quarvel_print LIBRARY DESTINATION ${QUARVEL_PRINT_MODULE_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/org.quarvel.quarvel.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/quarvel.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/quarvel.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/org.quarvel.quarvel.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/quarvel.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_PACKAGE_NAME quarvel)
set(CPACK_PACKAGE_VENDOR Quarvel)
set(CPACK_PACKAGE_CONTACT "Quarvel maintainers <maintainers@quarvel.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Plans the force and the supplies of a military mission")
set(CPACK_PACKAGE_DESCRIPTION "Record the attack, pick a mission type and list the units section by section; \
summary sentences show the transport still free, what can still be towed and the combat supplies needed.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The Qt, CUPS and C++ libraries come from dpkg-shlibdeps. The window's font
# is found at run time, not linked, so it is named here, with Qt's package of
# further platform plugins (Debian ships xcb and offscreen in libqt6gui6).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, qt6-qpa-plugins")
include(CPack)
