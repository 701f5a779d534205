# Install layout and packages. Linux: the executable and its data in one folder
# (lib/tavori), a command on the PATH, a desktop entry and its icon, packed as a .deb.
include(GNUInstallDirs)

set(CPACK_PACKAGE_NAME tavori)
set(CPACK_PACKAGE_VENDOR "tavori")
set(CPACK_PACKAGE_CONTACT "tavori developers <tavori@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Speed-reading trainer for Japanese readers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY tavori)

if(TAVORI_BUILD_QT)
  set(tavori_app_dir ${CMAKE_INSTALL_LIBDIR}/tavori)
  install(TARGETS tavori RUNTIME DESTINATION ${tavori_app_dir})
  install(FILES ${TAVORI_DATA_FILES} DESTINATION ${tavori_app_dir})
  # The command on the PATH is a link; the program resolves it and finds its data beside
  # the real executable.
  install(CODE "
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(CREATE_LINK ../${tavori_app_dir}/tavori
         \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/tavori\" SYMBOLIC)")
  install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/tavori.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  if(EXISTS ${CMAKE_SOURCE_DIR}/data/icons/tavori.png)
    install(FILES ${CMAKE_SOURCE_DIR}/data/icons/tavori.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
  endif()

  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION education)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # The X11 platform plugin and a Japanese gothic font are not seen by the library scan.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic | fonts-noto-cjk")
endif()

include(CPack)
